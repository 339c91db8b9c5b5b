#include "editor/settings.h"

#include "settings/yini.h"

#include <cmath>

namespace editor {

namespace {

const QString kShown = QStringLiteral("表示");
const QString kHidden = QStringLiteral("非表示");

int twips(double value) {
    return int(std::nearbyint(value));
}

} // namespace

QString encodeBandLayout(const QList<BandState> &bands) {
    QString value;
    for (const BandState &band : bands) {
        if (band.control.isEmpty() || band.control.contains(u'-') || band.control.contains(u':'))
            return {};
        value += band.position + u'-' + QString::number(band.width) + u'-' +
                 (band.newRow ? u'N' : u'R') + u'-' + band.control + u':';
    }
    return value;
}

std::optional<QList<BandState>> decodeBandLayout(const QString &value) {
    if (value.isEmpty())
        return std::nullopt;
    QString trimmed = value;
    if (trimmed.endsWith(u':'))
        trimmed.chop(1);
    QStringList entries = trimmed.split(u':');
    // Exchange sort on the first character of the position, as the stored order expects.
    auto key = [](const QString &entry) { return entry.isEmpty() ? QChar() : entry.at(0); };
    for (qsizetype i = 0; i + 1 < entries.size(); ++i)
        for (qsizetype j = i + 1; j < entries.size(); ++j)
            if (key(entries.at(j)) < key(entries.at(i)))
                entries.swapItemsAt(i, j);
    QList<BandState> bands;
    for (const QString &entry : entries) {
        const QStringList fields = entry.split(u'-');
        if (fields.size() != 4 || !bandControlNames().contains(fields.at(3)))
            return std::nullopt;
        BandState band;
        band.position = fields.at(0);
        band.width = qMax(0, fields.at(1).toInt());
        band.newRow = fields.at(2) == QLatin1String("N");
        band.control = fields.at(3);
        bands.append(band);
    }
    return bands;
}

QString displayGroup(const QString &suffix) {
    return QStringLiteral("TX_DISP") + suffix;
}

QString barGroup(const QString &suffix) {
    return QStringLiteral("TX_BAR") + suffix;
}

void readEditorSettings(settings::yIni &ini, int mode, const QString &suffix,
                        EditorSettings &values) {
    if (mode != FileOpenedLoad) {
        ini.GetGtx(QStringLiteral("TX_PAGE"));
        platform::PageSetup &page = values.page;
        page.width = ini.vGtVal(QStringLiteral("WIDTH"), 12240);
        page.height = ini.vGtVal(QStringLiteral("HEIGHT"), 15840);
        page.marginLeft = twips(ini.vGtVal(QStringLiteral("M_LFT"), 850.5));
        page.marginTop = twips(ini.vGtVal(QStringLiteral("M_TOP"), 850.5));
        page.marginRight = ini.vGtVal(QStringLiteral("M_RGH"), 567);
        page.marginBottom = ini.vGtVal(QStringLiteral("M_BTM"), 567);
    }
    ini.GetGtx(displayGroup(suffix));
    values.viewMode = ini.vGtVal(QStringLiteral("MODE"), 0);
    values.zoom = ini.vGtVal(QStringLiteral("ZOOM"), 100);
    values.controlCharacters = ini.vGtVal(QStringLiteral("C_CH"), kShown) == kShown;
    if (mode != FullLoad)
        return;
    ini.GetGtx(barGroup(suffix));
    values.rulers = ini.vGtVal(QStringLiteral("RULE"), kHidden) == kShown;
    values.bandLayout = ini.vGtVal(QStringLiteral("C_BR"), QString());
    ini.GetGtx(QStringLiteral("TX_USR"));
    values.ime = ini.vGtVal(QStringLiteral("IME"), QStringLiteral("OFF"));
    values.updateMode = ini.vGtVal(QStringLiteral("更新確認"), QStringLiteral("確認"));
    values.picturePath = ini.vGtVal(QStringLiteral("WMF_PH"), QString());
    values.textFlow = ini.vGtVal(QStringLiteral("TX_FLW"), values.textFlow);
    values.colourReduction = ini.vGtVal(QStringLiteral("PC_CLR"), 0);
    values.plainPaste =
        ini.vGtVal(QStringLiteral("PAST_TX"), QStringLiteral("Rtex")) == QLatin1String("Text");
}

void writeEditorSettings(settings::yIni &ini, const QString &suffix, const EditorSettings &values) {
    ini.GetGtx(barGroup(suffix));
    ini.SetVal(QStringLiteral("RULE"), values.rulers ? kShown : kHidden);
    ini.SetVal(QStringLiteral("C_BR"), values.bandLayout);
    ini.SetGtx();

    ini.GetGtx(displayGroup(suffix));
    ini.SetVal(QStringLiteral("MODE"), values.viewMode);
    ini.SetVal(QStringLiteral("ZOOM"), values.zoom);
    ini.SetVal(QStringLiteral("C_CH"), values.controlCharacters ? kShown : kHidden);
    ini.SetGtx();

    ini.GetGtx(QStringLiteral("TX_USR"));
    ini.SetVal(QStringLiteral("IME"), values.ime);
    ini.SetVal(QStringLiteral("更新確認"), values.updateMode);
    ini.SetVal(QStringLiteral("WMF_PH"), values.picturePath);
    ini.SetVal(QStringLiteral("TX_FLW"), values.textFlow);
    ini.SetVal(QStringLiteral("PC_CLR"), values.colourReduction);
    ini.SetVal(QStringLiteral("PAST_TX"),
               values.plainPaste ? QStringLiteral("Text") : QStringLiteral("Rtex"));
    ini.SetGtx();
}

void writeDisplaySettings(settings::yIni &ini, const QString &suffix, int viewMode, int zoom) {
    ini.GetGtx(displayGroup(suffix));
    ini.SetVal(QStringLiteral("MODE"), viewMode);
    ini.SetVal(QStringLiteral("ZOOM"), zoom);
    ini.SetGtx();
}

} // namespace editor
