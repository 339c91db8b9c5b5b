#include "platform/view/pdf_writer.h"

#include "platform/text/text_surface.h"
#include "platform/view/page_renderer.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace platform {

bool savePdf(const TextContent &content, const QString &path) {
    if (!content.main)
        return false;
    // Written beside the old file and renamed over it at the end: a failed write leaves the
    // old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    PageRenderer renderer(content);
    const int pages = renderer.pageCount();
    const QPageSize size(QSizeF(content.page.width / 1440.0, content.page.height / 1440.0),
                         QPageSize::Inch, QString(), QPageSize::ExactMatch);

    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("drJvo"));
    writer.setTitle(content.main->metaInformation(QTextDocument::DocumentTitle));
    writer.setPageSize(size);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            writer.newPage();
        renderer.drawPage(&painter, n, QRectF(0, 0, writer.width(), writer.height()));
    }
    if (!painter.end()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void installPdfWriter() {
    TextSurface::setPdfWriter(&savePdf);
}

} // namespace platform
