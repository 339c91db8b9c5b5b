#include "settings/yini.h"

#include "platform/dialogs.h"
#include "settings/cp932.h"
#include "settings/value_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <limits>

namespace settings {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kRootEnd = QStringLiteral("</運用>");
const QString kKeyIndent = QStringLiteral("      ");
const QString kGroupIndent = QStringLiteral("   ");

QString startTag(const QString &name) {
    return u'<' + name + u'>';
}
QString endTag(const QString &name) {
    return QStringLiteral("</") + name + u'>';
}

QString withLineBreaks(QString piece) {
    piece.replace(yIni::LineMark, kCrLf);
    return piece;
}

// A value is element text: markup characters are escaped so that a value cannot end or open an
// element, and a character the file's code page cannot hold is written as a reference to it.
QString escapedValue(const QString &value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value.at(i);
        if (ch == u'&')
            out += QLatin1String("&amp;");
        else if (ch == u'<')
            out += QLatin1String("&lt;");
        else if (ch == u'>')
            out += QLatin1String("&gt;");
        else if (ch.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
            out += QStringLiteral("&#x%1;").arg(QChar::surrogateToUcs4(ch, value.at(i + 1)), 0, 16);
            ++i;
        } else if (ch.isSurrogate() || !survivesCp932(QString(ch)))
            out += QStringLiteral("&#x%1;").arg(ch.unicode(), 0, 16);
        else
            out += ch;
    }
    return out;
}

// References the file may hold; anything else after "&" is kept as it stands.
QString unescapedValue(const QString &text) {
    if (!text.contains(u'&'))
        return text;
    static const QRegularExpression reference(
        QStringLiteral("&(?:(amp|lt|gt|quot|apos)|#([0-9]{1,7})|#x([0-9A-Fa-f]{1,6}));"));
    QString out;
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = reference.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        char32_t code = 0;
        if (m.hasCaptured(1)) {
            static const QHash<QString, char32_t> names{{QStringLiteral("amp"), U'&'},
                                                        {QStringLiteral("lt"), U'<'},
                                                        {QStringLiteral("gt"), U'>'},
                                                        {QStringLiteral("quot"), U'"'},
                                                        {QStringLiteral("apos"), U'\''}};
            code = names.value(m.captured(1));
        } else {
            bool ok = false;
            code = m.hasCaptured(2) ? m.captured(2).toUInt(&ok) : m.captured(3).toUInt(&ok, 16);
            if (!ok || code == 0 || code > 0x10FFFF || QChar::isSurrogate(code))
                continue;
        }
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += QString::fromUcs4(&code, 1);
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

} // namespace

QString yIni::skeleton() {
    return QStringLiteral("<?xml version='1.0' encoding='Shift-JIS' ?>") + kCrLf +
           QStringLiteral("<運用>") + kCrLf + kRootEnd;
}

void yIni::GetTxt(const QString &sFL, bool &bOk) {
    bOk = false;
    m_doc.clear();
    m_unreadable = false;
    m_file = sFL;
    const qsizetype dv = m_file.indexOf(QLatin1String("_DV.xml"), 0, Qt::CaseInsensitive);
    if (dv >= 0)
        m_file.replace(dv, 7, QStringLiteral(".xml"));

    QFile file(m_file);
    if (file.exists()) {
        bool decoded = false;
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            decoded = file.error() == QFileDevice::NoError;
            if (decoded && !bytes.isEmpty() && bytes.front() != '\r' && bytes.front() != '\n')
                m_doc = decodeCp932(bytes, &decoded);
        }
        if (!decoded) {
            // Keep the user's file: it is moved aside, never overwritten, when settings are saved.
            m_doc.clear();
            m_unreadable = true;
            platform::dialogs().message(QStringLiteral("ﾕｰｻﾞｰ環境ﾌｧｲﾙ(") + m_file +
                                        QStringLiteral(") が読み込めません\n元のﾌｧｲﾙは ") +
                                        freeBackupName() + QStringLiteral(" として残します"));
            return;
        }
    } else if (!file.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        return;
    }
    if (m_doc.isEmpty())
        m_doc = skeleton();
    bOk = true;
}

void yIni::SetTxt(bool &bOk) {
    bOk = false;
    if (m_file.isEmpty())
        return;
    if (m_unreadable && QFileInfo::exists(m_file)) {
        if (!QFile::rename(m_file, freeBackupName()))
            return;
    }
    const bool fresh = !QFileInfo::exists(m_file);
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return;
    // Settings hold the user's own paths and words: private, unless the user chose otherwise.
    if (fresh)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = encodeCp932(m_doc);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return;
    }
    if (!file.commit())
        return;
    m_unreadable = false;
    bOk = true;
}

