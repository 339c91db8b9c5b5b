#include "editor_dialog/link_target.h"

#include "platform/dialogs.h"
#include "settings/cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace editor_dialog {
namespace {

// A shortcut is a few lines; more than this is not one.
constexpr qint64 kMaxShortcutBytes = 64 * 1024;

QString decodeText(const QByteArray &bytes) {
    // Windows writes shortcuts in the system code page; files made here are UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return settings::decodeCp932(bytes);
}

// Unescapes a desktop-entry value (\s \n \t \r \\).
QString desktopValue(const QString &raw) {
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const QChar next = raw.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
        case 't':
        case 'r':
            break; // an address has no control characters
        default:
            out += next;
        }
    }
    return out.trimmed();
}

QString desktopLinkAddress(const QString &text) {
    bool inEntry = false;
    bool isLink = false;
    QString url;
    for (const QString &rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        if (!inEntry)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QStringLiteral("Type"))
            isLink = value == QStringLiteral("Link");
        else if (key == QStringLiteral("URL"))
            url = desktopValue(value);
    }
    return isLink ? url : QString();
}

QString urlFileAddress(const QString &text) {
    const qsizetype at = text.indexOf(QStringLiteral("URL="), 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const qsizetype start = at + 4;
    qsizetype end = start;
    while (end < text.size() && text.at(end) != QLatin1Char('\r') &&
           text.at(end) != QLatin1Char('\n'))
        ++end;
    return text.mid(start, end - start).trimmed();
}

QString trimmedCaption(const QString &text) {
    QString out = text;
    out.remove(QChar(1)); // the text control's field delimiter
    return out.trimmed();
}

} // namespace

QString shortcutAddressOf(const QByteArray &bytes, bool desktopEntry) {
    const QString text = decodeText(bytes.left(kMaxShortcutBytes));
    return desktopEntry ? desktopLinkAddress(text) : urlFileAddress(text);
}

QString shortcutAddress(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(kMaxShortcutBytes);
    return shortcutAddressOf(bytes, path.endsWith(QStringLiteral(".desktop"), Qt::CaseInsensitive));
}

void LinkTarget::prepare(const QString &sAns, bool pictureMode) {
    const qsizetype tab = sAns.indexOf(QLatin1Char('\t'));
    m_selected = trimmedCaption(tab < 0 ? sAns : sAns.left(tab));
    target = tab < 0 ? QString() : sAns.mid(tab + 1).trimmed();
    caption = m_selected;
    m_suggested.clear();
    // A picture's link has no caption of its own.
    selTextChecked = !pictureMode && !m_selected.isEmpty();
    selTextEnabled = selTextChecked;
    captionEnabled = !pictureMode && !selTextChecked;
}

QString LinkTarget::message() const {
    return captionEnabled ? QStringLiteral("ﾘﾝｸ先を指定して下さい") : QString();
}

void LinkTarget::setSelText(bool checked) {
    if (!selTextEnabled)
        return;
    selTextChecked = checked;
    captionEnabled = !checked;
    caption = checked ? m_selected : m_suggested;
}

bool LinkTarget::afterChoice() {
    if (selTextChecked)
        return true;
    if (captionEnabled)
        caption = m_suggested;
    return false;
}

bool LinkTarget::fileChosen(const platform::FileAnswer &answer) {
    if (!answer.accepted || answer.path.isEmpty()) {
        target.clear();
        return false;
    }
    target = answer.path;
    const QFileInfo info(answer.path);
    // Only the file name's extension goes: a dot in a folder name stays.
    const QString suffix = info.suffix();
    m_lastFile =
        suffix.isEmpty() ? answer.path : answer.path.left(answer.path.size() - suffix.size() - 1);
    m_suggested = info.fileName().section(QLatin1Char('.'), 0, 0);
    return afterChoice();
}

bool LinkTarget::favouriteChosen(const platform::FileAnswer &answer) {
    if (!answer.accepted || answer.path.isEmpty()) {
        target.clear();
        return false;
    }
    target = shortcutAddress(answer.path);
    m_suggested = QFileInfo(answer.path).completeBaseName();
    return afterChoice();
}

LinkTarget::Check LinkTarget::check(QString &answer) const {
    const QString c = caption.trimmed();
    const QString t = target.trimmed();
    if (t.isEmpty())
        return Check::NoTarget;
    if (c.isEmpty() && captionEnabled)
        return Check::NoCaption;
    answer = c + QLatin1Char('\t') + t;
    return Check::Confirmed;
}

QString linkCheckMessage(LinkTarget::Check check) {
    switch (check) {
    case LinkTarget::Check::NoTarget:
        return QStringLiteral("ﾘﾝｸ先が指定されていません");
    case LinkTarget::Check::NoCaption:
        return QStringLiteral("ｷｬﾌﾟｼｮﾝが指定されていません");
    case LinkTarget::Check::Confirmed:
        break;
    }
    return {};
}

} // namespace editor_dialog
