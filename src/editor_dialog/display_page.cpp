#include "editor_dialog/display_page.h"

#include "platform/text/text_surface.h"
#include "platform/view/page_renderer.h"
#include "platform/view/text_view.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace editor_dialog {

DisplayPage::DisplayPage(platform::TextSurface &surface, platform::TextView *view, QWidget *parent)
    : Page(parent), m_surface(surface), m_view(view) {
    auto *layout = new QVBoxLayout(this);
    auto *views = new QGroupBox(QStringLiteral("表示"), this);
    auto *vl = new QVBoxLayout(views);
    m_opDP = new QButtonGroup(this);
    const QString viewCaptions[] = {QStringLiteral("ﾉｰﾏﾙ (境界線無し)"),
                                    QStringLiteral("ﾍﾟｰｼﾞ･ｾﾝﾀﾘﾝｸﾞ")};
    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(viewCaptions[i], views);
        option->setObjectName(QStringLiteral("opDP%1").arg(i));
        m_opDP->addButton(option, i);
        vl->addWidget(option);
    }
    layout->addWidget(views);

    auto *zooms = new QGroupBox(QStringLiteral("倍率"), this);
    auto *grid = new QGridLayout(zooms);
    m_opZoom = new QButtonGroup(this);
    const QStringList captions = displayZoomCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions[i], zooms);
        option->setObjectName(QStringLiteral("opZoom%1").arg(i));
        m_opZoom->addButton(option, i);
        grid->addWidget(option, i % 4, i / 4);
    }
    m_txZoom = new QLineEdit(zooms);
    m_txZoom->setObjectName(QStringLiteral("txZoom"));
    m_txZoom->setMaxLength(8);
    m_txZoom->setFixedWidth(m_txZoom->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    auto *given = new QHBoxLayout;
    given->addWidget(m_txZoom);
    given->addWidget(new QLabel(QStringLiteral("%"), zooms));
    given->addStretch(1);
    grid->addLayout(given, 4, 1);
    connect(m_opZoom, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (id == 7)
            m_txZoom->setEnabled(on);
    });
    layout->addWidget(zooms);
    layout->addStretch(1);
}

void DisplayPage::prepare(const QString &sAns) {
    const DisplayChoice choice = readDisplayAnswer(sAns);
    m_opDP->button(choice.pageView ? 1 : 0)->setChecked(true);
    m_opZoom->button(choice.zoomOption)->setChecked(true);
    m_txZoom->setText(QString::number(choice.zoom));
    m_txZoom->setEnabled(choice.zoomOption == 7);
}

DisplayChoice DisplayPage::choice() const {
    DisplayChoice choice;
    choice.pageView = m_opDP->checkedId() == 1;
    choice.zoomOption = qMax(0, m_opZoom->checkedId());
    choice.zoom = readNumber(m_txZoom->text());
    return choice;
}

QString DisplayPage::apply() {
    const DisplayChoice chosen = choice();
    // Without a view there is no area to fit the page into: the fitting options keep the zoom.
    QSizeF area;
    QSizeF paper;
    if (m_view) {
        area = m_view->viewport()->size();
        const platform::PageSetup page = m_surface.page();
        paper = QSizeF(platform::PageRenderer::fromTwips(page.width),
                       platform::PageRenderer::fromTwips(page.height));
    }
    const int zoom = chosenZoom(chosen, area, paper);
    return displayAnswer(
        chosen.pageView ? platform::TextView::PageView : platform::TextView::NormalView, zoom);
}

} // namespace editor_dialog
