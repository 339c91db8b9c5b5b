// The XML of a Word document part, inside a well-formed package, so that the fuzzer spends its
// time on the part readers rather than on the zip structure.
#include "fuzz_support.h"
#include "platform/text/docx/docx_codec.h"

#include <QBuffer>
#include <QTextDocument>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

DRJVO_FUZZ_INIT

namespace {

QByteArray package(const QByteArray &document) {
    static const QByteArray rels =
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)";
    QByteArray out;
    QBuffer buffer(&out);
    QuaZip zip(&buffer);
    zip.open(QuaZip::mdCreate);
    for (const auto &[name, data] : {std::pair{QStringLiteral("_rels/.rels"), rels},
                                     std::pair{QStringLiteral("word/document.xml"), document}}) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, 0, 0);
        file.write(data);
        file.close();
    }
    zip.close();
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QTextDocument main;
    platform::TextContent content;
    content.main = &main;
    platform::docx::read(package(fuzzsupport::bytes(data, size)), content);
    return 0;
}
