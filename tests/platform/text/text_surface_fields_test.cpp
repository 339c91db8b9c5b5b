#include "text_surface_test_util.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using platform::TextSurface;

namespace {

// "see " + link "Example" + " and " + tag "Top" + " end", with data on both fields.
struct Marked {
    TextSurface surface;
    int link = 0;
    int tag = 0;

    Marked() {
        surface.setSelText(QStringLiteral("see "));
        link = surface.insertField(QStringLiteral("Example"));
        surface.setFieldData(QStringLiteral("https://example.org/"), link);
        surface.setFieldLinkKind(1, link);
        surface.setFieldAttribute(149, link);
        surface.setSelText(QStringLiteral(" and "));
        tag = surface.insertField(QStringLiteral("Top"));
        surface.setFieldData(QStringLiteral("TG_12"), tag);
        surface.setFieldLinkKind(2, tag);
        surface.setFieldAttribute(149, tag);
        surface.setSelText(QStringLiteral(" end"));
    }
};

void expectMarkers(TextSurface &surface) {
    const int first = surface.nextField(0);
    ASSERT_GT(first, 0);
    EXPECT_EQ(surface.fieldText(first), QStringLiteral("Example"));
    EXPECT_EQ(surface.fieldData(first), QStringLiteral("https://example.org/"));
    EXPECT_EQ(surface.fieldLinkKind(first), 1);
    EXPECT_EQ(surface.fieldAttribute(first), 149);
    const int second = surface.nextField(first);
    ASSERT_GT(second, 0);
    EXPECT_EQ(surface.fieldText(second), QStringLiteral("Top"));
    EXPECT_EQ(surface.fieldData(second), QStringLiteral("TG_12"));
    EXPECT_EQ(surface.fieldLinkKind(second), 2);
    EXPECT_EQ(surface.nextField(second), 0);
}

} // namespace

TEST(TextSurfaceFields, PositionsAreOneBasedAndInclusive) {
    Marked m;
    EXPECT_EQ(m.surface.text(), QStringLiteral("see Example and Top end"));
    EXPECT_EQ(m.surface.fieldStart(m.link), 5);
    EXPECT_EQ(m.surface.fieldEnd(m.link), 11);
    EXPECT_EQ(m.surface.fieldStart(m.tag), 17);
    EXPECT_EQ(m.surface.fieldEnd(m.tag), 19);
    EXPECT_EQ(m.surface.nextField(0), m.link);
    EXPECT_EQ(m.surface.nextField(m.link), m.tag);
    EXPECT_EQ(m.surface.nextField(m.tag), 0);
    expectMarkers(m.surface);
}

TEST(TextSurfaceFields, TextTypedAfterAFieldStaysOutsideIt) {
    Marked m;
    // " end" was written right after the tag.
    EXPECT_EQ(m.surface.fieldText(m.tag), QStringLiteral("Top"));
    // Typing through the document's own cursor, as the view does; the view gives it a layout.
    m.surface.document()->documentLayout();
    QTextCursor typing(m.surface.document());
    typing.setPosition(11);
    typing.insertText(QStringLiteral("!"));
    EXPECT_EQ(m.surface.fieldText(m.link), QStringLiteral("Example"));
    // Inside a field the text joins it.
    typing.setPosition(5);
    typing.insertText(QStringLiteral("-"));
    EXPECT_EQ(m.surface.fieldText(m.link), QStringLiteral("E-xample"));
}

TEST(TextSurfaceFields, TheDocumentsOwnUndoRestoresAFieldsEnd) {
    Marked m;
    QTextDocument *document = m.surface.document();
    document->documentLayout();
    QTextCursor typing(document);
    typing.setPosition(11);
    typing.deletePreviousChar();
    EXPECT_EQ(m.surface.fieldText(m.link), QStringLiteral("Exampl"));
    document->undo();
    EXPECT_EQ(m.surface.fieldText(m.link), QStringLiteral("Example"));
}

TEST(TextSurfaceFields, CurrentFieldAndFieldAtInput) {
    Marked m;
    m.surface.setSelStart(7);
    EXPECT_EQ(m.surface.fieldAtInput(), m.link);
    m.surface.setSelStart(4);
    EXPECT_EQ(m.surface.fieldAtInput(), m.link);
    m.surface.setSelStart(1);
    EXPECT_EQ(m.surface.fieldAtInput(), 0);
    ASSERT_TRUE(m.surface.setCurrentField(m.tag));
    EXPECT_EQ(m.surface.currentField(), m.tag);
    EXPECT_EQ(m.surface.fieldText(), QStringLiteral("Top"));
    EXPECT_FALSE(m.surface.setCurrentField(999));
}

