#include "editor/pictures/embedded_object.h"
#include "editor/pictures/object_menu.h"
#include "editor/pictures/object_properties.h"
#include "editor/pictures/paste_rules.h"
#include "editor/pictures/picture_insert.h"
#include "editor/pictures/pointer_objects.h"
#include "editor_fixture.h"
#include "platform/imaging/imaging.h"
#include "platform/text/text_model.h"
#include "platform/view/text_view.h"
#include "recording_shell.h"
#include "test_images.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFile>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QMimeData>
#include <QRubberBand>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

namespace {

using editor::cmd::Paste;
namespace imaging = platform::imaging;

// A camera-like picture: smooth gradients with sensor noise, which no lossless coder shrinks much.
QImage photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int n = int(state >> 28);
            line[x] = qRgb((x * 255 / width + n) & 255, (y * 255 / height + n) & 255,
                           (128 + (x ^ y) % 64 + n) & 255);
        }
    }
    return image;
}

QList<int> pictureIds(const platform::TextSurface &s) {
    QList<int> ids;
    for (int id = s.nextObject(0, platform::TextSurface::PictureObject); id != 0;
         id = s.nextObject(id, platform::TextSurface::PictureObject))
        ids << id;
    return ids;
}

// The format of a picture or text frame as the document holds it.
QTextFormat objectFormat(const platform::TextSurface &s, int id) {
    QTextDocument *doc = s.activeDocument();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().intProperty(platform::TextProp::ObjectId) == id)
                return it.fragment().charFormat();
    for (QTextFrame *f : doc->rootFrame()->childFrames())
        if (f->frameFormat().intProperty(platform::TextProp::ObjectId) == id)
            return f->frameFormat();
    return {};
}

void putOnClipboard(QMimeData *data) {
    QGuiApplication::clipboard()->setMimeData(data);
}

const char *kSvg = "<svg xmlns='http://www.w3.org/2000/svg' width='400' height='200'>"
                   "<rect width='400' height='200' fill='#0000ff'/></svg>";

class Pictures : public editortest::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        settings::appValues().wrkDir = work.path() + u'/';
    }
    void TearDown() override {
        settings::appValues().wrkDir.clear();
        EditorTest::TearDown();
    }
    int textWidthPx() const {
        const platform::PageSetup p = editor->surface().page();
        return (p.width - p.marginLeft - p.marginRight) / 15;
    }
    QList<int> pictures() { return pictureIds(surface()); }
    int picturePositionOfFirst() {
        return editor::picturePositionOf(surface(), pictures().value(0));
    }
    QString writeFile(const QString &name, const QByteArray &bytes) {
        const QString path = work.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    void chooseFile(const QString &path) { dialogs->files.enqueue({true, path, 1}); }
    // The entry written and read back into a second editor.
    std::unique_ptr<editor::uTxm> reloaded() {
        QByteArray entry;
        QString text, title;
        bool ok = false;
        editor->GetData(entry, text, title, ok);
        EXPECT_TRUE(ok);
        auto other = std::make_unique<editor::uTxm>();
        other->cOn(0, 0);
        other->SetData(entry, ok);
        EXPECT_TRUE(ok);
        return other;
    }
    QWidget *shownViewport() {
        editor->resize(900, 700);
        editor->show();
        return editor->view()->viewport();
    }
    // The viewport point of a document position's caret, moved by offset.
    QPoint caretPoint(int position, QPoint offset) {
        surface().setSelStart(position);
        return editor->view()->caretRect().topLeft() + offset;
    }

    QTemporaryDir work;
};

} // namespace

