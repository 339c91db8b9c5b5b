#include "rtf_parser.h"

#include "rtf_common.h"

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

// A shape's own description is skipped; its result (the picture or frame older readers show)
// is read like the text around it.
bool isSkipped(QByteArrayView name) {
    static const QList<QByteArrayView> skipped{"stylesheet", "info",
                                               "footnote",   "annotation",
                                               "object",     "filetbl",
                                               "revtbl",     "pn",
                                               "listtext",   "pntext",
                                               "nonshppict", "xe",
                                               "tc",         "template",
                                               "rsidtbl",    "mmathPr",
                                               "fldtype",    "atnid",
                                               "atnauthor",  "shpinst",
                                               "do",         "nesttableprops",
                                               "comment",    "sp",
                                               "themedata",  "colorschememapping"};
    return skipped.contains(name);
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
    } else if (name == FrameEnd) {
        if (s.dest == Dest::Body)
            frameMark(FrameMark{false, QTextFrameFormat()});
        s.dest = Dest::Skip;
    } else if (name == CharRest || name == ParagraphRest || name == TableRest || name == CellRest ||
               name == ListRest || name == FrameBegin) {
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

bool parse(const QByteArray &bytes, Model &model, QString *error) {
    Parser parser(bytes, model);
    return parser.run(error);
}

} // namespace platform::rtf::detail
