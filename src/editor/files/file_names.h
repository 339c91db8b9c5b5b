#pragma once

#include <QString>

namespace editor {
class uTxm;
}

namespace editor::files {

// Format numbers of the text surface by the lower-cased extension of a file name (the part after
// the last "." of the name itself, so a folder with a "." does not count). "html" reads as "htm".
QString extensionOf(const QString &path);
// txt 1, htm 4, rtf 5, doc 9, docx 13; 0 for what cannot be loaded.
int loadFormatFor(const QString &extension);
// The load formats and pdf 12; 0 for what cannot be saved. htm goes through the converter.
int saveFormatFor(const QString &extension);
// The file-name part without a ".": the name gets ".doc".
QString withDefaultExtension(const QString &path);
bool fileExists(const QString &path);

// The dialogs' initial folder: the last folder, else what the host answers to QueryFolder,
// else the documents folder.
QString fillLastFolder(uTxm &editor);

// Filter pieces of the file dialogs.
namespace filter {
inline const QString Doc = QStringLiteral("ﾜｰﾄﾞ文書 97-2003(*.doc)|*.doc|");
inline const QString Docx = QStringLiteral("ﾜｰﾄﾞ文書 (*.docx)|*.docx|");
inline const QString Rtf = QStringLiteral("ﾘｯﾁﾃｷｽﾄ (*.rtf)|*.rtf|");
inline const QString Txt = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|");
inline const QString HtmlDocument = QStringLiteral("HTML Document(*.htm;*.html)|*.htm;*.html");
} // namespace filter

} // namespace editor::files