TEST(PasteRules, AutomaticTypeForEachClipboardContent) {
    using editor::autoPasteType;
    imaging::ClipboardCheck text{true, false, false, false};
    imaging::ClipboardCheck bitmap{false, true, false, false};
    imaging::ClipboardCheck drawing{true, false, true, false};
    imaging::ClipboardCheck other{};
    EXPECT_EQ(autoPasteType(bitmap, false, false), QStringLiteral("PIC"));
    EXPECT_EQ(autoPasteType(drawing, false, true), QStringLiteral("PIC"));
    EXPECT_EQ(autoPasteType(other, false, false), QStringLiteral("OBJ"));
    EXPECT_EQ(autoPasteType(text, false, true), QStringLiteral("TXT"));
    // Rich text from elsewhere is pasted as rich text; the program's own copy keeps its fields.
    EXPECT_EQ(autoPasteType(text, false, false), QStringLiteral("OBJ"));
    EXPECT_EQ(autoPasteType(bitmap, true, true), QStringLiteral("OBJ"));

    EXPECT_EQ(editor::plainPasteText(QStringLiteral("  一行目\r\n二行目\n三  \t")),
              QStringLiteral("一行目\u000b二行目\u000b三"));
    EXPECT_EQ(editor::pictureScale(96), 100);
    EXPECT_EQ(editor::pictureScale(120), 80);
    EXPECT_EQ(editor::textFlowFor(0), 0);
    EXPECT_EQ(editor::textFlowFor(1), 0);
    EXPECT_EQ(editor::textFlowFor(4), 3);
}

