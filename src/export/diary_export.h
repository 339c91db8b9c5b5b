#pragma once

#include <QDate>
#include <QString>
#include <functional>

namespace diary {
class Store;
}
namespace settings {
struct UserStyleTable;
}

// The whole diary, or a range of it, written out as a book or as files.
namespace diaryexport {

enum class Form {
    PdfBook,    // one PDF: each entry from a new page under its date, pages numbered
    HtmlPages,  // a folder: one page per entry and "index.html" by year and month
    WordFolder, // a folder of "yyyy-MM-dd.docx"
    PlainText,  // one text file
};

struct Range {
    QDate from;
    QDate to;
};
// Every entry from the first to the last; an empty range for an empty diary.
Range wholeDiary(diary::Store &store);
Range year(int y);
Range month(int y, int m);

struct Request {
    Form form = Form::PdfBook;
    Range range;
    // The file (PDF, text) or the folder (HTML, Word) to make; it must not exist yet.
    QString target;
};

// done of total entries; false cancels.
using Progress = std::function<bool(int done, int total)>;

struct Result {
    bool ok = false;
    bool cancelled = false;
    int entries = 0;
    QString message; // for the user when not ok
};

// The heading of an entry: its date in full.
QString dateHeading(const QDate &date);

// Reads the rows and never writes them. Everything is written under a temporary name first and
// renamed into place at the end, so a cancel or a failure leaves nothing behind.
Result exportDiary(diary::Store &store, const Request &request,
                   const settings::UserStyleTable &styles, const Progress &progress = {});

} // namespace diaryexport
