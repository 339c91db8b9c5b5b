#include "rtf_parser.h"

#include "platform/text/text_surface_util.h"
#include "rtf_common.h"

#include <QBuffer>
#include <QImageReader>

namespace platform::rtf::detail {

namespace {

constexpr int MaxInstructionChars = 4096;
constexpr int MaxNameChars = 256;

int storyOf(QByteArrayView name) {
    if (name == "header" || name == "headerl" || name == "headerr")
        return 1;
    if (name == "headerf")
        return 2;
    if (name == "footer" || name == "footerl" || name == "footerr")
        return 3;
    if (name == "footerf")
        return 4;
    return 0;
}

bool isSkipped(QByteArrayView name) {
    static const QList<QByteArrayView> skipped{
        "stylesheet", "info",      "footnote",          "annotation", "object",         "filetbl",
        "revtbl",     "pn",        "listtext",          "pntext",     "nonshppict",     "xe",
        "tc",         "template",  "rsidtbl",           "mmathPr",    "fldtype",        "atnid",
        "atnauthor",  "shp",       "shpinst",           "do",         "nesttableprops", "comment",
        "sp",         "themedata", "colorschememapping"};
    return skipped.contains(name);
}

// The link a field instruction names: HYPERLINK "url", HYPERLINK \l "anchor".
QString linkOf(const QString &instruction) {
    QString s = instruction.trimmed();
    if (!s.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    s = s.mid(9).trimmed();
    bool anchor = false;
    QString target;
    int i = 0;
    while (i < s.size() && target.isEmpty()) {
        if (s.at(i).isSpace()) {
            ++i;
        } else if (s.at(i) == u'\\') {
            anchor = anchor || s.mid(i, 2) == QLatin1String("\\l");
            i += 2;
            // A switch with an argument of its own (\t target, \o tip) takes it along.
            if (s.mid(i - 2, 2) != QLatin1String("\\l")) {
                while (i < s.size() && s.at(i).isSpace())
                    ++i;
                if (i < s.size() && s.at(i) == u'"') {
                    const qsizetype end = s.indexOf(u'"', i + 1);
                    i = end < 0 ? int(s.size()) : int(end) + 1;
                }
            }
        } else if (s.at(i) == u'"') {
            ++i;
            while (i < s.size() && s.at(i) != u'"') {
                if (s.at(i) == u'\\' && i + 1 < s.size())
                    ++i;
                target += s.at(i++);
            }
            ++i;
            if (target.isEmpty())
                return {};
        } else {
            while (i < s.size() && !s.at(i).isSpace())
                target += s.at(i++);
        }
    }
    if (target.isEmpty())
        return {};
    return anchor ? u'#' + target : target;
}

} // namespace

bool Parser::fail(const QString &reason) {
    if (!m_failed)
        m_error = reason;
    m_failed = true;
    return false;
}

bool Parser::run(QString *error) {
    Token t = m_tokens.next();
    if (t.kind != Token::Open) {
        fail(QStringLiteral("not an RTF file"));
    } else {
        m_stack.append(State());
        t = m_tokens.next();
        if (t.kind != Token::Word || t.name != "rtf")
            fail(QStringLiteral("not an RTF file"));
    }
    while (!m_failed) {
        if (t.kind != Token::Text && t.kind != Token::Hex)
            flush();
        switch (t.kind) {
        case Token::End:
            if (!m_rootClosed)
                fail(QStringLiteral("the RTF file ends before its last group is closed"));
            break;
        case Token::Error:
            fail(QStringLiteral("damaged RTF at byte %1").arg(m_tokens.position()));
            break;
        case Token::Open:
            openGroup();
            break;
        case Token::Close:
            closeGroup();
            break;
        case Token::Word:
            word(t);
            break;
        case Token::Symbol:
            symbol(t.symbol);
            break;
        case Token::Hex:
            hexByte(t.symbol);
            break;
        case Token::Text:
            text(t.name);
            break;
        }
        if (t.kind == Token::End || m_rootClosed)
            break;
        t = m_tokens.next();
    }
    // After the last brace only white space and padding may follow.
    if (!m_failed && m_rootClosed) {
        for (Token rest = m_tokens.next(); rest.kind != Token::End; rest = m_tokens.next()) {
            bool blank = rest.kind == Token::Text;
            for (char c : rest.name)
                blank = blank && (c == ' ' || c == '\t' || c == '\0');
            if (!blank) {
                fail(QStringLiteral("the RTF file goes on after its last group"));
                break;
            }
        }
    }
    if (!m_failed && m_rootClosed) {
        finishStory(top());
        m_model.defaultFamily = m_fonts.value(m_defaultFont).name;
        for (std::size_t i = 0; i < m_builds.size(); ++i)
            if (m_builds[i].tableOpen)
                closeTable(m_builds[i]);
    }
    if (m_failed && error)
        *error = m_error;
    return !m_failed;
}

bool Parser::openGroup() {
    if (m_stack.size() >= MaxDepth)
        return fail(QStringLiteral("the RTF groups are nested too deeply"));
    State state = top();
    // Inside a private destination or the colour table, nested groups carry nothing of ours.
    if (state.dest == Dest::Rest || state.dest == Dest::DefaultFont ||
        state.dest == Dest::ColorTable)
        state.dest = Dest::Skip;
    m_stack.append(state);
    return true;
}

bool Parser::closeGroup() {
    m_skip = 0;
    if (m_stack.size() <= 1) {
        m_rootClosed = true;
        return true;
    }
    const State closed = m_stack.takeLast();
    switch (closed.dest) {
    case Dest::Picture:
        if (top().dest == Dest::Body)
            finishPicture(closed);
        break;
    case Dest::Rest:
        finishRest(closed);
        break;
    case Dest::DefaultFont: {
        QFont font;
        if (m_destText.size() <= MaxNameChars && font.fromString(m_destText) &&
            font.pointSizeF() <= 16384 && font.pixelSize() <= 16384) {
            Story &story = m_model.stories[std::size_t(closed.story)];
            story.defaultFont = font;
            story.hasDefaultFont = true;
        }
        m_destText.clear();
        break;
    }
    case Dest::FontTable:
        m_destText.clear();
        break;
    default:
        break;
    }
    if (closed.dest == Dest::Body && closed.story != top().story)
        finishStory(closed);
    return true;
}

bool Parser::destination(QByteArrayView name, bool starred) {
    State &s = top();
    if (name == "fonttbl") {
        s.dest = Dest::FontTable;
    } else if (name == "colortbl") {
        s.dest = Dest::ColorTable;
        m_red = m_green = m_blue = -1;
    } else if (name == "listtable") {
        s.dest = Dest::ListTable;
    } else if (name == "listoverridetable") {
        s.dest = Dest::ListOverrides;
    } else if (name == "pict") {
        s.dest = Dest::Picture;
        m_picture = Picture();
    } else if (name == "shppict") {
        // The picture inside is read like any other.
    } else if (name == "field") {
        if (m_fields.size() < MaxTableCells) {
            m_fields.append(Field());
            s.field = int(m_fields.size() - 1);
            s.result = false;
        }
    } else if (name == "fldinst") {
        s.dest = s.field >= 0 && s.dest == Dest::Body ? Dest::FieldInstruction : Dest::Skip;
        m_destText.clear();
    } else if (name == "fldrslt") {
        s.result = s.field >= 0;
    } else if (const int story = storyOf(name)) {
        if (s.dest != Dest::Body || s.story != 0 || m_model.stories[std::size_t(story)].present) {
            s.dest = Dest::Skip;
        } else {
            m_model.stories[std::size_t(story)].present = true;
            s.story = story;
            s.para = ParagraphState();
            s.chr = QTextCharFormat();
            s.field = -1;
            s.result = false;
        }
    } else if (name == CharRest || name == ParagraphRest || name == TableRest || name == CellRest ||
               name == ListRest) {
        s.dest = Dest::Rest;
        s.rest = name;
        m_rest.clear();
        m_restNibble = -1;
    } else if (name == DefaultFont) {
        s.dest = s.dest == Dest::Body ? Dest::DefaultFont : Dest::Skip;
        m_destText.clear();
    } else if (starred || isSkipped(name)) {
        s.dest = Dest::Skip;
    } else {
        return false;
    }
    return true;
}

void Parser::word(const Token &t) {
    const QByteArrayView name = t.name;
    if (name == "bin") {
        QByteArrayView data;
        if (!t.hasParam || !m_tokens.takeBinary(t.param, &data)) {
            fail(QStringLiteral("\\bin names more bytes than the file holds"));
            return;
        }
        if (top().dest == Dest::Picture && m_picture.bytes.size() + data.size() <= MaxPictureBytes)
            m_picture.bytes.append(data);
        return;
    }
    if (m_skip > 0 && top().dest != Dest::Skip) {
        --m_skip;
        return;
    }
    State &s = top();
    if (s.dest == Dest::Skip)
        return;
    if (name == "u" && t.hasParam) {
        const char16_t unit = char16_t(t.param < 0 ? t.param + 65536 : t.param);
        const QString ch(QChar{unit});
        if (s.dest == Dest::Body)
            appendText(ch);
        else if ((s.dest == Dest::FontTable || s.dest == Dest::FieldInstruction ||
                  s.dest == Dest::DefaultFont) &&
                 m_destText.size() < MaxInstructionChars)
            m_destText += ch;
        m_skip = s.uc;
        return;
    }
    if (name == "uc" && t.hasParam) {
        s.uc = qBound(0, t.param, 8);
        return;
    }
    switch (s.dest) {
    case Dest::FontTable:
    case Dest::ColorTable:
    case Dest::ListTable:
    case Dest::ListOverrides:
        tableEntryWord(name, t);
        return;
    case Dest::Picture:
        if (name == "pngblip")
            m_picture.kind = 1;
        else if (name == "jpegblip")
            m_picture.kind = 2;
        else if (name == "picwgoal" && t.param > 0 && t.param <= MaxTwips)
            m_picture.goalWidth = t.param;
        else if (name == "pichgoal" && t.param > 0 && t.param <= MaxTwips)
            m_picture.goalHeight = t.param;
        else if (name == "picscalex" && t.param > 0 && t.param <= 10000)
            m_picture.scaleX = t.param;
        else if (name == "picscaley" && t.param > 0 && t.param <= 10000)
            m_picture.scaleY = t.param;
        else if (name == "emfblip" || name == "wmetafile" || name == "dibitmap" ||
                 name == "wbitmap" || name == "macpict" || name == "pmmetafile")
            m_picture.kind = 0;
        else if (name == "*")
            ;
        else
            destination(name, false);
        return;
    case Dest::Body:
        break;
    default:
        destination(name, false);
        return;
    }
    if (destination(name, false))
        return;
    if (name == "par" || name == "sect") {
        endParagraph(false);
    } else if (name == "line") {
        appendText(QString(QChar(0x2028)));
    } else if (name == "tab") {
        appendText(QStringLiteral("\t"));
    } else if (name == "page") {
        StoryBuild &b = m_builds[std::size_t(s.story)];
        if (!b.open.runs.isEmpty())
            endParagraph(false);
        b.pageBreakNext = true;
    } else if (name == "cell") {
        endCell();
    } else if (name == "row") {
        endRow();
    } else if (name == "nestcell") {
        endParagraph(false);
    } else if (name == "emdash") {
        appendText(QString(QChar(0x2014)));
    } else if (name == "endash") {
        appendText(QString(QChar(0x2013)));
    } else if (name == "lquote") {
        appendText(QString(QChar(0x2018)));
    } else if (name == "rquote") {
        appendText(QString(QChar(0x2019)));
    } else if (name == "ldblquote") {
        appendText(QString(QChar(0x201C)));
    } else if (name == "rdblquote") {
        appendText(QString(QChar(0x201D)));
    } else if (name == "bullet") {
        appendText(QString(QChar(0x2022)));
    } else if (name == "emspace" || name == "enspace" || name == "qmspace") {
        appendText(QStringLiteral(" "));
    } else if (!charWord(name, t) && !paragraphWord(name, t) && !tableWord(name, t)) {
        documentWord(name, t);
    }
}

void Parser::symbol(char c) {
    if (c == '*') {
        // \* before a destination this reader does not know: the group is skipped.
        const Token next = m_tokens.next();
        if (next.kind != Token::Word) {
            if (next.kind == Token::Error)
                fail(QStringLiteral("damaged RTF at byte %1").arg(m_tokens.position()));
            else if (next.kind == Token::Close)
                closeGroup();
            else if (next.kind == Token::Open)
                openGroup();
            return;
        }
        if (top().dest != Dest::Skip)
            destination(next.name, true);
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        text(QByteArrayView(&c, 1));
        return;
    case '~':
        if (top().dest == Dest::Body)
            appendText(QString(QChar(0xA0)));
        return;
    case '_':
        if (top().dest == Dest::Body)
            appendText(QString(QChar(0x2011)));
        return;
    case '\t':
        if (top().dest == Dest::Body)
            appendText(QStringLiteral("\t"));
        return;
    default:
        return;
    }
}

void Parser::hexByte(char byte) {
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    const State &s = top();
    if (s.dest == Dest::Skip || s.dest == Dest::Picture || s.dest == Dest::Rest ||
        s.dest == Dest::ColorTable || s.dest == Dest::ListTable || s.dest == Dest::ListOverrides)
        return;
    const int codePage = s.dest == Dest::FontTable && m_fonts.contains(m_fontEntry)
                             ? m_fonts.value(m_fontEntry).codePage
                             : s.codePage;
    const int effective = codePage ? codePage : m_ansiCodePage;
    if (!m_pending.isEmpty() && effective != m_pendingCodePage)
        flush();
    m_pendingCodePage = effective;
    m_pending.append(byte);
}

namespace {

void appendHex(QByteArrayView text, QByteArray &out, int &nibble, qsizetype limit) {
    for (char c : text) {
        int v = -1;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        if (v < 0)
            continue;
        if (nibble < 0) {
            nibble = v;
        } else {
            if (out.size() < limit)
                out.append(char(nibble * 16 + v));
            nibble = -1;
        }
    }
}

} // namespace

void Parser::text(QByteArrayView bytes) {
    if (m_skip > 0) {
        const qsizetype n = qMin(qsizetype(m_skip), bytes.size());
        m_skip -= int(n);
        bytes = bytes.sliced(n);
        if (bytes.isEmpty())
            return;
    }
    State &s = top();
    switch (s.dest) {
    case Dest::Skip:
    case Dest::ListTable:
    case Dest::ListOverrides:
        return;
    case Dest::Picture:
        appendHex(bytes, m_picture.bytes, m_picture.nibble, MaxPictureBytes);
        return;
    case Dest::Rest:
        appendHex(bytes, m_rest, m_restNibble, 1 << 20);
        return;
    case Dest::ColorTable:
        for (char c : bytes)
            if (c == ';' && m_colors.size() < MaxTableEntries) {
                m_colors.append(m_red < 0 && m_green < 0 && m_blue < 0
                                    ? QColor()
                                    : QColor(qMax(m_red, 0), qMax(m_green, 0), qMax(m_blue, 0)));
                m_red = m_green = m_blue = -1;
            }
        return;
    case Dest::FontTable:
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != ';') {
                hexByte(bytes[i]);
                continue;
            }
            flush();
            if (m_fonts.contains(m_fontEntry))
                m_fonts[m_fontEntry].name = m_destText.trimmed();
            m_destText.clear();
        }
        return;
    default:
        break;
    }
    // Plain ASCII needs no code page.
    bool ascii = m_pending.isEmpty();
    for (qsizetype i = 0; ascii && i < bytes.size(); ++i)
        ascii = uchar(bytes[i]) < 0x80;
    if (ascii) {
        const QString latin = QString::fromLatin1(bytes);
        if (s.dest == Dest::Body)
            appendText(latin);
        else if (m_destText.size() < MaxInstructionChars)
            m_destText += latin;
        if (s.dest == Dest::FieldInstruction)
            flush();
        return;
    }
    for (char c : bytes)
        hexByte(c);
}

