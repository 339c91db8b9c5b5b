#include "html/link_address.h"

#include "html/text_rules.h"

#include <QRegularExpression>

namespace html {
namespace {

const QLatin1String kFileScheme("file:///");

// A "file:///" address without its scheme; on systems without drive letters the path keeps
// its leading "/".
QString pathOfFileAddress(const QString &address) {
    QString out = address;
    const qsizetype at = out.indexOf(kFileScheme, 0, Qt::CaseInsensitive);
    if (at < 0)
        return out;
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    const QString rest = out.mid(at + kFileScheme.size());
    const bool hasDrive = drive.match(rest).hasMatch();
    out.remove(at, kFileScheme.size() - (hasDrive ? 0 : 1));
    return out;
}

// Addresses that already say where they lead: anchors, any scheme such as https: or mailto:,
// absolute paths. Joining them to the base folder would break them.
bool isSelfContained(const QString &address) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return address.isEmpty() || address.startsWith(u'#') || address.startsWith(u'/') ||
           address.startsWith(u'\\') || scheme.match(address).hasMatch();
}

QString joinToBase(const QString &address, const QString &baseAddress) {
    QString base = pathOfFileAddress(baseAddress);
    while (base.endsWith(u'/'))
        base.chop(1);
    QString rest = address;
    while (rest.startsWith(QLatin1String("../"))) {
        rest.remove(0, 3);
        const qsizetype slash = base.lastIndexOf(u'/');
        if (slash >= 0)
            base.truncate(slash);
    }
    return base + u'/' + rest;
}

// Addresses that run code when clicked. Browsers decode character references and skip
// whitespace and control characters in a scheme, so those are undone before the check.
bool runsScript(const QString &address) {
    static const QRegularExpression reference(QStringLiteral("&#(x?)([0-9a-fA-F]+);?"));
    QString decoded;
    qsizetype last = 0;
    for (auto it = reference.globalMatch(address); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        bool ok = false;
        const uint code = match.captured(2).toUInt(&ok, match.captured(1).isEmpty() ? 10 : 16);
        decoded += address.mid(last, match.capturedStart() - last);
        if (ok && code < 0x110000)
            decoded += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        last = match.capturedEnd();
    }
    decoded += address.mid(last);
    decoded.replace(QLatin1String("&amp;"), QLatin1String("&"));
    QString scheme;
    for (const QChar c : std::as_const(decoded)) {
        if (c == u':')
            break;
        if (c.unicode() > 0x20)
            scheme += c.toLower();
    }
    return scheme == QLatin1String("javascript") || scheme == QLatin1String("vbscript") ||
           scheme == QLatin1String("data");
}

} // namespace

QString rewriteLinkAttributes(const QString &attributes, const QString &baseAddress) {
    if (runsScript(textBetween(attributes, QStringLiteral("href=\""), QStringLiteral("\""))))
        return QString();
    if (attributes.contains(QLatin1String("#TP_")))
        return attributes;
    if (attributes.contains(QLatin1String("http://"), Qt::CaseInsensitive))
        return attributes;
    QString address = textBetween(attributes, QStringLiteral("href=\""), QStringLiteral("\""));
    if (address.startsWith(QLatin1String("#TG_"))) {
        QString target = address.mid(4);
        const qsizetype underscore = target.indexOf(u'_');
        if (underscore >= 0)
            target = target.mid(underscore + 1);
        address = pageFileName(target);
    } else if (address.contains(kFileScheme, Qt::CaseInsensitive)) {
        address = pathOfFileAddress(address);
    } else if (isSelfContained(address)) {
        return attributes;
    } else if (!baseAddress.isEmpty()) {
        address = joinToBase(address, baseAddress);
    }
    return QLatin1String("href=\"") + address + u'"';
}

} // namespace html