TEST_F(Pictures, TextPasteTrimsAndKeepsOneParagraph) {
    editor->values().plainPaste = true;
    auto *data = new QMimeData;
    data->setText(QStringLiteral("  abc\r\ndef  "));
    data->setHtml(QStringLiteral("<b>abc</b><p>def</p>"));
    putOnClipboard(data);
    editor->rtAct(Paste, QString());
    EXPECT_EQ(surface().text(), QStringLiteral("abc\u000bdef"));
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(Pictures, InProgramPasteKeepsFieldsAndObjects) {
    type(QStringLiteral("ab"));
    surface().setSelStart(1);
    surface().insertField(QStringLiteral("LINK"));
    surface().setFieldData(QStringLiteral("https://example.org"));
    surface().insertPictureData(testsupport::pngBytes(20, 10, Qt::red));
    surface().setSelStart(0);
    surface().setSelLength(-1);
    surface().clipboard(platform::TextSurface::ClipCopy);
    surface().setSelStart(int(surface().text().size()));
    editor->values().plainPaste = true;
    editor->rtAct(Paste, QString());
    EXPECT_EQ(surface().fieldIds().size(), 2);
    EXPECT_EQ(pictures().size(), 2);
}

TEST_F(Pictures, PastedPhotoArrivesAtTextWidthAndStaysSmall) {
    auto *data = new QMimeData;
    data->setImageData(photo(4000, 3000));
    putOnClipboard(data);
    editor->rtAct(Paste, QString());
    ASSERT_EQ(pictures().size(), 1);
    const QByteArray bytes = editor::pictureBytes(surface(), pictures().first());
    const imaging::Picture stored = imaging::load(bytes);
    EXPECT_EQ(stored.image.width(), textWidthPx());
    EXPECT_NEAR(stored.image.dotsPerMeterX() * 0.0254, 96, 1);
    EXPECT_TRUE(stored.format == "jpeg" || stored.format == "png");

    QByteArray entry;
    QString text, title;
    bool ok = false;
    editor->GetData(entry, text, title, ok);
    ASSERT_TRUE(ok);
    EXPECT_LT(entry.size(), 1024 * 1024);
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(Pictures, PictureFileKeepsItsBytesAndFollowsTheLayout) {
    const QByteArray jpeg =
        imaging::encode(photo(300, 200).convertToFormat(QImage::Format_RGB888), "JPEG", 85);
    const QString file = writeFile(QStringLiteral("small.jpg"), jpeg);
    editor->values().textFlow = 0;
    chooseFile(file);
    editor->rtAct(editor::cmd::InsertPicture, 3);
    ASSERT_EQ(pictures().size(), 1);
    EXPECT_EQ(editor::pictureBytes(surface(), pictures().first()), jpeg);
    EXPECT_EQ(objectFormat(surface(), pictures().first()).intProperty(platform::TextProp::TextFlow),
              0);

    editor->values().textFlow = 3;
    chooseFile(file);
    editor->rtAct(editor::cmd::InsertPicture, 3);
    EXPECT_EQ(objectFormat(surface(), pictures().last()).intProperty(platform::TextProp::TextFlow),
              2);
    EXPECT_FALSE(objectFormat(surface(), pictures().last())
                     .hasProperty(platform::TextProp::PictureFileName));

    // The picture form (editor type 3) keeps the picture inline with its file's name.
    const editor::PictureTarget form{surface(), 3, 3, 0, 96, textWidthPx(), work.path()};
    const int id = editor::insertPictureFile(form, file);
    ASSERT_NE(id, 0);
    EXPECT_EQ(objectFormat(surface(), id).intProperty(platform::TextProp::TextFlow), 0);
    EXPECT_EQ(objectFormat(surface(), id).stringProperty(platform::TextProp::PictureFileName),
              file);
}

TEST_F(Pictures, UnreadablePictureIsToldAndChangesNothing) {
    type(QStringLiteral("本文"));
    editor->setBDcEdt(false);
    chooseFile(writeFile(QStringLiteral("broken.png"), "not a picture at all"));
    editor->rtAct(editor::cmd::InsertPicture, 3);
    EXPECT_EQ(dialogs->messages(),
              QStringList{QStringLiteral("画像を読み込めません\n") + work.filePath("broken.png")});
    EXPECT_TRUE(pictures().isEmpty());
    EXPECT_EQ(surface().text(), QStringLiteral("本文"));
    EXPECT_FALSE(editor->bDcEdt());
}

TEST_F(Pictures, UnreadableClipboardPictureIsToldAndChangesNothing) {
    type(QStringLiteral("本文"));
    editor->setBDcEdt(false);
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/png"), "\x89PNG broken");
    putOnClipboard(data);
    editor->rtAct(Paste, QString());
    EXPECT_EQ(dialogs->messages(), QStringList{QStringLiteral("貼り付ける画像を読み込めません")});
    EXPECT_EQ(surface().text(), QStringLiteral("本文"));
    EXPECT_FALSE(editor->bDcEdt());
}

TEST_F(Pictures, ClipboardDrawingArrivesAsAPicture) {
    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), kSvg);
    putOnClipboard(data);
    editor->rtAct(Paste, QString());
    ASSERT_EQ(pictures().size(), 1);
    const imaging::Picture stored =
        imaging::load(editor::pictureBytes(surface(), pictures().first()));
    EXPECT_EQ(stored.image.size(), QSize(400, 200));
    EXPECT_EQ(stored.image.pixelColor(200, 100), QColor(Qt::blue));
}

