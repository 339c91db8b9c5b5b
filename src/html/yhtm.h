#pragma once

#include "html/converter.h"

#include <QString>
#include <functional>

namespace settings {
struct UserStyleTable;
}

namespace html {

// Saves the editor's document as a stored HTML page: the text surface exports the page with
// its pictures, the converter rewrites it in place with a generated style sheet.
class yHtm {
public:
    // The surface's HTML export: writes the page to sFileName and its pictures into
    // NAME_images beside it; bPng asks for PNG pictures. False when it could not.
    using ExportPage = std::function<bool(const QString &sFileName, bool bPng)>;

    // styles is read at each conversion; it must outlive this object.
    explicit yHtm(const settings::UserStyleTable &styles);

    // Exports and converts; the page at sFileName is replaced by the converted one.
    HtmStatus cSaveHtm(const ExportPage &xExport, bool bPng, const QString &sFileName,
                       const QString &sTooltips, const QString &sTitle);

    // Exports and converts without writing the page back: sStyleBlock receives the style
    // element, sBody the text between "<body>" and "</body>". sIgnored is not used.
    HtmStatus cGetHtm(const ExportPage &xExport, const QString &sFileName, const QString &sTooltips,
                      const QString &sIgnored, QString &sStyleBlock, QString &sBody);

    // The export step of cSaveHtm and cGetHtm.
    static HtmStatus exportPage(const ExportPage &xExport, bool bPng, const QString &sFileName);

    // The steps after the export, on the page the surface already wrote to sFileName.
    HtmStatus saveExported(const QString &sFileName, const QString &sTooltips,
                           const QString &sTitle) const;
    HtmStatus getExported(const QString &sFileName, const QString &sTooltips, QString &sStyleBlock,
                          QString &sBody) const;

    // Page file name of a tag link target: "7" gives "007.htm"; ".htm"/".html" names stay.
    static QString HsFName(const QString &sName);

private:
    ConvertedPage convertFile(const QString &sFileName, const QString &sTooltips,
                              const QString &sTitle) const;

    const settings::UserStyleTable &m_styles;
};

} // namespace html
