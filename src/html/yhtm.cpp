#include "html/yhtm.h"

#include "html/image_folder.h"
#include "html/text_rules.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace html {
namespace {

bool readUtf8(const QString &fileName, QString &text) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8);
    text = decoder.decode(file.readAll());
    return true;
}

bool writeUtf8(const QString &fileName, const QString &text) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace

yHtm::yHtm(const settings::UserStyleTable &styles) : m_styles(styles) {}

HtmStatus yHtm::exportPage(const ExportPage &xExport, bool bPng, const QString &sFileName) {
    if (!xExport || !xExport(sFileName, bPng))
        return {HtmError::Export, QStringLiteral("HTMLの書き出しに失敗しました: ") + sFileName};
    return {};
}

HtmStatus yHtm::cSaveHtm(const ExportPage &xExport, bool bPng, const QString &sFileName,
                         const QString &sTooltips, const QString &sTitle) {
    const HtmStatus exported = exportPage(xExport, bPng, sFileName);
    if (!exported.ok())
        return exported;
    return saveExported(sFileName, sTooltips, sTitle);
}

HtmStatus yHtm::cGetHtm(const ExportPage &xExport, const QString &sFileName,
                        const QString &sTooltips, const QString &sIgnored, QString &sStyleBlock,
                        QString &sBody) {
    Q_UNUSED(sIgnored);
    const HtmStatus exported = exportPage(xExport, false, sFileName);
    if (!exported.ok())
        return exported;
    return getExported(sFileName, sTooltips, sStyleBlock, sBody);
}

ConvertedPage yHtm::convertFile(const QString &sFileName, const QString &sTooltips,
                                const QString &sTitle) const {
    ConvertedPage page;
    QString exported;
    if (!readUtf8(sFileName, exported)) {
        page.status = {HtmError::Read, QStringLiteral("ファイルを読み込めません: ") + sFileName};
        return page;
    }
    page = convertPage(exported, {sFileName, sTooltips, sTitle}, m_styles);
    // The picture folder follows the page once its body was found, as the rewritten sources do.
    if (page.status.error != HtmError::NoBody)
        renameImageFolder(sFileName);
    return page;
}

HtmStatus yHtm::saveExported(const QString &sFileName, const QString &sTooltips,
                             const QString &sTitle) const {
    const ConvertedPage page = convertFile(sFileName, sTooltips, sTitle);
    if (!page.status.ok())
        return page.status;
    if (!writeUtf8(sFileName, page.page()))
        return {HtmError::Write, QStringLiteral("ファイルに書き込めません: ") + sFileName};
    return {};
}

HtmStatus yHtm::getExported(const QString &sFileName, const QString &sTooltips,
                            QString &sStyleBlock, QString &sBody) const {
    const ConvertedPage page = convertFile(sFileName, sTooltips, QString());
    if (!page.status.ok())
        return page.status;
    sStyleBlock = page.styleBlock;
    sBody = textBetween(page.body, QStringLiteral("<body>"), QStringLiteral("</body>"));
    return {};
}

QString yHtm::HsFName(const QString &sName) {
    return pageFileName(sName);
}

} // namespace html
