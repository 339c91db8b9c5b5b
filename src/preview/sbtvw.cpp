#include "preview/sbtvw.h"

#include "preview/page_source.h"
#include "preview/print_service.h"
#include "preview/printer_record.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace preview {

namespace {
constexpr int kZooms[] = {50, 75, 100, 150, 200, 300};
constexpr int kPageView = 2;
constexpr int kNormalView = 0;
} // namespace

// The picture box the page is drawn in, with its shadow, at the model's box.
class PageCanvas : public QWidget {
public:
    explicit PageCanvas(sbTvw *owner) : QWidget(nullptr), m_owner(owner) {
        setAutoFillBackground(true);
    }

    QRectF toPixels(const QRect &twips) const {
        const double t = m_owner->twipsPerPixel();
        return QRectF(twips.x() / t, twips.y() / t, twips.width() / t, twips.height() / t);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        PreviewModel &model = m_owner->model();
        if (!model.source())
            return;
        QPainter painter(this);
        const PageBox box = model.box();
        painter.fillRect(toPixels(box.shadowRight), Qt::darkGray);
        painter.fillRect(toPixels(box.shadowBottom), Qt::darkGray);
        const QRectF page = toPixels(box.box);
        painter.fillRect(page, Qt::white);
        if (model.backgroundShown())
            painter.drawImage(page, model.background());
        if (model.pages().page() <= model.pages().count()) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            model.source()->drawPage(&painter, model.pages().page(), page);
        }
    }

private:
    sbTvw *m_owner;
};

QPointer<sbTvw> sbTvw::s_instance;

sbTvw::sbTvw(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ﾍﾟｰｼﾞﾋﾞｭｰ"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_canvas = new PageCanvas(this);
    m_scroll->setWidget(m_canvas);
    layout->addWidget(m_scroll);
    buildMenus();
    resize(800, 600);
}

sbTvw::~sbTvw() = default;

sbTvw &sbTvw::instance() {
    if (!s_instance)
        s_instance = new sbTvw();
    return *s_instance;
}

void sbTvw::releaseInstance() {
    delete s_instance.data();
}

QWidget *sbTvw::canvas() const {
    return m_canvas;
}

double sbTvw::twipsPerPixel() const {
    return 1440.0 / qMax(1, logicalDpiX());
}

void sbTvw::buildMenus() {
    QMenu *file = m_menuBar->addMenu(QStringLiteral("操作(&F)"));
    m_print = file->addAction(QStringLiteral("印刷"));
    file->addSeparator();
    m_close = file->addAction(QStringLiteral("閉じる(&X)"));
    connect(m_print, &QAction::triggered, this, &sbTvw::printFromMenu);
    connect(m_close, &QAction::triggered, this, &QDialog::close);

    QMenu *page = m_menuBar->addMenu(QStringLiteral("ﾍﾟ-ｼﾞ(&P)"));
    const QStringList pages = {QStringLiteral("最初(&F)"), QStringLiteral("前(&P)"),
                               QStringLiteral("次(&N)"), QStringLiteral("最後(&L)")};
    for (int i = 0; i < pages.size(); ++i) {
        QAction *a = page->addAction(pages.at(i));
        connect(a, &QAction::triggered, this, [this, i] { pageMenu(i); });
        m_pageActions << a;
    }

    QMenu *zoom = m_menuBar->addMenu(QStringLiteral("ｽﾞｰﾑ(&Z)"));
    for (int i = 0; i < int(std::size(kZooms)); ++i) {
        QAction *a = zoom->addAction(QString::number(kZooms[i]) + QLatin1Char('%'));
        connect(a, &QAction::triggered, this, [this, i] { zoomMenu(i); });
        m_zoomActions << a;
    }
    zoom->addSeparator();
    QAction *whole = zoom->addAction(QStringLiteral("ﾍﾟｰｼﾞ全体"));
    connect(whole, &QAction::triggered, this, [this] { zoomMenu(-1); });
    m_zoomActions << whole;
}

void sbTvw::prepare(PageSource &source, const QString &backgroundFile, const QString &settingsFile,
                    const QString &title, QWidget *over) {
    m_title = title;
    if (over) {
        const QRect r = over->geometry();
        setGeometry(QRect(r.left() + r.width() / 15, r.top() + r.height() / 15, r.width() * 13 / 15,
                          r.height() * 13 / 15));
    }
    const QSize innerPixels(width(), height() - m_menuBar->sizeHint().height());
    const double t = twipsPerPixel();
    const QSize inner(qRound(innerPixels.width() * t), qRound(innerPixels.height() * t));
    m_model.prepare(source, inner, backgroundFile, settingsFile);
    placeBox();
    updatePageMenu();
}

void sbTvw::finish() {
    m_model.finish();
}

void sbTvw::cAct(PageSource &source, const QString &backgroundFile, const QString &settingsFile,
                 const QString &title, QWidget *over) {
    prepare(source, backgroundFile, settingsFile, title, over);
    exec();
    finish();
}

bool sbTvw::cPrint(PageSource &source, bool direct, const QString &settingsFile,
                   const QString &title) {
    const bool switched = source.viewMode() != kPageView;
    if (switched)
        source.setViewMode(kPageView);
    const bool printed = PrintService::print(source, direct, settingsFileForUse(settingsFile),
                                             title) == PrintService::Result::Printed;
    if (switched)
        source.setViewMode(kNormalView);
    return printed;
}

bool sbTvw::cSetPrn(PageSource &source, const QString &settingsFile) {
    return PrintService::setupPrinter(source, settingsFileForSetup(settingsFile));
}

void sbTvw::printFromMenu() {
    if (!m_model.source())
        return;
    PrintService::print(*m_model.source(), false, m_model.settingsFile(), m_title);
    m_canvas->update();
}

void sbTvw::pageMenu(int index) {
    PageNavigator &pages = m_model.pages();
    switch (index) {
    case 0:
        pages.first();
        break;
    case 1:
        pages.previous();
        break;
    case 2:
        pages.next();
        break;
    default:
        pages.last();
        break;
    }
    updatePageMenu();
    m_canvas->update();
}

void sbTvw::zoomMenu(int index) {
    if (index < 0)
        m_model.fitWhole();
    else
        m_model.setZoom(kZooms[index]);
    placeBox();
    m_canvas->update();
}

void sbTvw::updatePageMenu() {
    const PageNavigator &pages = m_model.pages();
    m_pageActions.at(1)->setEnabled(pages.previousEnabled());
    m_pageActions.at(2)->setEnabled(pages.nextEnabled());
    m_pageActions.at(3)->setEnabled(pages.lastEnabled());
}

void sbTvw::placeBox() {
    // The canvas covers the inner area, and more when the box and its shadow reach beyond it,
    // so that a zoomed page can be scrolled.
    const PageBox box = m_model.box();
    const QRect all = box.box.united(box.shadowRight).united(box.shadowBottom);
    const double t = twipsPerPixel();
    const QSize needed(qCeil((all.right() + 1) / t), qCeil((all.bottom() + 1) / t));
    const QSize inner(qRound(m_model.inner().width() / t), qRound(m_model.inner().height() / t));
    m_canvas->resize(needed.expandedTo(inner));
    m_scroll->ensureVisible(0, 0);
}

} // namespace preview
