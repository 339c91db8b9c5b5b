#include "editor/menus/format_dialogs.h"

#include "editor/bars/font_name_box.h"
#include "editor/colours.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace editor {

namespace {

// Lengths are edited in centimetres, as the page dialogs show them.
constexpr double kTwipsPerCm = 567.0;

QDoubleSpinBox *cmBox(int twips, double low, QWidget *parent) {
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(low, 50);
    box->setDecimals(2);
    box->setSingleStep(0.25);
    box->setSuffix(QStringLiteral(" cm"));
    box->setValue(twips / kTwipsPerCm);
    return box;
}

int toTwips(const QDoubleSpinBox *box) {
    return qRound(box->value() * kTwipsPerCm);
}

// A button showing a colour that opens the colour dialog.
class ColourButton : public QPushButton {
public:
    ColourButton(int value, bool allowNone, QWidget *parent)
        : QPushButton(parent), m_value(value), m_allowNone(allowNone) {
        show(m_value);
        connect(this, &QPushButton::clicked, this, [this] {
            QColor chosen = m_value < 0 ? QColor(Qt::white) : colorFromValue(m_value);
            if (platform::dialogs().chooseColor(QStringLiteral("色の設定"), chosen) &&
                chosen.isValid())
                show(valueFromColor(chosen));
        });
    }
    int value() const { return m_value; }
    void clearColour() {
        if (m_allowNone)
            show(-1);
    }

private:
    void show(int value) {
        m_value = value;
        setText(value < 0 ? QStringLiteral("なし") : QString());
        setStyleSheet(value < 0
                          ? QString()
                          : QStringLiteral("background:%1").arg(colorFromValue(value).name()));
    }
    int m_value;
    bool m_allowNone;
};

QDialog *makeDialog(QWidget *parent, const QString &title, QFormLayout *&form) {
    auto *dialog = new QDialog(parent);
    dialog->setWindowTitle(title);
    form = new QFormLayout(dialog);
    return dialog;
}

bool run(QDialog *dialog, QFormLayout *form) {
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    form->addRow(buttons);
    return dialog->exec() == QDialog::Accepted;
}

} // namespace

bool QtFormatDialogs::editFont(QWidget *parent, FontValues &values) {
    QFormLayout *form = nullptr;
    std::unique_ptr<QDialog> dialog(makeDialog(parent, QStringLiteral("ﾌｫﾝﾄ"), form));
    auto *name = new FontNameBox(dialog.get());
    name->setCurrentFont(QFont(values.name));
    auto *size = new QDoubleSpinBox(dialog.get());
    size->setRange(1, 400);
    size->setDecimals(1);
    size->setValue(values.size);
    auto *bold = new QCheckBox(QStringLiteral("太字"), dialog.get());
    bold->setChecked(values.bold);
    auto *italic = new QCheckBox(QStringLiteral("斜体"), dialog.get());
    italic->setChecked(values.italic);
    auto *underline = new QCheckBox(QStringLiteral("下線"), dialog.get());
    underline->setChecked(values.underline);
    auto *strike = new QCheckBox(QStringLiteral("取り消し線"), dialog.get());
    strike->setChecked(values.strikeout);
    auto *colour = new ColourButton(values.color, false, dialog.get());
    form->addRow(QStringLiteral("フォント名"), name);
    form->addRow(QStringLiteral("サイズ"), size);
    form->addRow(bold);
    form->addRow(italic);
    form->addRow(underline);
    form->addRow(strike);
    form->addRow(QStringLiteral("文字色"), colour);
    if (!run(dialog.get(), form))
        return false;
    values.name = name->currentFont().family();
    values.size = size->value();
    values.bold = bold->isChecked();
    values.italic = italic->isChecked();
    values.underline = underline->isChecked();
    values.strikeout = strike->isChecked();
    values.color = colour->value();
    return true;
}

