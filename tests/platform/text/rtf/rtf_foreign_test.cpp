#include "../text_surface_test_util.h"

#include "platform/text/text_surface.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

using platform::TextSurface;

namespace {

// In the manner of a Japanese word processor of the Word family: CP932 text in \'hh pairs with
// \uc2, a Japanese font name in CP932, a style sheet and document info to skip, a header, a
// hyperlink field with a data field inside its instruction, a table whose second column is
// merged downwards and whose row properties are repeated before \row, a PNG in \shppict with
// a metafile for older readers, and a floating shape with its PNG.
const char *const WordStyle =
    R"RTF({\rtf1\ansi\ansicpg932\uc2\deff0\deflang1033\deflangfe1041{\fonttbl{\f0\froman\fcharset128\fprq1{\*\panose 02020609040205080304}\'82\'6c\'82\'72 \'96\'be\'92\'a9{\*\falt MS Mincho};}
{\f1\fswiss\fcharset0\fprq2 Arial;}}{\colortbl;\red0\green0\blue0;\red255\green0\blue0;\red255\green255\blue0;}
{\stylesheet{\qj \li0\ri0\nowidctlpar\wrapdefault\fs21\lang1033\langfe1041\kerning2\loch\f0\hich\af0\dbch\af31505 \snext0 Normal;}{\*\cs10 \additive \ssemihidden Default Paragraph Font;}}
{\info{\title \'95\'5c}{\author someone}{\creatim\yr2024\mo1\dy2\hr3\min4}}
\paperw11906\paperh16838\margl1701\margr1701\margt1985\margb1701\gutter0\ltrsect
\sectd \linex0\headery851\footery992\colsx425\endnhere\sectlinegrid360\sectspecifyl
{\header \pard\plain \s15\qc \li0\ri0\widctlpar\tqc\tx4252\wrapdefault\aspalpha\fs21\kerning2\loch\af0\hich\af0\dbch\af0 {\loch\f0 \'83\'77\'83\'62\'83\'5f}{\par }}
\pard\plain \qj \li0\ri0\nowidctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \fs21\lang1033\langfe1041\kerning2\loch\af0\hich\af0\dbch\af0
{\b\f0\fs24\cf2 \'93\'fa\'96\'7b\'8c\'ea\'95\'5c}{\v\f1 hidden}{\f1 \u12354\'82\'a0 and }{\field{\*\fldinst {\f1  HYPERLINK "http://example.com/" }{\f1 {\*\datafield 00d0c9ea79f9bace118c}}}{\fldrslt {\cs15\f1\ul\cf2 \'83\'8a\'83\'93\'83\'4e}}}{\f1 \par }
\pard \ql \li0\ri0\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0 {\f1 A\cell \'8c\'8b\'8d\'87\cell C\cell }\pard \ql \li0\ri0\widctlpar\intbl\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0 {\f1 \trowd \irow0\irowband0\ts11\trgaph99\trleft-99\trbrdrt\brdrs\brdrw10 \clvertalt\clbrdrt\brdrs\brdrw10 \cltxlrtb\clftsWidth3\clwWidth2832 \cellx2733\clvmgf\clvertalt\cltxlrtb\clftsWidth3\clwWidth2833 \cellx5566\clcbpat3\clvertalt\cltxlrtb\clftsWidth3\clwWidth2933 \cellx8499\row }
\trowd \irow1\irowband1\lastrow \ts11\trgaph99\trleft-99 \cellx2733\clvmrg\cellx5566\cellx8499\pard \ql\intbl {\f1 D\cell \cell F\cell }\pard \ql\intbl {\f1 \trowd \irow1\irowband1\lastrow \ts11\trgaph99\trleft-99 \cellx2733\clvmrg\cellx5566\cellx8499\row }
\pard \qj \li0\ri0\nowidctlpar\wrapdefault {\f1 {\*\shppict{\pict{\*\picprop\shplid1025{\sp{\sn shapeType}{\sv 75}}}\picscalex100\picscaley100\piccropl0\piccropr0\piccropt0\piccropb0\picw529\pich265\picwgoal600\pichgoal300\pngblip\bliptag-1010{\*\blipuid c3a3d2e0}
PNGHEX}}{\nonshppict{\pict\picscalex100\picscaley100\picw529\pich265\picwgoal300\pichgoal150\wmetafile8\bliptag-1010 0100090000}}}{\shp{\*\shpinst\shpleft0\shptop0{\sp{\sn pib}{\sv {\pict\pngblip
PNGHEX}}}}{\shprslt{\*\shppict{\pict\pngblip
PNGHEX}}{\nonshppict{\pict\wmetafile8 0100}}}}{\f1 \par }}
)RTF";

// In the manner of an office suite of the LibreOffice family: no code page but a CP932 font,
// \uN with \uc2 fallbacks, a page style table to skip, a header, a table whose first row is one
// cell spanning both columns and a shaded cell, a hyperlink field and a PNG.
const char *const SuiteStyle = R"RTF({\rtf1\ansi\deff4\adeflang1025
{\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}{\f4\fswiss\fprq2\fcharset128 IPAGothic;}}
{\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red221\green221\blue221;}
{\stylesheet{\s0\snext0\dbch\af8\langfe2052\dbch\af9\afs24\alang1081\loch\f3\fs24\lang1033 Default Paragraph Style;}}
{\*\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}{\info{\creatim\yr2024\mo5\dy1}}
\deftab709\hyphauto1\viewscale100
{\*\pgdsctbl{\pgdsc0\pgdscuse451\pgwsxn11906\pghsxn16838\marglsxn1134\margrsxn1134\margtsxn1134\margbsxn1134\pgdscnxt0 Default Page Style;}}
\formshade{\*\pgdscno0}\paperh16838\paperw11906\margl1134\margr1134\margt1134\margb1134\sectd\sbknone\sftnnar\saftnnrlc\sectunlocked1\pgwsxn11906\pghsxn16838\marglsxn1134\margrsxn1134\margtsxn1134\margbsxn1134\ftnbj\ftnstart1\ftnrstcont\ftnnar
{\header\pard\plain \s20\qc\widctlpar\hyphpar0\ltrpar\cf0\kerning1\dbch\af8\loch\f4\fs24{\uc2 \rtlch \ltrch\loch \u12504\'83\'77\u12483\'83\'62\u12480\'83\'5f}
\par }
\pgndec\pard\plain \s0\ql\widctlpar\hyphpar0\ltrpar\cf0\kerning1\dbch\af8\loch\f4\fs24{\uc2 \b\i\rtlch \ltrch\loch\fs32 \u26085\'93\'fa\u26412\'96\'7b\u35486\'8c\'ea}
\par \trowd\trql\trleft0\ltrrow\trpaddft3\trpaddt0\trpaddfl3\trpaddl0\trpaddfb3\trpaddb0\trpaddfr3\trpaddr0\clbrdrt\brdrs\brdrw10\brdrcf1\clpadfl3\clpadl55\cellx9638\pgndec\pard\plain \s22\intbl\ql\widctlpar\loch\f4\fs24{\uc2 \rtlch \ltrch\loch \u32080\'8c\'8b\u21512\'8d\'87}\cell\row\pard\plain
\trowd\trql\trleft0\ltrrow\clbrdrt\brdrs\brdrw10\brdrcf1\cellx4819\clcbpat3\clbrdrt\brdrs\brdrw10\cellx9638\pgndec\pard\plain \s22\intbl\ql\widctlpar\loch\f4\fs24{\rtlch \ltrch\loch left}\cell\pard\plain \s22\intbl\ql\loch\f4\fs24{\rtlch \ltrch\loch right}\cell\row\pard\plain \s0\ql\widctlpar\loch\f4\fs24
{\field{\*\fldinst HYPERLINK "https://suite.example/page?a=1" }{\fldrslt {\*\bkmkstart x}{\rtlch \ltrch\loch\cf2\ul link}}} {\*\shppict{\pict\picscalex100\picscaley100\piccropl0\piccropr0\piccropt0\piccropb0\picw20\pich10\picwgoal300\pichgoal150\pngblip
PNGHEX}}
\par }
)RTF";

QByteArray withPicture(const char *text) {
    QByteArray bytes(text);
    bytes.replace("PNGHEX", textsurfacetest::pngBytes(20, 10).toHex());
    return bytes;
}

QColor cellShading(const TextSurface &s, int row, int column) {
    for (QTextFrame *frame : s.document()->rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame))
            return table->cellAt(row, column).format().background().color();
    return {};
}

int charCount(const QString &text, QChar ch) {
    return int(text.count(ch));
}

} // namespace

TEST(RtfForeign, WordStyleFileReadsWithItsTextAndFormats) {
    TextSurface s;
    QString error;
    ASSERT_TRUE(s.loadFromMemory(withPicture(WordStyle), TextSurface::Rtf, false, &error))
        << error.toStdString();
    const QString text = s.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("日本語表あ and リンク\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Normal")));
    EXPECT_FALSE(text.contains(QStringLiteral("someone")));

    s.select(0, 4);
    EXPECT_TRUE(s.bold());
    EXPECT_EQ(s.fontSize(), 12.0);
    EXPECT_EQ(s.textColor(), 0x0000FF);
    EXPECT_EQ(s.fontName(), QStringLiteral("ＭＳ 明朝"));
    s.select(5, 1);
    EXPECT_FALSE(s.bold());
    EXPECT_EQ(s.fontName(), QStringLiteral("Arial"));

    const QList<int> fields = s.fieldIds();
    ASSERT_EQ(fields.size(), 1);
    EXPECT_EQ(s.fieldData(fields.first()), QStringLiteral("http://example.com/"));
    EXPECT_EQ(s.fieldText(fields.first()), QStringLiteral("リンク"));

    const QList<int> tables = s.tableIds();
    ASSERT_EQ(tables.size(), 1);
    EXPECT_EQ(s.tableRows(tables.first()), 2);
    EXPECT_EQ(s.tableColumns(tables.first()), 3);
    EXPECT_EQ(s.cellText(tables.first(), 1, 2), QStringLiteral("結合"));
    EXPECT_EQ(s.cellText(tables.first(), 2, 1), QStringLiteral("D"));
    EXPECT_EQ(s.cellText(tables.first(), 2, 3), QStringLiteral("F"));
    EXPECT_EQ(s.cellStart(tables.first(), 2, 2), s.cellStart(tables.first(), 1, 2))
        << "the second column is one cell over both rows";
    EXPECT_EQ(cellShading(s, 0, 2), QColor(255, 255, 0));

    EXPECT_EQ(charCount(text, QChar(1)), 2)
        << "the inline PNG and the floating shape's PNG are read, metafiles skipped";
    const int picture = s.nextObject(0, TextSurface::PictureObject);
    EXPECT_NE(picture, 0);

    EXPECT_EQ(s.page().width, 11906);
    EXPECT_EQ(s.page().height, 16838);
    EXPECT_EQ(s.page().marginTop, 1985);
    EXPECT_EQ(s.headerFooterBits(), platform::HeaderEveryPage);
    EXPECT_EQ(s.areaDocument(1)->toPlainText(), QStringLiteral("ヘッダ"));
}