void Parser::flush() {
    const State &s = top();
    if (!m_pending.isEmpty()) {
        const QString decoded = decodeCodePage(m_pendingCodePage, m_pending);
        m_pending.clear();
        if (s.dest == Dest::Body)
            appendText(decoded);
        else if (m_destText.size() < MaxInstructionChars)
            m_destText += decoded;
    }
    if (s.dest == Dest::FieldInstruction && !m_destText.isEmpty()) {
        Field &f = m_fields[s.field];
        if (f.instruction.size() < MaxInstructionChars)
            f.instruction += m_destText;
        m_destText.clear();
    }
}

void Parser::fieldResultFormat(QTextCharFormat &format) {
    const State &s = top();
    if (!s.result || s.field < 0 || format.hasProperty(TextProp::FieldId))
        return;
    Field &f = m_fields[s.field];
    if (!f.parsed) {
        f.parsed = true;
        f.data = linkOf(f.instruction);
        if (!f.data.isEmpty())
            f.id = m_nextFieldId++;
    }
    if (f.id == 0)
        return;
    format.setProperty(TextProp::FieldId, f.id);
    format.setProperty(TextProp::FieldData, f.data);
    format.setProperty(TextProp::FieldLinkKind, 1);
    format.setProperty(TextProp::FieldAttribute, 149);
}