void yIni::removeLeftovers(const QString &sFL) {
    const QFileInfo info(sFL);
    const QDir dir = info.absoluteDir();
    static const QRegularExpression temporary(QStringLiteral("^[A-Za-z0-9]{6}$"));
    const QStringList names = dir.entryList({info.fileName() + QStringLiteral(".??????")},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        if (temporary.match(name.mid(info.fileName().size() + 1)).hasMatch())
            QFile::remove(dir.filePath(name));
}

QString yIni::freeBackupName() const {
    QString name = m_file + QStringLiteral(".bak");
    for (int n = 1; QFileInfo::exists(name); ++n)
        name = m_file + u'.' + QString::number(n) + QStringLiteral(".bak");
    return name;
}

void yIni::GetGtx(const QString &sGp) {
    m_group = sGp;
    m_groupText = innerText(m_doc, sGp, true);
}

void yIni::SetGtx() {
    if (m_group.isEmpty())
        return;
    if (m_doc.isEmpty())
        m_doc = skeleton();
    const QString st = startTag(m_group);
    const QString et = endTag(m_group);
    const qsizetype start = m_doc.indexOf(st);
    if (start >= 0) {
        const qsizetype inner = start + st.size() + kCrLf.size();
        const qsizetype end = m_doc.indexOf(et, inner);
        if (end >= 0) {
            m_doc = m_doc.left(inner) + m_groupText + kGroupIndent + m_doc.mid(end);
            return;
        }
    }
    const QString block =
        withLineBreaks(kGroupIndent + st + LineMark + m_groupText + kGroupIndent + et + LineMark);
    qsizetype rootEnd = m_doc.indexOf(kRootEnd);
    if (rootEnd < 0) {
        // A document that lost its root end tag gets it back rather than losing the group.
        m_doc += kCrLf;
        rootEnd = m_doc.size();
        m_doc += kRootEnd;
    }
    m_doc.insert(rootEnd, block);
}

QString yIni::innerText(const QString &searched, const QString &name, bool group) const {
    if (searched.isEmpty())
        return {};
    const QString st = startTag(name);
    const qsizetype start = searched.indexOf(st);
    const qsizetype end = searched.indexOf(endTag(name));
    if (start < 0 && end < 0)
        return {};
    if (start >= 0 && end >= 0 && end >= start) {
        qsizetype from = start + st.size();
        qsizetype to = end;
        if (group) {
            from += kCrLf.size();
            to -= kGroupIndent.size();
        }
        return to > from ? searched.mid(from, to - from) : QString();
    }
    damaged(name);
    return {};
}

void yIni::damaged(const QString &name) const {
    platform::dialogs().message(startTag(name) + QStringLiteral(" の設定が読み込めません\n") +
                                QStringLiteral("ﾕｰｻﾞｰ環境ﾌｧｲﾙ(") + m_file +
                                QStringLiteral(") が破損しています"));
}

QString yIni::storedText(const QString &sKy) {
    return unescapedValue(innerText(m_groupText, sKy, false));
}

QString yIni::vGtVal(const QString &sKy, const QString &vDef) {
    const QString text = storedText(sKy);
    return text.isEmpty() ? vDef : text;
}

QString yIni::vGtVal(const QString &sKy, const char *vDef) {
    return vGtVal(sKy, QString::fromUtf8(vDef));
}

QString yIni::vGtVal(const QString &sKy, const char16_t *vDef) {
    return vGtVal(sKy, QString::fromUtf16(vDef));
}

bool yIni::vGtVal(const QString &sKy, bool vDef) {
    const QString text = storedText(sKy);
    if (text.isEmpty())
        return vDef;
    return parseBool(text).value_or(vDef);
}

qint64 yIni::integerValue(const QString &sKy, qint64 vDef, qint64 lowest, qint64 highest) {
    const QString text = storedText(sKy);
    if (text.isEmpty())
        return vDef;
    return roundHalfEven(numericPrefix(text), lowest, highest);
}

double yIni::vGtVal(const QString &sKy, double vDef) {
    const QString text = storedText(sKy);
    return text.isEmpty() ? vDef : numericPrefix(text);
}

QDate yIni::vGtVal(const QString &sKy, const QDate &vDef) {
    const QDateTime value = parseDateTime(storedText(sKy));
    return value.isValid() ? value.date() : vDef;
}

QDateTime yIni::vGtVal(const QString &sKy, const QDateTime &vDef) {
    const QDateTime value = parseDateTime(storedText(sKy));
    return value.isValid() ? value : vDef;
}

void yIni::SetVal(const QString &sKy, const QString &value) {
    const QString vVL = escapedValue(value);
    const QString st = startTag(sKy);
    const QString et = endTag(sKy);
    const qsizetype start = m_groupText.indexOf(st);
    if (start >= 0) {
        const qsizetype inner = start + st.size();
        const qsizetype end = m_groupText.indexOf(et, inner);
        if (end >= 0) {
            m_groupText.replace(inner, end - inner, vVL);
            return;
        }
    }
    m_groupText.prepend(withLineBreaks(kKeyIndent + st + vVL + et + LineMark));
}

void yIni::SetVal(const QString &sKy, const char *vVL) {
    SetVal(sKy, QString::fromUtf8(vVL));
}

void yIni::SetVal(const QString &sKy, const char16_t *vVL) {
    SetVal(sKy, QString::fromUtf16(vVL));
}

void yIni::SetVal(const QString &sKy, bool vVL) {
    SetVal(sKy, boolText(vVL));
}

void yIni::SetVal(const QString &sKy, double vVL) {
    SetVal(sKy, numberText(vVL));
}

void yIni::SetVal(const QString &sKy, float vVL) {
    SetVal(sKy, numberText(vVL));
}

void yIni::SetVal(const QString &sKy, const QDate &vVL) {
    SetVal(sKy, dateText(vVL));
}

void yIni::SetVal(const QString &sKy, const QDateTime &vVL) {
    SetVal(sKy, dateTimeText(vVL));
}

} // namespace settings