TEST_F(Pictures, TextFrameHasItsSizeAndDistances) {
    editor->rtAct(editor::cmd::InsertTextFrame);
    const int frame = surface().nextObject(0, platform::TextSurface::TextFrameObject);
    ASSERT_NE(frame, 0);
    EXPECT_EQ(objectFormat(surface(), frame).intProperty(platform::TextProp::FrameWidth), 1000);
    EXPECT_EQ(objectFormat(surface(), frame).intProperty(platform::TextProp::FrameHeight), 2000);
    EXPECT_EQ(objectFormat(surface(), frame)
                  .property(platform::TextProp::FrameDistances)
                  .value<QList<int>>(),
              (QList<int>{100, 100, 100, 100}));
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(Pictures, EmbeddedFileSurvivesTheEntryAndOpensThroughTheShell) {
    QByteArray content;
    for (int i = 0; i < 70000; ++i)
        content.append(char(i * 31 % 256));
    chooseFile(writeFile(QStringLiteral("表計算.ods"), content));
    editor->rtAct(editor::cmd::InsertOle);
    ASSERT_EQ(pictures().size(), 1);
    EXPECT_TRUE(editor->bDcEdt());

    QByteArray entry;
    QString text, title;
    bool ok = false;
    editor->GetData(entry, text, title, ok);
    ASSERT_TRUE(ok);
    editor::uTxm reloaded;
    reloaded.cOn(0, 0);
    reloaded.SetData(entry, ok);
    ASSERT_TRUE(ok);
    const QList<int> ids = pictureIds(reloaded.surface());
    ASSERT_EQ(ids.size(), 1);
    const auto file = editor::unpackEmbedded(editor::pictureBytes(reloaded.surface(), ids.first()));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->name, QStringLiteral("表計算.ods"));
    EXPECT_EQ(file->bytes, content);

    testsupport::RecordingShellGuard shell;
    reloaded.surface().setCurrentObject(ids.first());
    reloaded.entryPoints().objectEntry(reloaded, 3);
    ASSERT_EQ(shell->opened.size(), 1);
    QFile opened(shell->opened.first());
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), content);
    EXPECT_TRUE(shell->opened.first().endsWith(QStringLiteral("表計算.ods")));

    // A double click on the icon opens the file; on a plain picture it opens nothing.
    shell->opened.clear();
    QWidget *viewport = shownViewport();
    const int icon = picturePositionOfFirst();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, caretPoint(icon, QPoint(20, 20)));
    ASSERT_EQ(shell->opened.size(), 1);
    QFile again(shell->opened.first());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), content);
    surface().setSelStart(int(surface().text().size()));
    surface().insertPictureData(testsupport::pngBytes(60, 60, Qt::red));
    QTest::mouseDClick(viewport, Qt::LeftButton, {},
                       caretPoint(int(surface().text().size()) - 1, QPoint(20, 20)));
    EXPECT_EQ(shell->opened.size(), 1);

    // A damaged trailer is a plain picture, never a read past the bytes.
    QByteArray damaged = editor::packEmbedded({QStringLiteral("a.txt"), "abc"});
    damaged[damaged.size() - 16] = char(0x7f); // the file length, far past the bytes
    EXPECT_FALSE(editor::unpackEmbedded(damaged).has_value());
}

namespace {

// Records what the object menu hands to the marker part.
class RecordingMarkers : public editor::EntryPoints {
public:
    QList<QPair<int, QVariantMap>> calls;
    bool marker(editor::uTxm &, int code, const QVariant &argument) override {
        calls.append({code, argument.toMap()});
        return true;
    }
};

} // namespace