void Parser::appendText(const QString &text) {
    State &s = top();
    if (s.dest != Dest::Body || text.isEmpty())
        return;
    QTextCharFormat format = s.chr;
    fieldResultFormat(format);
    appendRun(text, format);
}

void Parser::appendRun(const QString &text, const QTextCharFormat &format) {
    StoryBuild &b = m_builds[std::size_t(top().story)];
    b.touched = true;
    QList<Run> &runs = b.open.runs;
    if (!runs.isEmpty() && !format.isImageFormat() && !runs.last().format.isImageFormat() &&
        runs.last().format == format)
        runs.last().text += text;
    else
        runs.append(Run{text, format});
}

void Parser::endParagraph(bool cell) {
    State &s = top();
    StoryBuild &b = m_builds[std::size_t(s.story)];
    Paragraph p = std::move(b.open);
    b.open = Paragraph();
    b.touched = false;
    p.block = finishedBlock(s.para);
    if (b.pageBreakNext) {
        p.block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        b.pageBreakNext = false;
    }
    p.mark = s.chr;
    p.list = s.para.list;
    p.level = s.para.level;
    if (cell || s.para.inTable) {
        if (b.cellParagraphs.size() < MaxTableCells)
            b.cellParagraphs.append(std::move(p));
        return;
    }
    if (b.tableOpen)
        closeTable(b);
    m_model.stories[std::size_t(s.story)].items.emplace_back(std::move(p));
}

