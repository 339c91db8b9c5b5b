#pragma once

#include "editor_dialog/link_target.h"
#include "editor_dialog/pages.h"

#include <array>

class QLabel;

namespace editor_dialog {

// "LK" / "LK_OBJ": a link's caption and target. The answer comes in as the selected text, or as
// field text, a tab and field data; OK answers caption, a tab and target, cancel "".
class LinkPage final : public Page {
    Q_OBJECT
public:
    explicit LinkPage(QWidget *parent = nullptr);
    void setPictureMode(bool picture) { m_picture = picture; }
    void prepare(const QString &sAns) override;
    bool okCheck() override;
    QString apply() override { return m_answer; }

    void cmLnk(int index); // 0 a file, 1 a favourite, 2 the search page

    // Where the search page opens.
    static QString searchAddress();

signals:
    // A choice made with "SelText" checked confirms the page at once.
    void confirmNow();

private:
    void showState();
    void takeBoxes();

    LinkTarget m_state;
    QString m_answer;
    bool m_picture = false;
    std::array<QLineEdit *, 2> m_txLnk{}; // 0 target, 1 caption
    QCheckBox *m_chLnkHg = nullptr;
    std::array<QPushButton *, 3> m_cmLnk{};
    QLabel *m_lbMsg = nullptr;
};

} // namespace editor_dialog
