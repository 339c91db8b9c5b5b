#include "editor_dialog/user_styles_page.h"

#include "editor/menus/format_dialogs.h"
#include "editor/menus/format_values.h"
#include "editor_dialog/dialog_values.h"
#include "platform/dialogs.h"
#include "settings/app_values.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace editor_dialog {
namespace {

const char16_t *const kLabels[6] = {u"見出1", u"見出2", u"見出3", u"本文", u"強調", u"補足"};

QTextEdit *sampleView(QTextDocument *document, const QString &name, QWidget *parent) {
    auto *view = new QTextEdit(parent);
    view->setObjectName(name);
    view->setDocument(document);
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::NoTextInteraction);
    return view;
}

QPushButton *button(const QString &caption, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

UserStylesPage::UserStylesPage(settings::UserStyleTable &table, QWidget *parent)
    : Page(parent), m_table(table), m_formatDialogs(std::make_unique<editor::QtFormatDialogs>()) {
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_tTxt = sampleView(m_samples.text().document(), QStringLiteral("tTxt"), this);
    m_tTxt->setMinimumSize(m_tTxt->fontMetrics().averageCharWidth() * 56,
                           m_tTxt->fontMetrics().height() * 13);
    top->addWidget(m_tTxt, 1);
    auto *grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf16(kLabels[i]), this), i, 0);
        QPushButton *font = button(QStringLiteral("ﾌｫﾝﾄ"), QStringLiteral("cmFont%1").arg(i), this);
        connect(font, &QPushButton::clicked, this, [this, i] { cmFont(i); });
        grid->addWidget(font, i, 1);
        if (i <= settings::Heading3) {
            QPushButton *paragraph =
                button(QStringLiteral("段落"), QStringLiteral("cmPrg%1").arg(i), this);
            connect(paragraph, &QPushButton::clicked, this, [this, i] { cmPrg(i); });
            grid->addWidget(paragraph, i, 2);
        }
    }
    grid->setRowStretch(6, 1);
    top->addLayout(grid);
    layout->addLayout(top);
    layout->addWidget(areaRow(false));
    layout->addWidget(areaRow(true));

    auto *options = new QHBoxLayout;
    options->addWidget(new QLabel(QStringLiteral("行間隔"), this));
    m_cbLine = new QComboBox(this);
    m_cbLine->setObjectName(QStringLiteral("cbLine"));
    m_cbLine->setEditable(true);
    m_cbLine->addItems({QStringLiteral("1.0"), QStringLiteral("1.1"), QStringLiteral("1.2"),
                        QStringLiteral("1.3"), QStringLiteral("1.5"), QStringLiteral("1.8"),
                        QStringLiteral("2.0")});
    options->addWidget(m_cbLine);
    options->addSpacing(16);
    m_ckLF = new QCheckBox(QStringLiteral("本文はEnter= <br>"), this);
    m_ckLF->setObjectName(QStringLiteral("ckLF"));
    m_ckLF->setToolTip(QStringLiteral("見出し以外では、Enter入力で、ﾊﾟﾗｸﾞﾗﾌは区切らずに <br>"));
    options->addWidget(m_ckLF);
    m_ckTitle = new QCheckBox(QStringLiteral("最初は見出1"), this);
    m_ckTitle->setObjectName(QStringLiteral("ckDTP"));
    options->addWidget(m_ckTitle);
    options->addStretch(1);
    layout->addLayout(options);
}

UserStylesPage::~UserStylesPage() {
    // The sample views show documents of m_samples, which goes before the child widgets do.
    delete m_tTxt;
    for (QTextEdit *area : m_areas)
        delete area;
}

