#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QPushButton;
class QVBoxLayout;

namespace platform {
class TextSurface;
class TextView;
} // namespace platform

namespace settings {
struct UserStyleTable;
}

namespace editor_dialog {

class FindReplace;
class Page;

// The editor's settings dialog: one page at a time, chosen by its two-letter code, prepared from
// an answer string and leaving its answer there.
class sbTxm final : public QDialog {
    Q_OBJECT
public:
    explicit sbTxm(QWidget *parent = nullptr);
    ~sbTxm() override;

    void cOn(platform::TextSurface &surface, platform::TextView *view);
    void cOff();
    // The editor's user style table, which page "US" edits and stores.
    void setUserStyles(settings::UserStyleTable *table);

    // Whether the dialog has a page for the code.
    static bool hasPage(const QString &sJb);
    static QString caption(const QString &sJb);
    static bool isLinkCode(const QString &sJb);

    // Shows page sJb modally; sAns carries the answer in and out. Answers whether the document
    // changed.
    bool Act(const QString &sJb, QString &sAns);

    // The steps of Act around the modal loop, for tests that drive the page themselves.
    bool prepare(const QString &sJb, const QString &sAns);
    void cmOk(int index); // 0 OK, 1 "ｷｬﾝｾﾙ"
    QString answer() const;
    bool changedDocument() const;
    Page *currentPage() const;

    // Replaces the modal loop (tests); the runner clicks what a user would.
    using ModalRunner = std::function<void(sbTxm &)>;
    static void setModalRunner(ModalRunner runner);

private:
    Page *pageFor(const QString &sJb);

    platform::TextSurface *m_surface = nullptr;
    platform::TextView *m_view = nullptr;
    QString m_code;
    QString m_answer;
    bool m_accepted = false;
    std::unique_ptr<FindReplace> m_finder;
    QWidget *m_frames = nullptr;
    QVBoxLayout *m_pageLayout = nullptr;
    Page *m_findPage = nullptr;
    Page *m_pageSetup = nullptr;
    Page *m_imePage = nullptr;
    Page *m_layoutPage = nullptr;
    Page *m_tablePage = nullptr;
    Page *m_displayPage = nullptr;
    Page *m_stylePage = nullptr;
    Page *m_linkPage = nullptr;
    settings::UserStyleTable *m_styles = nullptr;
    Page *m_current = nullptr;
    std::array<QPushButton *, 2> m_cmOk{};
};

} // namespace editor_dialog