void Parser::endCell() {
    endParagraph(true);
    StoryBuild &b = m_builds[std::size_t(top().story)];
    if (b.rowCells.size() >= MaxRowCells) {
        b.cellParagraphs.clear();
        return;
    }
    Cell cell;
    cell.paragraphs = std::move(b.cellParagraphs);
    b.cellParagraphs.clear();
    b.rowCells.append(std::move(cell));
}

void Parser::endRow() {
    StoryBuild &b = m_builds[std::size_t(top().story)];
    if (!b.cellParagraphs.isEmpty())
        endCell();
    if (b.rowCells.isEmpty())
        return;
    m_cells += b.rowCells.size();
    if (m_cells > MaxTableCells) {
        fail(QStringLiteral("the RTF tables have too many cells"));
        return;
    }
    Row row;
    row.hasRest = b.rowDef.hasRest;
    row.tableRest = b.rowDef.tableRest;
    int left = b.rowDef.left;
    for (qsizetype i = 0; i < b.rowCells.size(); ++i) {
        Cell &cell = b.rowCells[i];
        cell.def = i < b.rowDef.cells.size() ? b.rowDef.cells.at(i) : CellDef();
        if (cell.def.right <= left)
            cell.def.right = left + 1440;
        cell.left = left;
        left = cell.def.right;
        if (cell.def.hmerge && !row.cells.isEmpty())
            row.cells.last().def.right = cell.def.right;
        else
            row.cells.append(std::move(cell));
    }
    b.rowCells.clear();
    b.table.rows.append(std::move(row));
    b.tableOpen = true;
}