QWidget *UserStylesPage::areaRow(bool footer) {
    auto *row = new QWidget(this);
    auto *hl = new QHBoxLayout(row);
    hl->setContentsMargins(0, 0, 0, 0);
    platform::TextSurface &surface = footer ? m_samples.foot() : m_samples.head();
    QTextEdit *view = sampleView(surface.document(),
                                 footer ? QStringLiteral("tFoot") : QStringLiteral("tHead"), row);
    view->setFixedHeight(view->fontMetrics().height() * 2 + 12);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_areas[footer ? 1 : 0] = view;
    hl->addWidget(new QLabel(footer ? QStringLiteral("ﾌｯﾀｰ") : QStringLiteral("ﾍｯﾀﾞｰ"), row));
    hl->addWidget(view, 1);
    QPushButton *font = button(QStringLiteral("ﾌｫﾝﾄ"),
                               footer ? QStringLiteral("cmFoot") : QStringLiteral("cmHead"), row);
    connect(font, &QPushButton::clicked, this, [this, footer] { cmArea(footer); });
    hl->addWidget(font);
    auto *alignments = new QComboBox(row);
    alignments->setObjectName(footer ? QStringLiteral("cbFoot") : QStringLiteral("cbHead"));
    alignments->addItem(QStringLiteral("左寄せ"), platform::TextSurface::AlignLeft);
    alignments->addItem(QStringLiteral("中央合わせ"), platform::TextSurface::AlignCenter);
    alignments->addItem(QStringLiteral("右寄せ"), platform::TextSurface::AlignRight);
    connect(alignments, &QComboBox::activated, this,
            [this, footer] { areaAlignmentChosen(footer); });
    m_cbAreas[footer ? 1 : 0] = alignments;
    hl->addWidget(alignments);
    return row;
}

void UserStylesPage::setFormatDialogs(std::unique_ptr<editor::FormatDialogs> dialogs) {
    m_formatDialogs = std::move(dialogs);
}

void UserStylesPage::prepare(const QString &) {
    m_samples.show(m_table);
    for (int footer = 0; footer < 2; ++footer) {
        QComboBox *list = m_cbAreas[footer];
        const int at = list->findData(m_samples.areaAlignment(footer == 1));
        list->setCurrentIndex(at < 0 ? 0 : at);
    }
    m_cbLine->setCurrentText(QString::number(double(m_table.lineSpacingFactor), 'g', 3));
    m_ckLF->setChecked(m_table.enterIsLineBreak);
    m_ckTitle->setChecked(m_table.titleIsFirstHeading);
}

void UserStylesPage::cmFont(int style) {
    m_samples.selectSample(style);
    editor::FontValues values = editor::readFont(m_samples.text());
    if (m_formatDialogs->editFont(this, values))
        editor::applyFont(m_samples.text(), values);
    m_samples.text().setSelStart(0);
}

void UserStylesPage::cmPrg(int style) {
    m_samples.selectSample(style);
    editor::ParagraphValues values = editor::readParagraph(m_samples.text());
    if (m_formatDialogs->editParagraph(this, values))
        editor::applyParagraph(m_samples.text(), values);
    m_samples.text().setSelStart(0);
}

void UserStylesPage::cmArea(bool footer) {
    platform::TextSurface &surface = footer ? m_samples.foot() : m_samples.head();
    surface.select(0, -1);
    editor::FontValues values = editor::readFont(surface);
    if (m_formatDialogs->editFont(this, values))
        editor::applyFont(surface, values);
    surface.setSelStart(0);
}

void UserStylesPage::areaAlignmentChosen(bool footer) {
    m_samples.setAreaAlignment(footer, m_cbAreas[footer ? 1 : 0]->currentData().toInt());
}

QString UserStylesPage::apply() {
    if (confirmUserStyles(m_samples, m_table, readNumber(m_cbLine->currentText()),
                          m_ckTitle->isChecked(), m_ckLF->isChecked()))
        platform::dialogs().message(QStringLiteral("見出しのﾌｫﾝﾄｻｲｽﾞ順に変えます"));
    settings::UsrStyleSave(settings::store(), m_table);
    return QString();
}

} // namespace editor_dialog
