#include "editor/bars/bands.h"

#include "editor/bars/font_name_box.h"
#include "editor/bars/tool_icons.h"
#include "editor/colours.h"
#include "editor/commands.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

namespace {

const char *toolTipOf(const QString &key) {
    static const QHash<QString, const char *> tips = {
        {QStringLiteral("New"), "新規作成"},        {QStringLiteral("Open"), "開く"},
        {QStringLiteral("Save"), "文書を更新"},     {QStringLiteral("Print"), "印刷"},
        {QStringLiteral("Preview"), "印刷ﾌﾟﾚﾋﾞｭｰ"}, {QStringLiteral("Cut"), "切り取り"},
        {QStringLiteral("Copy"), "ｺﾋﾟｰ"},           {QStringLiteral("Paste"), "貼り付け"},
        {QStringLiteral("Undo"), "元に戻す"},       {QStringLiteral("Redo"), "やり直し"},
        {QStringLiteral("Find"), "検索"},
    };
    return tips.value(key, "");
}

QToolButton *toolButton(QWidget *parent, const QIcon &icon, const QString &tip, bool checkable) {
    auto *button = new QToolButton(parent);
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    return button;
}

} // namespace

ToolBarBand::ToolBarBand(QWidget *parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("tlBar"));
    setIconSize(QSize(18, 18));
    for (const ToolbarKey &k : toolbarKeys()) {
        const QString key = QString::fromLatin1(k.key);
        QAction *action = addAction(toolIcon(key), QString::fromUtf8(toolTipOf(key)));
        action->setObjectName(key);
        m_actions.insert(key, action);
        connect(action, &QAction::triggered, this, [this, key] { emit keyClicked(key); });
        if (key == QLatin1String("Preview") || key == QLatin1String("Paste") ||
            key == QLatin1String("Redo"))
            addSeparator();
    }
}

ColourBand::ColourBand(QWidget *parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frFmt"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
    imFcr = new ColourPicker(ColourTarget::Text, this);
    imFcr->setObjectName(QStringLiteral("imFcr"));
    cmFcr = toolButton(this, toolIcon(QStringLiteral("TextColour")),
                       pickerToolTip(ColourTarget::Text), false);
    cmFcr->setObjectName(QStringLiteral("cmFcr"));
    cmFcr->setEnabled(false);
    imBcr = new ColourPicker(ColourTarget::Background, this);
    imBcr->setObjectName(QStringLiteral("imBcr"));
    cmBcr = toolButton(this, toolIcon(QStringLiteral("BackColour")),
                       pickerToolTip(ColourTarget::Background), false);
    cmBcr->setObjectName(QStringLiteral("cmBcr"));
    cmBcr->setEnabled(false);
    cmTfm = new QToolButton(this);
    cmTfm->setObjectName(QStringLiteral("cmTfm"));
    cmTfm->setText(QStringLiteral("書式"));
    cmTfm->setToolTip(QStringLiteral("書式の貼り付け"));
    row->addWidget(cmFcr);
    row->addWidget(imFcr);
    row->addWidget(cmBcr);
    row->addWidget(imBcr);
    row->addWidget(cmTfm);
}