TEST(RtfForeign, SuiteStyleFileReadsWithItsTextAndFormats) {
    TextSurface s;
    QString error;
    ASSERT_TRUE(s.loadFromMemory(withPicture(SuiteStyle), TextSurface::Rtf, false, &error))
        << error.toStdString();
    const QString text = s.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("日本語\n"))) << text.toStdString();
    s.select(0, 3);
    EXPECT_TRUE(s.bold());
    EXPECT_TRUE(s.italic());
    EXPECT_EQ(s.fontSize(), 16.0);
    EXPECT_EQ(s.fontName(), QStringLiteral("IPAGothic"));

    const QList<int> tables = s.tableIds();
    ASSERT_EQ(tables.size(), 1);
    const int t = tables.first();
    EXPECT_EQ(s.tableRows(t), 2);
    EXPECT_EQ(s.tableColumns(t), 2);
    EXPECT_EQ(s.cellText(t, 1, 1), QStringLiteral("結合"));
    EXPECT_EQ(s.cellStart(t, 1, 2), s.cellStart(t, 1, 1)) << "the first row is one wide cell";
    EXPECT_EQ(s.cellText(t, 2, 2), QStringLiteral("right"));
    EXPECT_EQ(cellShading(s, 1, 1), QColor(221, 221, 221));

    const QList<int> fields = s.fieldIds();
    ASSERT_EQ(fields.size(), 1);
    EXPECT_EQ(s.fieldData(fields.first()), QStringLiteral("https://suite.example/page?a=1"));
    EXPECT_EQ(s.fieldText(fields.first()), QStringLiteral("link"));
    EXPECT_NE(s.nextObject(0, TextSurface::PictureObject), 0);
    EXPECT_EQ(s.headerFooterBits(), platform::HeaderEveryPage);
    EXPECT_EQ(s.areaDocument(1)->toPlainText(), QStringLiteral("ヘッダ"));
    EXPECT_EQ(s.page().marginLeft, 1134);
}

// In the manner of a small system editor: CP932 pairs without \uN, a page break character.
TEST(RtfForeign, PlainEditorStyleFileWithAPageBreak) {
    const QByteArray bytes =
        R"({\rtf1\ansi\ansicpg932\deff0\nouicompat\deflang1033\deflangfe1041{\fonttbl{\f0\fnil\fcharset128 \'82\'6c\'82\'72 \'82\'6f\'83\'53\'83\'56\'83\'62\'83\'4e;}}
{\*\generator Riched20 10.0.19041}\viewkind4\uc1
\pard\sa200\sl276\slmult1\f0\fs22\lang1041 \'82\'b1\'82\'f1\'82\'c9\'82\'bf\'82\'cd\par
\page\'8e\'9f\'82\'cc\'83\'79\'81\'5b\'83\'57\par
}
)";
    TextSurface s;
    ASSERT_TRUE(s.loadFromMemory(bytes, TextSurface::Rtf));
    EXPECT_EQ(s.text(), QStringLiteral("こんにちは") + QChar(12) + QStringLiteral("次のページ"));
    s.select(0, 5);
    EXPECT_EQ(s.fontName(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(s.fontSize(), 11.0);
    EXPECT_EQ(s.spaceAfter(), 200);
}
