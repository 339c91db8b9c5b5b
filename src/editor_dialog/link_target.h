#pragma once

#include <QString>

namespace platform {
struct FileAnswer;
}

namespace editor_dialog {

// The link page without its window: the caption and target boxes, the "SelText" switch and the
// check that builds the answer "caption<TAB>target" the link command reads.
class LinkTarget {
public:
    enum class Check { Confirmed, NoTarget, NoCaption };

    // Splits the answer given to the page: caption part, a tab, target part.
    void prepare(const QString &sAns, bool pictureMode);

    QString caption; // txLnk(1)
    QString target;  // txLnk(0)
    bool captionEnabled = true;
    bool selTextChecked = false;
    bool selTextEnabled = false;

    const QString &selectedText() const { return m_selected; }
    const QString &suggestedCaption() const { return m_suggested; }
    const QString &lastFile() const { return m_lastFile; }
    // lbMsg.
    QString message() const;

    void setSelText(bool checked);

    // The outcome of the file or favourites dialog; true when the page is to be confirmed at once.
    bool fileChosen(const platform::FileAnswer &answer);
    bool favouriteChosen(const platform::FileAnswer &answer);

    // OK: the answer when confirmed.
    Check check(QString &answer) const;

private:
    bool afterChoice();

    QString m_selected;
    QString m_suggested;
    QString m_lastFile;
};

// The address an Internet shortcut points at: the text after "URL=" up to the line end in a
// ".url" file, or the URL of a ".desktop" file of Type=Link. Empty when there is none.
QString shortcutAddress(const QString &path);
// The same from the file's bytes; desktopEntry reads them as a ".desktop" file.
QString shortcutAddressOf(const QByteArray &bytes, bool desktopEntry);

// The messages of the OK check.
QString linkCheckMessage(LinkTarget::Check check);

} // namespace editor_dialog