FormatBand::FormatBand(QWidget *parent) : QFrame(parent) {
    setObjectName(QStringLiteral("vButton"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);
    m_font = new FontNameBox(this);
    // Squeezed, the box would show a few letters of the name; keep room for a whole one.
    const int readable =
        m_font->fontMetrics().horizontalAdvance(QStringLiteral("ＭＳ Ｐゴシック")) +
        m_font->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    m_font->setMinimumWidth(readable);
    m_font->setMaximumWidth(qMax(180, readable));
    m_size = new QComboBox(this);
    m_size->setEditable(true);
    for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72})
        m_size->addItem(QString::number(s));
    m_size->setMaximumWidth(60);
    m_bold = toolButton(this, toolIcon(QStringLiteral("Bold")), QStringLiteral("太字"), true);
    m_italic = toolButton(this, toolIcon(QStringLiteral("Italic")), QStringLiteral("斜体"), true);
    m_underline =
        toolButton(this, toolIcon(QStringLiteral("Underline")), QStringLiteral("下線"), true);
    row->addWidget(m_font);
    row->addWidget(m_size);
    row->addWidget(m_bold);
    row->addWidget(m_italic);
    row->addWidget(m_underline);
    const QStringList alignKeys = {QStringLiteral("AlignLeft"), QStringLiteral("AlignRight"),
                                   QStringLiteral("AlignCenter"), QStringLiteral("AlignJustify")};
    const QStringList alignTips = {QStringLiteral("左揃え"), QStringLiteral("右揃え"),
                                   QStringLiteral("中央揃え"), QStringLiteral("両端揃え")};
    // Shown left, centre, right, justify; numbered as the surface numbers them.
    for (int i : {0, 2, 1, 3}) {
        QToolButton *button = toolButton(this, toolIcon(alignKeys.at(i)), alignTips.at(i), true);
        button->setProperty("alignment", i);
        m_alignments.append(button);
        row->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, i] {
            if (!m_showing)
                emit alignmentChosen(i);
        });
    }
    m_bullets =
        toolButton(this, toolIcon(QStringLiteral("Bullets")), QStringLiteral("箇条書き"), true);
    m_numbers =
        toolButton(this, toolIcon(QStringLiteral("Numbers")), QStringLiteral("段落番号"), true);
    row->addWidget(m_bullets);
    row->addWidget(m_numbers);
    row->addStretch();
    connect(m_font, &FontNameBox::currentFontChanged, this, [this](const QFont &font) {
        if (!m_showing)
            emit fontNameChosen(font.family());
    });
    connect(m_size, &QComboBox::textActivated, this, [this](const QString &text) {
        bool ok = false;
        const double size = text.toDouble(&ok);
        if (ok && size > 0 && !m_showing)
            emit sizeChosen(size);
    });
    connect(m_bold, &QToolButton::toggled, this, [this](bool on) {
        if (!m_showing)
            emit boldToggled(on);
    });
    connect(m_italic, &QToolButton::toggled, this, [this](bool on) {
        if (!m_showing)
            emit italicToggled(on);
    });
    connect(m_underline, &QToolButton::toggled, this, [this](bool on) {
        if (!m_showing)
            emit underlineToggled(on);
    });
    connect(m_bullets, &QToolButton::clicked, this, [this](bool on) {
        if (!m_showing)
            emit listChosen(on ? 2 : 1);
    });
    connect(m_numbers, &QToolButton::clicked, this, [this](bool on) {
        if (!m_showing)
            emit listChosen(on ? 3 : 1);
    });
}

void FormatBand::show(const State &state) {
    m_showing = true;
    if (!state.fontName.isEmpty()) {
        // A font that is not installed (a style font from another system) is drawn with a
        // substitute, but the text keeps its name: the box names it, not the substitute.
        m_font->setCurrentFont(QFont(state.fontName));
    }
    m_size->setCurrentText(QString::number(state.size));
    m_bold->setChecked(state.bold);
    m_italic->setChecked(state.italic);
    m_underline->setChecked(state.underline);
    for (QToolButton *button : std::as_const(m_alignments))
        button->setChecked(button->property("alignment").toInt() == state.alignment);
    m_bullets->setChecked(state.listState == 2);
    m_numbers->setChecked(state.listState == 3);
    m_showing = false;
}

FormatBand::State FormatBand::shown() const {
    State state;
    state.fontName = m_font->currentFont().family();
    state.size = m_size->currentText().toDouble();
    state.bold = m_bold->isChecked();
    state.italic = m_italic->isChecked();
    state.underline = m_underline->isChecked();
    for (const QToolButton *button : m_alignments)
        if (button->isChecked())
            state.alignment = button->property("alignment").toInt();
    state.listState = m_bullets->isChecked() ? 2 : (m_numbers->isChecked() ? 3 : 1);
    return state;
}

