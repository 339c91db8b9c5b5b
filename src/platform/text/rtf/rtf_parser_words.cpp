#include "rtf_common.h"
#include "rtf_parser.h"

namespace platform::rtf::detail {

namespace {

bool lengthParam(const Token &t) {
    return t.hasParam && t.param >= -MaxTwips && t.param <= MaxTwips;
}

} // namespace

QColor Parser::color(int index) const {
    return index >= 0 && index < m_colors.size() ? m_colors.at(index) : QColor();
}

bool Parser::charWord(QByteArrayView name, const Token &t) {
    QTextCharFormat &f = top().chr;
    const bool on = !t.hasParam || t.param != 0;
    if (name == "plain") {
        f = QTextCharFormat();
        top().codePage = 0;
        top().hidden = false;
    } else if (name == "v") {
        top().hidden = on;
    } else if (name == "b") {
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    } else if (name == "i") {
        f.setFontItalic(on);
    } else if (name == "strike" || name == "striked") {
        f.setFontStrikeOut(on);
    } else if (name == "ul" || name == "uldb" || name == "ulth" || name == "ulw") {
        f.setProperty(QTextFormat::TextUnderlineStyle,
                      int(on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline));
    } else if (name == "ulnone") {
        f.setProperty(QTextFormat::TextUnderlineStyle, int(QTextCharFormat::NoUnderline));
    } else if (name == "uld" || name == "ulthd") {
        f.setProperty(QTextFormat::TextUnderlineStyle, int(QTextCharFormat::DotLine));
    } else if (name == "uldash" || name == "ulthdash" || name == "ulldash") {
        f.setProperty(QTextFormat::TextUnderlineStyle, int(QTextCharFormat::DashUnderline));
    } else if (name == "uldashd" || name == "ulthdashd") {
        f.setProperty(QTextFormat::TextUnderlineStyle, int(QTextCharFormat::DashDotLine));
    } else if (name == "uldashdd" || name == "ulthdashdd") {
        f.setProperty(QTextFormat::TextUnderlineStyle, int(QTextCharFormat::DashDotDotLine));
    } else if (name == "ulwave" || name == "ulhwave" || name == "ululdbwave") {
        f.setProperty(QTextFormat::TextUnderlineStyle, int(QTextCharFormat::WaveUnderline));
    } else if (name == "fs") {
        if (t.hasParam && t.param > 0 && t.param <= 3276)
            f.setFontPointSize(t.param / 2.0);
    } else if (name == "f") {
        const auto it = m_fonts.constFind(t.param);
        if (t.hasParam && it != m_fonts.constEnd()) {
            if (!it->name.isEmpty())
                f.setFontFamilies(QStringList{it->name});
            top().codePage = it->codePage;
        }
    } else if (name == "cf") {
        const QColor c = color(t.param);
        if (c.isValid())
            f.setForeground(QBrush(c));
        else
            f.clearProperty(QTextFormat::ForegroundBrush);
    } else if (name == "highlight" || name == "chcbpat" || name == "cb") {
        const QColor c = color(t.param);
        if (c.isValid())
            f.setBackground(QBrush(c));
        else
            f.clearProperty(QTextFormat::BackgroundBrush);
    } else if (name == "super") {
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (name == "sub") {
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    } else if (name == "nosupersub") {
        f.setVerticalAlignment(QTextCharFormat::AlignNormal);
    } else {
        return false;
    }
    return true;
}

bool Parser::paragraphWord(QByteArrayView name, const Token &t) {
    ParagraphState &p = top().para;
    QTextBlockFormat &b = p.block;
    if (name == "pard") {
        p = ParagraphState();
        m_builds[std::size_t(top().story)].touched = true;
    } else if (name == "ql") {
        b.setAlignment(Qt::AlignLeft);
    } else if (name == "qr") {
        b.setAlignment(Qt::AlignRight);
    } else if (name == "qc") {
        b.setAlignment(Qt::AlignHCenter);
    } else if (name == "qj" || name == "qd") {
        b.setAlignment(Qt::AlignJustify);
    } else if (name == "li" || name == "lin") {
        if (lengthParam(t))
            b.setLeftMargin(pxFromTwips(t.param));
    } else if (name == "ri" || name == "rin") {
        if (lengthParam(t))
            b.setRightMargin(pxFromTwips(t.param));
    } else if (name == "fi") {
        if (lengthParam(t))
            b.setTextIndent(pxFromTwips(t.param));
    } else if (name == "sb") {
        if (lengthParam(t) && t.param >= 0)
            b.setTopMargin(pxFromTwips(t.param));
    } else if (name == "sa") {
        if (lengthParam(t) && t.param >= 0)
            b.setBottomMargin(pxFromTwips(t.param));
    } else if (name == "sl") {
        if (lengthParam(t)) {
            p.hasLineSpacing = t.param != 0;
            p.sl = t.param;
        }
    } else if (name == "slmult") {
        p.slmult = t.hasParam ? t.param : 1;
    } else if (name == "pagebb") {
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    } else if (name == "outlinelevel") {
        if (t.hasParam && t.param >= 0 && t.param < 6)
            b.setHeadingLevel(t.param + 1);
    } else if (name == "cbpat") {
        const QColor c = color(t.param);
        if (c.isValid())
            b.setBackground(QBrush(c));
    } else if (name == "intbl") {
        p.inTable = true;
    } else if (name == "itap") {
        p.inTable = t.param > 0;
    } else if (name == "ls") {
        if (t.hasParam && t.param > 0)
            p.list = t.param;
    } else if (name == "ilvl") {
        if (t.hasParam && t.param >= 0 && t.param < 9)
            p.level = t.param;
    } else {
        return false;
    }
    return true;
}

QTextBlockFormat Parser::finishedBlock(const ParagraphState &para) const {
    QTextBlockFormat b = para.block;
    if (para.hasLineSpacing) {
        if (para.slmult == 1 && para.sl > 0)
            b.setLineHeight(para.sl * 5 / 12.0, QTextBlockFormat::ProportionalHeight);
        else if (para.sl > 0)
            b.setLineHeight(pxFromTwips(para.sl), QTextBlockFormat::MinimumHeight);
        else
            b.setLineHeight(pxFromTwips(-para.sl), QTextBlockFormat::FixedHeight);
    }
    return b;
}

bool Parser::tableWord(QByteArrayView name, const Token &t) {
    RowDef &row = m_builds[std::size_t(top().story)].rowDef;
    if (name == "trowd") {
        row = RowDef();
    } else if (name == "trleft") {
        if (lengthParam(t))
            row.left = t.param;
    } else if (name == "cellx") {
        if (lengthParam(t) && row.cells.size() < MaxRowCells) {
            row.current.right = t.param;
            row.cells.append(row.current);
        }
        row.current = CellDef();
    } else if (name == "clvmgf") {
        row.current.vmerge = 1;
    } else if (name == "clvmrg") {
        row.current.vmerge = 2;
    } else if (name == "clmrg") {
        row.current.hmerge = true;
    } else if (name == "clcbpat") {
        row.current.shading = color(t.param);
    } else {
        return false;
    }
    return true;
}

bool Parser::documentWord(QByteArrayView name, const Token &t) {
    PageSetup &page = m_model.page;
    const bool length = lengthParam(t) && t.param >= 0;
    if (name == "ansicpg") {
        if (t.hasParam && t.param > 0 && t.param < 65536)
            m_ansiCodePage = t.param;
    } else if (name == "ansi") {
        m_ansiCodePage = 1252;
    } else if (name == "sjis") {
        m_ansiCodePage = 932;
    } else if (name == "mac") {
        m_ansiCodePage = 10000;
    } else if (name == "deff") {
        m_defaultFont = t.param;
    } else if (name == "paperw") {
        if (length && t.param > 0)
            page.width = pageTwips(t.param);
    } else if (name == "paperh") {
        if (length && t.param > 0)
            page.height = pageTwips(t.param);
    } else if (name == "margl") {
        if (length)
            page.marginLeft = pageTwips(t.param);
    } else if (name == "margr") {
        if (length)
            page.marginRight = pageTwips(t.param);
    } else if (name == "margt") {
        if (length)
            page.marginTop = pageTwips(t.param);
    } else if (name == "margb") {
        if (length)
            page.marginBottom = pageTwips(t.param);
    } else if (name == "landscape") {
        page.landscape = true;
    } else {
        return false;
    }
    return true;
}

void Parser::tableEntryWord(QByteArrayView name, const Token &t) {
    switch (top().dest) {
    case Dest::FontTable:
        if (name == "f" && t.hasParam) {
            if (m_fonts.size() < MaxTableEntries || m_fonts.contains(t.param)) {
                m_fontEntry = t.param;
                m_fonts[t.param] = FontEntry();
                m_destText.clear();
            }
        } else if (name == "fcharset" && m_fonts.contains(m_fontEntry)) {
            m_fonts[m_fontEntry].codePage = codePageOfCharset(t.param);
        } else if (name == "cpg" && m_fonts.contains(m_fontEntry) && t.param > 0 &&
                   t.param < 65536) {
            m_fonts[m_fontEntry].codePage = t.param;
        }
        return;
    case Dest::ColorTable:
        if (name == "red")
            m_red = qBound(0, t.param, 255);
        else if (name == "green")
            m_green = qBound(0, t.param, 255);
        else if (name == "blue")
            m_blue = qBound(0, t.param, 255);
        return;
    case Dest::ListTable:
        if (name == "list") {
            m_listCurrent = ListDef();
            m_listNfcSeen = false;
        } else if ((name == "levelnfc" || name == "levelnfcn") && !m_listNfcSeen) {
            m_listCurrent.nfc = t.param;
            m_listNfcSeen = true;
        } else if (name == "listid" && m_listDefs.size() < MaxTableEntries) {
            m_listDefs.insert(t.param, m_listCurrent);
        }
        return;
    case Dest::ListOverrides:
        if (name == "listid")
            m_overrideListId = t.param;
        else if (name == "ls" && t.param > 0 &&
                 (m_model.lists.size() < MaxTableEntries || m_model.lists.contains(t.param)))
            m_model.lists.insert(t.param, m_listDefs.value(m_overrideListId));
        return;
    default:
        return;
    }
}

} // namespace platform::rtf::detail