void Parser::closeTable(StoryBuild &build) {
    if (!build.table.rows.isEmpty())
        m_model.stories[std::size_t(&build - m_builds.data())].items.emplace_back(
            std::move(build.table));
    build.table = Table();
    build.tableOpen = false;
}

void Parser::finishStory(const State &state) {
    StoryBuild &b = m_builds[std::size_t(state.story)];
    // The paragraph still open ends with the story's group, in the group's state.
    if (b.touched || !b.open.runs.isEmpty()) {
        m_stack.append(state);
        endParagraph(false);
        m_stack.removeLast();
    }
    if (b.tableOpen)
        closeTable(b);
}

void Parser::finishPicture(const State &state) {
    if (m_picture.kind == 0 || m_picture.bytes.isEmpty())
        return;
    QBuffer buffer(&m_picture.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, m_picture.kind == 1 ? "png" : "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > MaxPicturePixels)
        return;
    if (reader.read().isNull())
        return;
    QTextImageFormat image;
    mergeFormat(image, state.chr);
    image.setObjectType(QTextFormat::ImageObject);
    if (!image.hasProperty(QTextFormat::ImageName))
        image.setName(surfaceutil::imageName(m_picture.bytes));
    // A picture shown at its own size keeps no size of its own.
    const auto shown = [](int goal, int natural, int scale) {
        return goal > 0 && (goal != natural * 15 || scale != 100)
                   ? pxFromTwips(goal) * scale / 100.0
                   : 0.0;
    };
    const double width = shown(m_picture.goalWidth, size.width(), m_picture.scaleX);
    const double height = shown(m_picture.goalHeight, size.height(), m_picture.scaleY);
    if (!image.hasProperty(QTextFormat::ImageWidth) && width > 0)
        image.setWidth(width);
    if (!image.hasProperty(QTextFormat::ImageHeight) && height > 0)
        image.setHeight(height);
    if (!m_model.images.contains(image.name()))
        m_model.images.insert(image.name(), m_picture.bytes);
    QTextCharFormat format = image;
    fieldResultFormat(format);
    appendRun(QString(QChar::ObjectReplacementCharacter), format);
    m_picture = Picture();
}

void Parser::finishRest(const State &closed) {
    QTextFormat format;
    if (!decodeFormat(m_rest, &format))
        return;
    m_rest.clear();
    State &s = top();
    StoryBuild &b = m_builds[std::size_t(s.story)];
    if (closed.rest == CharRest && format.isCharFormat()) {
        mergeFormat(s.chr, format);
    } else if (closed.rest == ParagraphRest && format.isBlockFormat()) {
        mergeFormat(s.para.block, format);
    } else if (closed.rest == TableRest && format.isTableFormat()) {
        b.rowDef.hasRest = true;
        b.rowDef.tableRest = format;
    } else if (closed.rest == CellRest && format.isCharFormat()) {
        b.rowDef.current.hasRest = true;
        b.rowDef.current.rest = format;
    } else if (closed.rest == ListRest && format.isListFormat()) {
        m_listCurrent.hasRest = true;
        m_listCurrent.rest = format;
    }
}

bool parse(const QByteArray &bytes, Model &model, QString *error) {
    Parser parser(bytes, model);
    return parser.run(error);
}

} // namespace platform::rtf::detail