StatusBand::StatusBand(QWidget *parent) : QFrame(parent) {
    setObjectName(QStringLiteral("vStatus"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 1, 4, 1);
    for (QLabel **label : {&m_page, &m_line, &m_column, &m_zoom}) {
        *label = new QLabel(this);
        (*label)->setFrameShape(QFrame::StyledPanel);
        (*label)->setMinimumWidth(70);
        row->addWidget(*label);
    }
    row->addStretch();
    show(1, 1, 1, 1, 100);
}

void StatusBand::show(int page, int pages, int line, int column, int zoom) {
    m_page->setText(QStringLiteral("ﾍﾟｰｼﾞ %1/%2").arg(page).arg(pages));
    m_line->setText(QStringLiteral("行 %1").arg(line));
    m_column->setText(QStringLiteral("列 %1").arg(column));
    m_zoom->setText(QStringLiteral("%1 %").arg(zoom));
}

QString StatusBand::text() const {
    return QStringList{m_page->text(), m_line->text(), m_column->text(), m_zoom->text()}.join(u' ');
}

BandBar::BandBar(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("clBar"));
    m_rows = new QVBoxLayout(this);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(1);
}

void BandBar::addBand(QWidget *control, bool newRow) {
    control->setParent(this);
    m_bands.append(Band{control, true, newRow || m_bands.isEmpty(), 0});
    relayout();
}

QWidget *BandBar::control(int band) const {
    return band >= 0 && band < m_bands.size() ? m_bands.at(band).control : nullptr;
}

int BandBar::bandOf(const QString &controlName) const {
    for (int i = 0; i < m_bands.size(); ++i)
        if (m_bands.at(i).control->objectName() == controlName)
            return i;
    return -1;
}

bool BandBar::bandVisible(int band) const {
    return band >= 0 && band < m_bands.size() && m_bands.at(band).visible;
}

void BandBar::setBandVisible(int band, bool visible) {
    if (band < 0 || band >= m_bands.size())
        return;
    m_bands[band].visible = visible;
    relayout();
}

QList<BandState> BandBar::layoutState() const {
    QList<BandState> states;
    for (int i = 0; i < m_bands.size(); ++i) {
        const Band &band = m_bands.at(i);
        BandState state;
        state.position = QString::number(i + 1);
        if (band.visible) {
            const int shown = band.control->isVisible() ? band.control->width() : 0;
            const int kept = band.width > 0 ? band.width : band.control->sizeHint().width();
            state.width = qMax(1, shown > 0 ? shown : kept);
        }
        state.newRow = band.newRow;
        state.control = band.control->objectName();
        states.append(state);
    }
    return states;
}

void BandBar::restore(const QList<BandState> &states) {
    QList<Band> bands;
    for (const BandState &state : states) {
        const int from = bandOf(state.control);
        if (from < 0)
            return;
        Band band = m_bands.at(from);
        band.visible = state.width > 0;
        band.width = state.width > 0 ? state.width : 500;
        band.newRow = bands.isEmpty() || state.newRow;
        bands.append(band);
    }
    if (bands.size() != m_bands.size())
        return;
    m_bands = bands;
    relayout();
}

void BandBar::relayout() {
    while (QLayoutItem *item = m_rows->takeAt(0)) {
        if (QLayout *row = item->layout()) {
            while (QLayoutItem *inner = row->takeAt(0))
                delete inner;
        }
        delete item;
    }
    QHBoxLayout *row = nullptr;
    for (const Band &band : std::as_const(m_bands)) {
        band.control->setVisible(band.visible);
        if (!band.visible)
            continue;
        if (!row || band.newRow) {
            row = new QHBoxLayout;
            row->setSpacing(4);
            m_rows->addLayout(row);
        }
        row->addWidget(band.control);
    }
    for (int i = 0; i < m_rows->count(); ++i)
        if (auto *r = qobject_cast<QHBoxLayout *>(m_rows->itemAt(i)->layout()))
            r->addStretch();
}

} // namespace editor