bool QtFormatDialogs::editParagraph(QWidget *parent, ParagraphValues &values) {
    QFormLayout *form = nullptr;
    std::unique_ptr<QDialog> dialog(makeDialog(parent, QStringLiteral("段落"), form));
    auto *alignment = new QComboBox(dialog.get());
    alignment->addItems({QStringLiteral("左揃え"), QStringLiteral("右揃え"),
                         QStringLiteral("中央揃え"), QStringLiteral("両端揃え")});
    alignment->setCurrentIndex(qBound(0, values.alignment, 3));
    auto *left = cmBox(values.leftIndent, 0, dialog.get());
    auto *right = cmBox(values.rightIndent, 0, dialog.get());
    auto *first = cmBox(values.firstLineIndent, -50, dialog.get());
    auto *before = cmBox(values.spaceBefore, 0, dialog.get());
    auto *after = cmBox(values.spaceAfter, 0, dialog.get());
    auto *spacing = new QSpinBox(dialog.get());
    spacing->setRange(0, 500);
    spacing->setSuffix(QStringLiteral(" %"));
    spacing->setSpecialValueText(QStringLiteral("自動"));
    spacing->setValue(values.lineSpacing == 7936 ? 0 : values.lineSpacing);
    form->addRow(QStringLiteral("配置"), alignment);
    form->addRow(QStringLiteral("左ｲﾝﾃﾞﾝﾄ"), left);
    form->addRow(QStringLiteral("右ｲﾝﾃﾞﾝﾄ"), right);
    form->addRow(QStringLiteral("1行目"), first);
    form->addRow(QStringLiteral("段落前"), before);
    form->addRow(QStringLiteral("段落後"), after);
    form->addRow(QStringLiteral("行間"), spacing);
    if (!run(dialog.get(), form))
        return false;
    values.alignment = alignment->currentIndex();
    values.leftIndent = toTwips(left);
    values.rightIndent = toTwips(right);
    values.firstLineIndent = toTwips(first);
    values.spaceBefore = toTwips(before);
    values.spaceAfter = toTwips(after);
    values.lineSpacing = spacing->value() == 0 ? 7936 : spacing->value();
    return true;
}

bool QtFormatDialogs::editList(QWidget *parent, ListValues &values) {
    QFormLayout *form = nullptr;
    std::unique_ptr<QDialog> dialog(makeDialog(parent, QStringLiteral("ﾘｽﾄ"), form));
    auto *kind = new QComboBox(dialog.get());
    kind->addItems(
        {QStringLiteral("なし"), QStringLiteral("箇条書き"), QStringLiteral("段落番号")});
    kind->setCurrentIndex(qBound(1, values.state, 3) - 1);
    form->addRow(QStringLiteral("種類"), kind);
    if (!run(dialog.get(), form))
        return false;
    values.state = kind->currentIndex() + 1;
    return true;
}

bool QtFormatDialogs::editTable(QWidget *parent, TableValues &values) {
    QFormLayout *form = nullptr;
    std::unique_ptr<QDialog> dialog(makeDialog(parent, QStringLiteral("表の属性"), form));
    auto *border = cmBox(values.border, 0, dialog.get());
    border->setDecimals(3);
    border->setSingleStep(0.025);
    auto *padding = cmBox(values.padding, 0, dialog.get());
    auto *width = new QSpinBox(dialog.get());
    width->setRange(0, 100);
    width->setSuffix(QStringLiteral(" %"));
    width->setSpecialValueText(QStringLiteral("自動"));
    width->setValue(values.widthPercent);
    auto *background = new ColourButton(values.cellBackground, true, dialog.get());
    auto *noBackground = new QPushButton(QStringLiteral("背景なし"), dialog.get());
    QObject::connect(noBackground, &QPushButton::clicked, background, &ColourButton::clearColour);
    form->addRow(QStringLiteral("罫線の太さ"), border);
    form->addRow(QStringLiteral("セルの余白"), padding);
    form->addRow(QStringLiteral("表の幅"), width);
    form->addRow(QStringLiteral("セルの背景色"), background);
    form->addRow(noBackground);
    if (!run(dialog.get(), form))
        return false;
    values.border = toTwips(border);
    values.padding = toTwips(padding);
    values.widthPercent = width->value();
    values.cellBackground = background->value();
    return true;
}

} // namespace editor