TEST_F(Pictures, ObjectMenuEntries) {
    type(QStringLiteral("前"));
    surface().insertField(QStringLiteral("tag"));
    surface().setFieldData(QStringLiteral("TG_5"));
    surface().setSelStart(int(surface().text().size()));
    type(QStringLiteral(" "));
    const int id = surface().insertPictureData(testsupport::pngBytes(20, 10, Qt::red));
    type(QStringLiteral(" 後"));

    editor::ObjectMenuState state = editor::objectMenuState(surface(), id);
    EXPECT_EQ(state.kind, QString());
    EXPECT_EQ(state.previousKind, QStringLiteral("TG"));
    EXPECT_EQ(state.nextKind, QString());
    QStringList shown;
    for (const editor::ObjectEntry &e : editor::objectMenuEntries(state))
        if (e.visible)
            shown << e.caption;
    EXPECT_EQ(shown, (QStringList{"切り取り(&T)", "ｺﾋﾟｰ(&C)", "編集", "削除", "ﾊｲﾊﾟｰﾘﾝｸ(&L)",
                                  "ﾀｸﾞ(&G)", "拡大画像へのﾘﾝｸ(最新)", "拡大画像へのﾘﾝｸ(選択)",
                                  "直前のﾀｸﾞを複写", "ﾌﾟﾛﾊﾟﾃｨ"}));
    state.kind = QStringLiteral("LK");
    shown.clear();
    for (const editor::ObjectEntry &e : editor::objectMenuEntries(state))
        if (e.visible && e.position >= 7 && e.position < 21)
            shown << e.caption;
    EXPECT_EQ(shown, (QStringList{"ﾊｲﾊﾟｰﾘﾝｸの修正", "ﾊｲﾊﾟｰﾘﾝｸの削除"}));

    auto markers = std::make_unique<RecordingMarkers>();
    RecordingMarkers *recorded = markers.get();
    editor->setEntryPoints(std::move(markers));
    surface().setCurrentObject(id);
    editor->entryPoints().objectEntry(*editor, 8);
    editor->entryPoints().objectEntry(*editor, 13);
    editor->entryPoints().objectEntry(*editor, 18);
    ASSERT_EQ(recorded->calls.size(), 3);
    EXPECT_EQ(recorded->calls[0].first, editor::cmd::Hyperlink);
    EXPECT_EQ(recorded->calls[0].second.value("mode").toInt(), 1);
    EXPECT_TRUE(recorded->calls[0].second.value("object").toBool());
    EXPECT_EQ(recorded->calls[1].first, editor::cmd::Tag);
    EXPECT_EQ(recorded->calls[1].second.value("mode").toInt(), 2);
    EXPECT_EQ(recorded->calls[2].first, editor::cmd::Tag);
    EXPECT_EQ(recorded->calls[2].second.value("copy").toString(), QStringLiteral("previous"));

    // Cut takes the picture to the clipboard, paste brings it back; delete removes it.
    editor->entryPoints().objectEntry(*editor, 0);
    EXPECT_TRUE(pictures().isEmpty());
    editor->rtAct(Paste, QString());
    ASSERT_EQ(pictures().size(), 1);
    surface().setCurrentObject(pictures().first());
    editor->setBDcEdt(false);
    editor->entryPoints().objectEntry(*editor, 5);
    EXPECT_TRUE(pictures().isEmpty());
    EXPECT_TRUE(editor->bDcEdt());
}

TEST_F(Pictures, PicturePropertiesAreEditedUndoneAndKept) {
    const QByteArray png = testsupport::pngBytes(20, 10, Qt::red);
    const int id = surface().insertPictureData(png);
    editor->setBDcEdt(false);
    surface().setCurrentObject(id);

    // Closing the form with OK as shown changes nothing.
    dialogs->forms.enqueue({});
    EXPECT_FALSE(editor->entryPoints().objectEntry(*editor, 21));
    EXPECT_FALSE(editor->bDcEdt());
    ASSERT_EQ(dialogs->formsShown.size(), 1);
    EXPECT_EQ(dialogs->shown.last().title, QStringLiteral("画像のﾌﾟﾛﾊﾟﾃｨ"));
    QStringList labels;
    for (const platform::FormField &f : dialogs->formsShown.first())
        labels << f.label;
    EXPECT_EQ(labels, (QStringList{"種類", "幅 (mm)", "高さ (mm)", "配置", "代替ﾃｷｽﾄ", "ﾌｧｲﾙ名"}));
    EXPECT_EQ(dialogs->formsShown.first().first().value.toString(),
              QStringLiteral("PNG 20 × 10 ﾋﾟｸｾﾙ (%1 ﾊﾞｲﾄ)").arg(png.size()));

    // 50.8 mm is two inches: 192 pixels at 96 dpi.
    dialogs->forms.enqueue({{QStringLiteral("幅 (mm)"), 50.8},
                            {QStringLiteral("配置"), 3},
                            {QStringLiteral("代替ﾃｷｽﾄ"), QStringLiteral("赤い四角")},
                            {QStringLiteral("ﾌｧｲﾙ名"), QStringLiteral("/写真/赤.png")}});
    EXPECT_TRUE(editor->entryPoints().objectEntry(*editor, 21));
    EXPECT_TRUE(editor->bDcEdt());
    auto check = [](const QTextFormat &f) {
        EXPECT_DOUBLE_EQ(f.doubleProperty(QTextFormat::ImageWidth), 192);
        EXPECT_DOUBLE_EQ(f.doubleProperty(QTextFormat::ImageHeight), 10);
        EXPECT_EQ(f.intProperty(platform::TextProp::ScaleX), 960);
        EXPECT_EQ(f.intProperty(platform::TextProp::TextFlow), 3);
        EXPECT_EQ(f.stringProperty(QTextFormat::ImageAltText), QStringLiteral("赤い四角"));
        EXPECT_EQ(f.stringProperty(platform::TextProp::PictureFileName),
                  QStringLiteral("/写真/赤.png"));
    };
    check(objectFormat(surface(), id));
    const auto other = reloaded();
    const QList<int> ids = pictureIds(other->surface());
    ASSERT_EQ(ids.size(), 1);
    check(objectFormat(other->surface(), ids.first()));

    editor->rtAct(editor::cmd::Undo);
    EXPECT_DOUBLE_EQ(objectFormat(surface(), id).doubleProperty(QTextFormat::ImageWidth), 20);
    EXPECT_EQ(objectFormat(surface(), id).intProperty(platform::TextProp::TextFlow), 0);
}

