#include "scripted_dialogs.h"

namespace testsupport {

using platform::Answer;
using platform::Buttons;

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const Shown &s : shown)
        if (s.kind == QLatin1String("message"))
            out << s.text;
    return out;
}

Answer ScriptedDialogs::message(const QString &text, Buttons buttons, platform::Icon,
                                const QString &title, Answer defaultAnswer) {
    shown.append({QStringLiteral("message"), text, title, buttons, {}, defaultAnswer});
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    case Buttons::YesNoCancel:
    case Buttons::YesNo:
        return Answer::Yes;
    }
    return Answer::Ok;
}

bool ScriptedDialogs::input(const QString &prompt, const QString &title, QString &text) {
    shown.append({QStringLiteral("input"), prompt, title, Buttons::OkCancel, {}});
    if (inputs.isEmpty())
        return false;
    const QString answer = inputs.dequeue();
    if (answer.isNull())
        return false;
    text = answer;
    return true;
}

platform::FileAnswer ScriptedDialogs::openFile(const platform::FileRequest &request) {
    shown.append(
        {QStringLiteral("open"), request.title, request.title, Buttons::OkCancel, request});
    return files.isEmpty() ? platform::FileAnswer{} : files.dequeue();
}

platform::FileAnswer ScriptedDialogs::saveFile(const platform::FileRequest &request) {
    shown.append(
        {QStringLiteral("save"), request.title, request.title, Buttons::OkCancel, request});
    return files.isEmpty() ? platform::FileAnswer{} : files.dequeue();
}

QString ScriptedDialogs::chooseFolder(const QString &title, const QString &) {
    shown.append({QStringLiteral("folder"), title, title, Buttons::OkCancel, {}});
    return folders.isEmpty() ? QString() : folders.dequeue();
}

bool ScriptedDialogs::chooseColor(const QString &title, QColor &color) {
    shown.append({QStringLiteral("color"), title, title, Buttons::OkCancel, {}});
    if (colors.isEmpty())
        return false;
    const QColor c = colors.dequeue();
    if (!c.isValid())
        return false;
    color = c;
    return true;
}

bool ScriptedDialogs::chooseFont(const QString &title, QFont &font) {
    shown.append({QStringLiteral("font"), title, title, Buttons::OkCancel, {}});
    if (fonts.isEmpty())
        return false;
    font = fonts.dequeue();
    return true;
}

platform::PrintAnswer ScriptedDialogs::print(const platform::PrintRequest &request) {
    shown.append({QStringLiteral("print"), request.printerName, QString(), Buttons::OkCancel, {}});
    printRequests.append(request);
    return prints.isEmpty() ? platform::PrintAnswer{} : prints.dequeue();
}

bool ScriptedDialogs::form(const QString &title, QList<platform::FormField> &fields) {
    shown.append({QStringLiteral("form"), title, title, Buttons::OkCancel, {}});
    formsShown.append(fields);
    if (forms.isEmpty())
        return false;
    const QVariantMap answer = forms.dequeue();
    for (platform::FormField &field : fields)
        if (answer.contains(field.label))
            field.value = answer.value(field.label);
    return true;
}

ScriptedDialogsGuard::ScriptedDialogsGuard()
    : m_dialogs(new ScriptedDialogs),
      m_previous(platform::setDialogs(std::unique_ptr<platform::Dialogs>(m_dialogs))) {}

ScriptedDialogsGuard::~ScriptedDialogsGuard() {
    platform::setDialogs(std::move(m_previous));
}

} // namespace testsupport