TEST(TextSurfaceFields, TextWriteKeepsDataAndEmptyTextKeepsStart) {
    Marked m;
    ASSERT_TRUE(m.surface.setFieldText(QStringLiteral("Beispiel"), m.link));
    EXPECT_EQ(m.surface.text(), QStringLiteral("see Beispiel and Top end"));
    EXPECT_EQ(m.surface.fieldData(m.link), QStringLiteral("https://example.org/"));
    EXPECT_EQ(m.surface.fieldEnd(m.link), 12);

    ASSERT_TRUE(m.surface.setCurrentField(m.tag));
    ASSERT_TRUE(m.surface.setFieldText(QString()));
    EXPECT_EQ(m.surface.text(), QStringLiteral("see Beispiel and  end"));
    EXPECT_EQ(m.surface.fieldStart(), 18);
    EXPECT_EQ(m.surface.selStart(), 17);
}

TEST(TextSurfaceFields, DeleteWithAndWithoutText) {
    Marked m;
    ASSERT_TRUE(m.surface.deleteField(false, m.link));
    EXPECT_EQ(m.surface.text(), QStringLiteral("see Example and Top end"));
    EXPECT_EQ(m.surface.nextField(0), m.tag);
    ASSERT_TRUE(m.surface.deleteField(true, m.tag));
    EXPECT_EQ(m.surface.text(), QStringLiteral("see Example and  end"));
    EXPECT_EQ(m.surface.nextField(0), 0);
    EXPECT_FALSE(m.surface.deleteField(true, m.tag));
}

TEST(TextSurfaceFields, KeepTheirDataThroughUndoAndRedo) {
    Marked m;
    m.surface.deleteField(true, m.link);
    EXPECT_EQ(m.surface.fieldText(m.link), QString());
    m.surface.undo();
    EXPECT_EQ(m.surface.fieldText(m.link), QStringLiteral("Example"));
    EXPECT_EQ(m.surface.fieldData(m.link), QStringLiteral("https://example.org/"));
    EXPECT_EQ(m.surface.fieldAttribute(m.link), 149);
    m.surface.redo();
    EXPECT_EQ(m.surface.fieldText(m.link), QString());
}

TEST(TextSurfaceFields, SurviveCloneOfTheDocument) {
    Marked m;
    std::unique_ptr<QTextDocument> copy(m.surface.document()->clone());
    QTextCursor probe(copy.get());
    probe.setPosition(6);
    EXPECT_EQ(probe.charFormat().stringProperty(platform::TextProp::FieldData),
              QStringLiteral("https://example.org/"));
}

TEST(TextSurfaceFields, CopyAndPasteInsideTheProgramKeepData) {
    Marked m;
    m.surface.select(0, m.surface.textLength());
    ASSERT_TRUE(m.surface.clipboard(TextSurface::ClipCopy));
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QString::fromLatin1(TextSurface::InternalMimeType)));
    EXPECT_EQ(data->text(), QStringLiteral("see Example and Top end"));

    TextSurface other;
    other.setSelText(QStringLiteral(">"));
    ASSERT_TRUE(other.clipboard(TextSurface::ClipPaste));
    EXPECT_EQ(other.text(), QStringLiteral(">see Example and Top end"));
    const int first = other.nextField(0);
    EXPECT_EQ(other.fieldStart(first), 6);
    EXPECT_EQ(other.fieldData(first), QStringLiteral("https://example.org/"));
    EXPECT_EQ(other.fieldData(other.nextField(first)), QStringLiteral("TG_12"));

    // Pasting into the same document gives the copies ids of their own.
    textsurfacetest::toEnd(m.surface);
    ASSERT_TRUE(m.surface.clipboard(TextSurface::ClipPaste));
    EXPECT_EQ(m.surface.fieldIds().size(), 4);
    EXPECT_EQ(m.surface.fieldText(m.link), QStringLiteral("Example"));
}

TEST(TextSurfaceFields, SurviveInternalFormatRoundTrip) {
    Marked m;
    const QByteArray bytes = m.surface.saveToMemory(TextSurface::Internal);
    TextSurface other;
    ASSERT_TRUE(other.loadFromMemory(bytes, TextSurface::Internal));
    EXPECT_EQ(other.text(), m.surface.text());
    expectMarkers(other);
    // New fields do not reuse a loaded id.
    other.setSelStart(0);
    const int fresh = other.insertField(QStringLiteral("new"));
    EXPECT_NE(fresh, m.link);
    EXPECT_NE(fresh, m.tag);
}

TEST(TextSurfaceFields, SurviveWordFormatRoundTrip) {
    Marked m;
    bool ok = false;
    const QByteArray bytes = m.surface.saveToMemory(TextSurface::Word97, false, &ok);
    ASSERT_TRUE(ok);
    TextSurface other;
    QString error;
    ASSERT_TRUE(other.loadFromMemory(bytes, TextSurface::Word97, false, &error))
        << error.toStdString();
    EXPECT_EQ(other.text(), m.surface.text());
    expectMarkers(other);
    EXPECT_EQ(other.saveToMemory(TextSurface::Word97), bytes);
}

TEST(TextSurfaceFields, InsertFieldWithEmptyTextMakesNothing) {
    TextSurface surface;
    EXPECT_EQ(surface.insertField(QString()), 0);
    EXPECT_EQ(surface.nextField(0), 0);
}
