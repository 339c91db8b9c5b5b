#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QPrinter;
class QWidget;

namespace platform {

// Buttons and answers of a message box, numbered as the classic message box numbers them so that
// stored and documented values keep their meaning.
enum class Buttons { Ok = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4 };
enum class Icon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class Answer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// A file dialog request. The filter is in "description|pattern|description|pattern" form,
// patterns separated by ";"; the filter index is 1-based.
struct FileRequest {
    QString title;
    QString folder;   // initial folder, empty for the dialog's own choice
    QString fileName; // proposed file name (may be a full path)
    QString filter;
    int filterIndex = 1;
    bool mustExist = true; // open dialogs: the chosen file has to exist
};

struct FileAnswer {
    bool accepted = false;
    QString path;        // full path of the chosen file
    int filterIndex = 1; // the filter the user left selected
};

// The print dialog, or the printer set-up dialog when setupOnly is set. The dialog edits printer
// (null for a printer without a Qt printer behind it); the page range runs 1 … maxPage.
struct PrintRequest {
    bool setupOnly = false;
    QPrinter *printer = nullptr;
    QString printerName;
    int maxPage = 1;
    int fromPage = 1;
    int toPage = 1;
    int copies = 1;
};

struct PrintAnswer {
    bool accepted = false;
    QString printerName; // the printer chosen
    int copies = 1;
    int fromPage = 1;
    int toPage = 1;
};

// One value of a form: a number (int or double) within minimum … maximum, a choice (the value is
// the index into choices), a text, or a note the user cannot change.
struct FormField {
    QString label;
    QVariant value;
    double minimum = 0;
    double maximum = 0;
    int decimals = 0; // a double shown with this many decimals
    QStringList choices;
    bool readOnly = false;
};

// Every modal question, message, input box and file/colour/font dialog goes through here, so that
// tests can answer them from a script instead of a person.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // title empty means the application title "drJvo".
    virtual Answer message(const QString &text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None, const QString &title = {},
                           Answer defaultAnswer = Answer::Ok) = 0;
    // Returns false when cancelled; text receives the answer.
    virtual bool input(const QString &prompt, const QString &title, QString &text) = 0;
    virtual FileAnswer openFile(const FileRequest &request) = 0;
    virtual FileAnswer saveFile(const FileRequest &request) = 0;
    virtual QString chooseFolder(const QString &title, const QString &folder) = 0;
    // Returns false when cancelled.
    virtual bool chooseColor(const QString &title, QColor &color) = 0;
    virtual bool chooseFont(const QString &title, QFont &font) = 0;
    virtual PrintAnswer print(const PrintRequest &request) = 0;
    // A form of labelled values; on OK the fields hold the answers. False when cancelled; a
    // Dialogs without forms cancels.
    virtual bool form(const QString &title, QList<FormField> &fields);
};

// The process-wide instance; the Qt implementation until a test installs another one.
Dialogs &dialogs();
// Installs a replacement (tests) and returns the previous one.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> replacement);

// Parent for the modal dialogs of the Qt implementation (the main window once it exists).
void setDialogParent(QWidget *parent);
QWidget *dialogParent();

// Dialogs shown while it lives stand over window (a second window asking its own questions);
// the previous parent comes back afterwards.
class DialogParentScope {
public:
    explicit DialogParentScope(QWidget *window);
    ~DialogParentScope();
    DialogParentScope(const DialogParentScope &) = delete;
    DialogParentScope &operator=(const DialogParentScope &) = delete;

private:
    QWidget *m_previous;
};

// The application title shown on message boxes.
QString appTitle();

// "desc|pat;pat|desc|pat" into Qt's "desc (pat pat);;desc (pat)" form, one entry per pair.
QStringList qtFilters(const QString &filter);

} // namespace platform