TEST_F(Pictures, TextFrameHasTheObjectMenu) {
    type(QStringLiteral("前"));
    editor->rtAct(editor::cmd::InsertTextFrame);
    const int frame = surface().nextObject(0, platform::TextSurface::TextFrameObject);
    ASSERT_NE(frame, 0);
    const editor::ObjectMenuState state = editor::objectMenuState(surface(), frame);
    EXPECT_TRUE(state.frame);
    QStringList shown;
    for (const editor::ObjectEntry &e : editor::objectMenuEntries(state))
        if (e.visible)
            shown << e.caption;
    EXPECT_EQ(shown, (QStringList{"切り取り(&T)", "ｺﾋﾟｰ(&C)", "削除", "ﾌﾟﾛﾊﾟﾃｨ"}));

    // The frame's blank space under the pointer is the object; the text before it is not.
    QWidget *viewport = shownViewport();
    QGraphicsTextItem *item = nullptr;
    for (QGraphicsItem *i : editor->view()->items())
        if (auto *t = qgraphicsitem_cast<QGraphicsTextItem *>(i);
            t && t->document() == surface().document())
            item = t;
    ASSERT_NE(item, nullptr);
    QTextFrame *qtFrame = surface().document()->rootFrame()->childFrames().value(0);
    ASSERT_NE(qtFrame, nullptr);
    const QRectF box = surface().document()->documentLayout()->frameBoundingRect(qtFrame);
    const QPoint blank =
        editor->view()->mapFromScene(item->mapToScene(box.center() + QPointF(0, box.height() / 4)));
    EXPECT_EQ(editor::objectAtViewport(*editor->view(), surface(), blank, true), frame);
    EXPECT_EQ(editor::objectAtViewport(*editor->view(), surface(), blank, false), 0);
    EXPECT_EQ(
        editor::objectAtViewport(*editor->view(), surface(), caretPoint(0, QPoint(2, 4)), true), 0);
    Q_UNUSED(viewport);

    // Properties: width and a distance change, are undone, and are kept in the entry.
    editor->setBDcEdt(false);
    surface().setCurrentObject(frame);
    dialogs->forms.enqueue(
        {{QStringLiteral("幅 (mm)"), 50.0}, {QStringLiteral("左の間隔 (mm)"), 5.0}});
    EXPECT_TRUE(editor->entryPoints().objectEntry(*editor, 21));
    EXPECT_EQ(dialogs->shown.last().title, QStringLiteral("ﾃｷｽﾄﾌﾚｰﾑのﾌﾟﾛﾊﾟﾃｨ"));
    EXPECT_TRUE(editor->bDcEdt());
    auto check = [](const QTextFormat &f) {
        EXPECT_EQ(f.intProperty(platform::TextProp::FrameWidth), 2835);
        EXPECT_EQ(f.intProperty(platform::TextProp::FrameHeight), 2000);
        EXPECT_EQ(f.property(platform::TextProp::FrameDistances).value<QList<int>>(),
                  (QList<int>{283, 100, 100, 100}));
        EXPECT_DOUBLE_EQ(f.toFrameFormat().width().rawValue(), 189);
    };
    check(objectFormat(surface(), frame));
    const auto other = reloaded();
    const int otherFrame = other->surface().nextObject(0, platform::TextSurface::TextFrameObject);
    check(objectFormat(other->surface(), otherFrame));
    editor->rtAct(editor::cmd::Undo);
    EXPECT_EQ(
        objectFormat(surface(), surface().nextObject(0, platform::TextSurface::TextFrameObject))
            .intProperty(platform::TextProp::FrameWidth),
        1000);

    // Cut takes the frame to the clipboard and paste brings it back; delete removes it.
    const int restored = surface().nextObject(0, platform::TextSurface::TextFrameObject);
    surface().setCurrentObject(restored);
    EXPECT_TRUE(editor->entryPoints().objectEntry(*editor, 0));
    EXPECT_EQ(surface().nextObject(0, platform::TextSurface::TextFrameObject), 0);
    EXPECT_EQ(surface().text(), QStringLiteral("前"));
    editor->rtAct(Paste, QString());
    const int pasted = surface().nextObject(0, platform::TextSurface::TextFrameObject);
    ASSERT_NE(pasted, 0);
    surface().setCurrentObject(pasted);
    EXPECT_TRUE(editor->entryPoints().objectEntry(*editor, 5));
    EXPECT_EQ(surface().nextObject(0, platform::TextSurface::TextFrameObject), 0);
}

