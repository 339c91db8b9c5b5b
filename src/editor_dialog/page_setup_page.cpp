#include "editor_dialog/pages.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "settings/app_values.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace editor_dialog {
namespace {

QLineEdit *centimetreBox(QWidget *parent, const QString &name) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(80);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

PageSetupPage::PageSetupPage(platform::TextSurface &surface, platform::TextView *view,
                             QWidget *parent)
    : Page(parent), m_surface(surface), m_view(view) {
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("用紙"), this), 0, 0);
    m_cbPage = new QComboBox(this);
    m_cbPage->setObjectName(QStringLiteral("cbPage"));
    for (const Paper &paper : papers())
        m_cbPage->addItem(paper.caption);
    m_cbPage->addItem(userDefinedCaption());
    grid->addWidget(m_cbPage, 0, 1, 1, 3);

    auto *orientation = new QGroupBox(QStringLiteral("用紙の向き"), this);
    auto *ol = new QHBoxLayout(orientation);
    m_opVH[0] = new QRadioButton(QStringLiteral("縦"), orientation);
    m_opVH[1] = new QRadioButton(QStringLiteral("横"), orientation);
    for (int i = 0; i < 2; ++i) {
        m_opVH[i]->setObjectName(QStringLiteral("OpVH%1").arg(i));
        ol->addWidget(m_opVH[i]);
    }
    grid->addWidget(orientation, 1, 0, 1, 4);

    grid->addWidget(new QLabel(QStringLiteral("幅 (cm)"), this), 2, 0);
    m_txPgWd = centimetreBox(this, QStringLiteral("txPgWd"));
    grid->addWidget(m_txPgWd, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("高さ (cm)"), this), 2, 2);
    m_txPgHi = centimetreBox(this, QStringLiteral("txPgHi"));
    grid->addWidget(m_txPgHi, 2, 3);

    auto *margins = new QGroupBox(QStringLiteral("余白 (cm)"), this);
    auto *mg = new QGridLayout(margins);
    mg->addWidget(new QLabel(QStringLiteral("左"), margins), 0, 0);
    m_txLftMrg = centimetreBox(margins, QStringLiteral("txLftMrg"));
    mg->addWidget(m_txLftMrg, 0, 1);
    mg->addWidget(new QLabel(QStringLiteral("上"), margins), 0, 2);
    m_txTopMrg = centimetreBox(margins, QStringLiteral("txTopMrg"));
    mg->addWidget(m_txTopMrg, 0, 3);
    mg->addWidget(new QLabel(QStringLiteral("右"), margins), 1, 0);
    m_txRghMrg = centimetreBox(margins, QStringLiteral("txRghMrg"));
    mg->addWidget(m_txRghMrg, 1, 1);
    mg->addWidget(new QLabel(QStringLiteral("下"), margins), 1, 2);
    m_txBtmMrg = centimetreBox(margins, QStringLiteral("txBtmMrg"));
    mg->addWidget(m_txBtmMrg, 1, 3);
    grid->addWidget(margins, 3, 0, 1, 4);

    auto *cmPageButton = new QPushButton(QStringLiteral("規定値として設定"), this);
    cmPageButton->setObjectName(QStringLiteral("cmPage"));
    grid->addWidget(cmPageButton, 4, 2, 1, 2);
    grid->setRowStretch(5, 1);

    connect(m_cbPage, &QComboBox::activated, this, &PageSetupPage::paperChosen);
    connect(m_opVH[1], &QRadioButton::toggled, this, &PageSetupPage::orientationChosen);
    connect(m_txPgWd, &QLineEdit::textEdited, this, &PageSetupPage::sizeEdited);
    connect(m_txPgHi, &QLineEdit::textEdited, this, &PageSetupPage::sizeEdited);
    connect(cmPageButton, &QPushButton::clicked, this, &PageSetupPage::cmPage);
}

void PageSetupPage::prepare(const QString &) {
    m_changed = false;
    showTexts(pageTexts(m_surface.page()));
}

PageTexts PageSetupPage::texts() const {
    return {m_txPgWd->text(),   m_txPgHi->text(),   m_txLftMrg->text(),    m_txTopMrg->text(),
            m_txRghMrg->text(), m_txBtmMrg->text(), m_opVH[1]->isChecked()};
}

void PageSetupPage::showTexts(const PageTexts &texts) {
    m_filling = true;
    m_txPgWd->setText(texts.width);
    m_txPgHi->setText(texts.height);
    m_txLftMrg->setText(texts.left);
    m_txTopMrg->setText(texts.top);
    m_txRghMrg->setText(texts.right);
    m_txBtmMrg->setText(texts.bottom);
    m_opVH[texts.landscape ? 1 : 0]->setChecked(true);
    m_cbPage->setCurrentIndex(matchPaper(texts.width, texts.height));
    m_filling = false;
}

void PageSetupPage::paperChosen(int index) {
    PageTexts t = texts();
    choosePaper(t, index);
    showTexts(t);
}

void PageSetupPage::orientationChosen(bool landscape) {
    if (m_filling)
        return;
    PageTexts t = texts();
    t.landscape = !landscape;
    setLandscape(t, landscape);
    showTexts(t);
}

void PageSetupPage::sizeEdited() {
    m_cbPage->setCurrentIndex(matchPaper(m_txPgWd->text(), m_txPgHi->text()));
}

QString PageSetupPage::apply() {
    const platform::PageSetup page = applyTexts(texts(), m_surface.page());
    if (!(page == m_surface.page())) {
        m_surface.setPage(page);
        m_changed = true;
    }
    if (m_view) {
        m_view->setPageSetup(m_surface.page());
        m_view->viewport()->update();
    }
    return QString();
}

void PageSetupPage::cmPage() {
    writeDefaultPage(settings::store(), texts());
}

} // namespace editor_dialog
