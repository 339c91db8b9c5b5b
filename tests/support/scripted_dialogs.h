#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace testsupport {

// A Dialogs double that answers from queues and records everything it was shown. A question
// with no queued answer gets the box's first button (Ok / Yes / Abort); a file dialog with no
// queued answer is cancelled.
class ScriptedDialogs final : public platform::Dialogs {
public:
    struct Shown {
        // "message", "input", "open", "save", "folder", "color", "font", "print", "form"
        QString kind;
        QString text; // message text, input prompt or dialog title
        QString title;
        platform::Buttons buttons = platform::Buttons::Ok;
        platform::FileRequest request;
        platform::Answer defaultAnswer = platform::Answer::Ok;
        QWidget *parent = platform::dialogParent(); // the window the dialog would stand over
    };

    QQueue<platform::Answer> answers;
    QQueue<QString> inputs; // a null QString means "cancel"
    QQueue<platform::FileAnswer> files;
    QQueue<QString> folders;
    QQueue<QColor> colors; // an invalid colour means "cancel"
    QQueue<QFont> fonts;
    QQueue<platform::PrintAnswer> prints; // none queued: the dialog is cancelled
    QList<Shown> shown;
    QList<platform::PrintRequest> printRequests; // every print dialog shown, in order
    // Form answers by label, one map a form; none queued: the form is cancelled.
    QQueue<QVariantMap> forms;
    QList<QList<platform::FormField>> formsShown; // every form as it was shown

    // Texts of every message box shown, in order.
    QStringList messages() const;

    platform::Answer message(const QString &text, platform::Buttons buttons, platform::Icon icon,
                             const QString &title, platform::Answer defaultAnswer) override;
    bool input(const QString &prompt, const QString &title, QString &text) override;
    platform::FileAnswer openFile(const platform::FileRequest &request) override;
    platform::FileAnswer saveFile(const platform::FileRequest &request) override;
    QString chooseFolder(const QString &title, const QString &folder) override;
    bool chooseColor(const QString &title, QColor &color) override;
    bool chooseFont(const QString &title, QFont &font) override;
    platform::PrintAnswer print(const platform::PrintRequest &request) override;
    bool form(const QString &title, QList<platform::FormField> &fields) override;
};

// Installs a ScriptedDialogs for the lifetime of the guard and gives access to it.
class ScriptedDialogsGuard {
public:
    ScriptedDialogsGuard();
    ~ScriptedDialogsGuard();
    ScriptedDialogs &operator*() { return *m_dialogs; }
    ScriptedDialogs *operator->() { return m_dialogs; }

private:
    ScriptedDialogs *m_dialogs;
    std::unique_ptr<platform::Dialogs> m_previous;
};

} // namespace testsupport