TEST_F(Pictures, SizedPictureIsDrawnOnThePage) {
    type(QStringLiteral("前"));
    QWidget *viewport = shownViewport();
    platform::TextView *view = editor->view();
    const QString file =
        writeFile(QStringLiteral("red.png"), testsupport::pngBytes(40, 20, Qt::red));

    // Esc ends the drawing: the drag that follows asks for no picture.
    editor->rtAct(editor::cmd::InsertSizedPicture);
    QTest::keyClick(view, Qt::Key_Escape);
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(200, 160));
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_TRUE(pictures().isEmpty());

    // A click without a drag draws nothing either.
    editor->rtAct(editor::cmd::InsertSizedPicture);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(dialogs->shown.isEmpty());

    editor->setBDcEdt(false);
    chooseFile(file);
    editor->rtAct(editor::cmd::InsertSizedPicture);
    EXPECT_FALSE(editor->bDcEdt());
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(260, 180));
    QTest::mouseMove(viewport, QPoint(180, 140));
    QRubberBand *band = nullptr;
    for (QRubberBand *b : viewport->findChildren<QRubberBand *>())
        if (b->isVisible())
            band = b;
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->geometry().contains(QPoint(181, 141)));
    EXPECT_TRUE(band->geometry().contains(QPoint(259, 179)));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_FALSE(band->isVisible());

    ASSERT_EQ(pictures().size(), 1);
    const QPointF a = view->mapToScene(QPoint(100, 100));
    const QPointF b = view->mapToScene(QPoint(260, 180));
    const QTextFormat f = objectFormat(surface(), pictures().first());
    EXPECT_NEAR(f.doubleProperty(QTextFormat::ImageWidth), b.x() - a.x(), 1);
    EXPECT_NEAR(f.doubleProperty(QTextFormat::ImageHeight), b.y() - a.y(), 1);
    EXPECT_TRUE(editor->bDcEdt());

    editor->rtAct(editor::cmd::Undo);
    EXPECT_TRUE(pictures().isEmpty());
    EXPECT_EQ(surface().text(), QStringLiteral("前"));
}
