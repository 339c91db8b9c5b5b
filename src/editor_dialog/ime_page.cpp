#include "editor_dialog/pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace editor_dialog {

ImePage::ImePage(QWidget *parent) : Page(parent) {
    auto *layout = new QVBoxLayout(this);
    m_chIME = new QCheckBox(QStringLiteral("文書を開いた時は､自動的にIMEを全角にする"), this);
    m_chIME->setObjectName(QStringLiteral("chIME"));
    layout->addWidget(m_chIME);
    auto *box = new QGroupBox(QStringLiteral("文書が修正された後に､別文書を開く場合"), this);
    auto *bl = new QVBoxLayout(box);
    m_opSave = new QButtonGroup(this);
    const QString captions[] = {QStringLiteral("更新 (上書き保存) の確認をする"),
                                QStringLiteral("自動的に更新 (上書き保存) する"),
                                QStringLiteral("何もしない (確認無し･自動更新無し)")};
    for (int i = 0; i < 3; ++i) {
        auto *option = new QRadioButton(captions[i], box);
        option->setObjectName(QStringLiteral("opSave%1").arg(i));
        m_opSave->addButton(option, i);
        bl->addWidget(option);
    }
    layout->addWidget(box);
    layout->addStretch(1);
}

void ImePage::prepare(const QString &sAns) {
    const ImeChoice choice = readImeAnswer(sAns);
    m_chIME->setChecked(choice.ime);
    m_opSave->button(choice.saveOption)->setChecked(true);
}

QString ImePage::apply() {
    ImeChoice choice;
    choice.ime = m_chIME->isChecked();
    choice.saveOption = m_opSave->checkedId() < 0 ? 0 : m_opSave->checkedId();
    return imeAnswer(choice);
}

} // namespace editor_dialog
