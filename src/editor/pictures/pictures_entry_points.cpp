// The picture part of the editor behind its entry points: paste, pictures, drawings, text
// frames, embedded files and the object menu.
#include "editor/commands.h"
#include "editor/entry_points.h"
#include "editor/interface.h"
#include "editor/pictures/embedded_object.h"
#include "editor/pictures/object_menu.h"
#include "editor/pictures/object_properties.h"
#include "editor/pictures/paste_rules.h"
#include "editor/pictures/picture_insert.h"
#include "editor/pictures/pointer_objects.h"
#include "editor/pictures/rectangle_drawing.h"
#include "launcher/zktl.h"
#include "platform/dialogs.h"
#include "platform/imaging/imaging.h"
#include "platform/shell.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "settings/app_values.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <memory>

namespace editor {

namespace imaging = platform::imaging;

namespace {

// The editor is busy while an object menu entry runs: its edits are the entry's, not typing.
class BusyEditor {
public:
    explicit BusyEditor(uTxm &host) : m_host(host), m_previous(host.busy()) { host.setBusy(true); }
    ~BusyEditor() { m_host.setBusy(m_previous); }
    BusyEditor(const BusyEditor &) = delete;
    BusyEditor &operator=(const BusyEditor &) = delete;

private:
    uTxm &m_host;
    bool m_previous;
};

// The hourglass while a picture is worked on.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

QTextFrame *textFrameOf(const platform::TextSurface &s, int id) {
    QList<QTextFrame *> frames{s.document()->rootFrame()};
    while (!frames.isEmpty()) {
        QTextFrame *frame = frames.takeFirst();
        if (frame->frameFormat().intProperty(platform::TextProp::ObjectId) == id &&
            frame->frameFormat().intProperty(platform::TextProp::ObjectKind) ==
                platform::TextSurface::TextFrameObject)
            return frame;
        frames << frame->childFrames();
    }
    return nullptr;
}

void tell(const QString &text) {
    platform::dialogs().message(text, platform::Buttons::Ok, platform::Icon::Exclamation);
}

int textWidthOf(const uTxm &host) {
    const platform::PageSetup page = host.surface().page();
    return textWidthTwips(page.width, page.marginLeft, page.marginRight);
}

QString workFolder() {
    const QString folder = settings::appValues().wrkDir;
    return folder.isEmpty() ? QDir::tempPath() + QLatin1Char('/') : folder;
}

PictureTarget targetOf(uTxm &host) {
    const EditorSettings &v = host.values();
    return {host.surface(),    host.editorType(), v.textFlow,
            v.colourReduction, host.screenDpi(),  twipsToPixels(textWidthOf(host)),
            workFolder()};
}

bool ownCopy(const QMimeData *data) {
    return data && data->hasFormat(QString::fromLatin1(platform::TextSurface::InternalMimeType));
}

// After a picture from the clipboard the paragraph takes the body style, quietly.
void bodyStyle(uTxm &host) {
    host.entryPoints().applyUserStyle(host, -3);
}

QByteArray readWhole(const QString &path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit)
        return {};
    return file.readAll();
}

bool pastePicture(uTxm &host, const QMimeData *data) {
    const imaging::ClipboardCheck c = imaging::check(data);
    if (c.link || c.bitmap) {
        WaitCursor wait;
        const PictureTarget target = targetOf(host);
        const imaging::Picture picture = imaging::importClipboard(data, target.textWidth);
        if (picture.isNull()) {
            tell(QStringLiteral("貼り付ける画像を読み込めません"));
            return false;
        }
        if (!insertPicture(target, picture)) {
            tell(QStringLiteral("画像を挿入できません"));
            return false;
        }
        bodyStyle(host);
        return true;
    }
    if (c.metafile) {
        const QString work = workingFile(workFolder(), "png");
        if (host.entryPoints().imageDialog(host, imaging::clipboardSvg(data), work,
                                           textWidthOf(host))) {
            if (insertPictureBytes(targetOf(host), readWhole(work, imaging::kMaxEncodedBytes),
                                   work))
                return true;
            tell(QStringLiteral("画像を挿入できません"));
            return false;
        }
    }
    return host.surface().clipboard(platform::TextSurface::ClipPaste);
}

bool insertDrawingFile(uTxm &host, const QString &path) {
    const QByteArray svg = readWhole(path, imaging::kMaxEncodedBytes);
    if (imaging::svgSize(svg).isEmpty()) {
        tell(QStringLiteral("画像を読み込めません\n") + path);
        return false;
    }
    const QString work = workingFile(workFolder(), "png");
    if (!host.entryPoints().imageDialog(host, svg, work, textWidthOf(host)))
        return false;
    if (!insertPictureBytes(targetOf(host), readWhole(work, imaging::kMaxEncodedBytes), path)) {
        tell(QStringLiteral("画像を挿入できません"));
        return false;
    }
    return true;
}

// The picture file the user picks; empty when cancelled.
QString askPictureFile(uTxm &host) {
    platform::FileRequest request;
    request.title = QStringLiteral("画像の挿入");
    request.folder = host.values().picturePath;
    request.filter = QStringLiteral("画像|*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.svg|全てのﾌｧｲﾙ|*.*");
    const platform::FileAnswer answer = platform::dialogs().openFile(request);
    if (!answer.accepted)
        return {};
    host.values().picturePath = QFileInfo(answer.path).absolutePath() + QLatin1Char('/');
    return answer.path;
}

bool isDrawing(const QString &path) {
    return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

bool choosePictureFile(uTxm &host) {
    const QString path = askPictureFile(host);
    if (path.isEmpty())
        return false;
    if (isDrawing(path))
        return insertDrawingFile(host, path);
    WaitCursor wait;
    if (!insertPictureFile(targetOf(host), path)) {
        tell(QStringLiteral("画像を読み込めません\n") + path);
        return false;
    }
    return true;
}

bool chooseDrawingFile(uTxm &host) {
    platform::FileRequest request;
    request.title = QStringLiteral("画像 WMF形式");
    const QString folder = host.values().picturePath;
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        request.folder = folder;
    request.filter = QStringLiteral("図形 (SVG)|*.svg");
    const platform::FileAnswer answer = platform::dialogs().openFile(request);
    if (!answer.accepted)
        return false;
    host.values().picturePath = QFileInfo(answer.path).absolutePath() + QLatin1Char('/');
    return insertDrawingFile(host, answer.path);
}

bool embedFile(uTxm &host) {
    platform::FileRequest request;
    request.title = QStringLiteral("OLEｵﾌﾞｼﾞｪｸﾄ");
    request.filter = QStringLiteral("全てのﾌｧｲﾙ|*.*");
    const platform::FileAnswer answer = platform::dialogs().openFile(request);
    if (!answer.accepted)
        return false;
    const QFileInfo info(answer.path);
    if (info.size() > kMaxEmbeddedBytes) {
        tell(QStringLiteral("ﾌｧｲﾙが大きすぎるため埋め込めません (32MBまで)\n") + answer.path);
        return false;
    }
    QFile file(answer.path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("ﾌｧｲﾙを読み込めません\n") + answer.path);
        return false;
    }
    const QByteArray packed = packEmbedded({info.fileName(), file.read(kMaxEmbeddedBytes + 1)});
    if (packed.isEmpty() || !host.surface().insertPictureData(packed, 0, 100, 100)) {
        tell(QStringLiteral("ﾌｧｲﾙを埋め込めません\n") + answer.path);
        return false;
    }
    return true;
}

launcher::zKtl companions() {
    return launcher::zKtl(QCoreApplication::applicationDirPath());
}

// Inserts the file a companion produced; ok false (cancelled, nothing made) inserts nothing.
bool insertProduced(uTxm &host, bool ok, const QString &file) {
    if (!ok)
        return false;
    WaitCursor wait;
    if (!insertPictureFile(targetOf(host), file)) {
        tell(QStringLiteral("画像を読み込めません\n") + file);
        return false;
    }
    return true;
}

bool companionPicture(uTxm &host, int width, int height) {
    QString file;
    bool flag = false;
    bool ok = false;
    companions().ActPic(0, workFolder(), file, width, height, flag, ok);
    return insertProduced(host, ok, file);
}

// The picture for a drawn rectangle of size (document pixels): the picture companion's, or
// without it a picture file the user picks, inserted at the caret at that size.
bool drawnPicture(uTxm &host, const QSize &size) {
    QString file;
    bool ok = false;
    if (companions().installed(0)) {
        bool flag = false;
        companions().ActPic(0, workFolder(), file, size.width(), size.height(), flag, ok);
    } else {
        file = askPictureFile(host);
        ok = !file.isEmpty();
    }
    if (!ok)
        return false;
    WaitCursor wait;
    host.takeSnapshot();
    const PictureTarget target = targetOf(host);
    int id = 0;
    if (isDrawing(file)) {
        const QByteArray svg = readWhole(file, imaging::kMaxEncodedBytes);
        if (!imaging::svgSize(svg).isEmpty())
            id = insertPictureBytes(target, imaging::encode(imaging::renderSvg(svg, size), "PNG"),
                                    file);
    } else {
        id = insertPictureFile(target, file);
    }
    if (!id) {
        tell(QStringLiteral("画像を読み込めません\n") + file);
        return false;
    }
    const ObjectProperties before = objectProperties(host.surface(), id);
    ObjectProperties drawn = before;
    drawn.width = size.width() * 15;
    drawn.height = size.height() * 15;
    applyObjectProperties(host.surface(), id, before, drawn);
    return true;
}

// Rectangles drawn and not yet turned into pictures, by editor.
QHash<const uTxm *, QSize> &drawnSizes() {
    static QHash<const uTxm *, QSize> sizes;
    return sizes;
}

// Command 34: the user draws the picture's rectangle on the page; the picture comes when the
// drawing ends.
bool sizedPicture(uTxm &host) {
    platform::TextView *view = host.view();
    if (!view || RectangleDrawing::active(view))
        return false;
    uTxm *editor = &host;
    new RectangleDrawing(view, [editor, view](const QRectF &scene, const QPoint &start) {
        if (editor->readOnly())
            return;
        caretToViewport(*view, editor->surface(), start);
        // The command runs again with the rectangle, so the picture comes as any command's.
        drawnSizes().insert(editor, QSize(qBound(1, qRound(scene.width()), kMaxObjectTwips / 15),
                                          qBound(1, qRound(scene.height()), kMaxObjectTwips / 15)));
        editor->rtAct(cmd::InsertSizedPicture);
        drawnSizes().remove(editor);
    });
    return false;
}

int objectUnderPointer(uTxm &host, const QPoint &globalPos) {
    platform::TextSurface &s = host.surface();
    if (platform::TextView *view = host.view())
        if (const int id =
                objectAtViewport(*view, s, view->viewport()->mapFromGlobal(globalPos), true))
            return id;
    return s.selLength() == 1 ? pictureAt(s, s.selStart()) : 0;
}

bool editProperties(uTxm &host, int id) {
    platform::TextSurface &s = host.surface();
    const ObjectProperties before = objectProperties(s, id);
    const QList<platform::FormField> shown = propertyFields(before);
    QList<platform::FormField> answered = shown;
    if (!platform::dialogs().form(propertiesTitle(before.kind), answered))
        return false;
    return applyObjectProperties(s, id, before, answeredProperties(shown, answered, before));
}

// Cut, copy, delete and properties of a text frame.
bool frameEntry(uTxm &host, int id, int position) {
    platform::TextSurface &s = host.surface();
    host.takeSnapshot();
    switch (position) {
    case 0:
    case 1: {
        s.selectTextFrame(0);
        QTextFrame *frame = textFrameOf(s, id);
        if (!frame)
            return false;
        s.select(frame->firstPosition() - 1, frame->lastPosition() - frame->firstPosition() + 2);
        if (position == 1) {
            s.clipboard(platform::TextSurface::ClipCopy);
            return false;
        }
        return s.clipboard(platform::TextSurface::ClipCut);
    }
    case 5:
        return s.deleteObject(id);
    case 21:
        return editProperties(host, id);
    default:
        return false;
    }
}

bool openObject(uTxm &host, int id) {
    const QByteArray bytes = pictureBytes(host.surface(), id);
    std::optional<EmbeddedFile> file = unpackEmbedded(bytes);
    if (!file) {
        const imaging::Picture picture = imaging::load(bytes, 1);
        file = EmbeddedFile{QStringLiteral("picture.") +
                                (picture.format == "jpeg" ? QStringLiteral("jpg")
                                                          : QString::fromLatin1(picture.format)),
                            bytes};
    }
    const QString path = extractEmbedded(*file, workFolder() + QStringLiteral("obj"));
    if (path.isEmpty() || !platform::shell().open(path)) {
        tell(QStringLiteral("ﾌｧｲﾙを開けません\n") + file->name);
        return false;
    }
    return true;
}

} // namespace

bool EntryPoints::paste(uTxm &host, const QString &kind) {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    QString type = kind.toUpper();
    if (type.isEmpty())
        type = autoPasteType(imaging::check(data), ownCopy(data), host.values().plainPaste);
    platform::TextSurface &s = host.surface();
    if (type == QStringLiteral("TXT")) {
        if (!data->hasText())
            return false;
        s.setSelText(plainPasteText(data->text()));
        return true;
    }
    if (type == QStringLiteral("PIC"))
        return pastePicture(host, data);
    return s.canPaste() && s.clipboard(platform::TextSurface::ClipPaste);
}

bool EntryPoints::insertPicture(uTxm &host, int code) {
    switch (code) {
    case 34:
        if (drawnSizes().contains(&host))
            return drawnPicture(host, drawnSizes().take(&host));
        return sizedPicture(host);
    case 35:
        return chooseDrawingFile(host);
    default:
        // The picture companion when it is installed, else a picture file.
        if (companions().installed(0))
            return companionPicture(host, 0, 0);
        return choosePictureFile(host);
    }
}

bool EntryPoints::insertTextFrame(uTxm &host) {
    return host.surface().insertTextFrame(1000, 2000, {100, 100, 100, 100}) != 0;
}

bool EntryPoints::insertObject(uTxm &host, int code) {
    QString file;
    bool ok = false;
    switch (code) {
    case 41:
        return embedFile(host);
    case 42:
        companions().ActGrph(workFolder(), file, ok);
        return insertProduced(host, ok, file);
    case 43:
        companions().ActChrt(workFolder(), file, ok);
        return insertProduced(host, ok, file);
    default:
        return false;
    }
}

bool EntryPoints::imageDialog(uTxm &, const QByteArray &svg, const QString &workFile,
                              int maxWidthTwips) {
    // Without the image dialog the drawing comes at its own size, narrowed to the text.
    QSize size = imaging::svgSize(svg);
    const int width = twipsToPixels(maxWidthTwips);
    if (size.isEmpty())
        return false;
    if (width > 0 && size.width() > width)
        size = QSize(width, qMax(1, size.height() * width / size.width()));
    return imaging::writeFile(imaging::encode(imaging::renderSvg(svg, size), "PNG"), workFile);
}

bool EntryPoints::objectMenu(uTxm &host, const QPoint &globalPos) {
    const int id = objectUnderPointer(host, globalPos);
    if (id == 0)
        return false;
    platform::TextSurface &s = host.surface();
    s.setCurrentObject(id);
    const std::unique_ptr<QMenu> menu(
        buildObjectMenu(objectMenuEntries(objectMenuState(s, id)), &host));
    const QAction *chosen = menu->exec(globalPos);
    if (chosen)
        objectEntry(host, chosen->data().toInt());
    return true;
}

bool EntryPoints::objectDoubleClick(uTxm &host, const QPoint &globalPos) {
    platform::TextView *view = host.view();
    if (!view)
        return false;
    const int id =
        objectAtViewport(*view, host.surface(), view->viewport()->mapFromGlobal(globalPos), false);
    if (!id || !unpackEmbedded(pictureBytes(host.surface(), id)))
        return false;
    openObject(host, id);
    return true;
}

bool EntryPoints::objectEntry(uTxm &host, int position) {
    platform::TextSurface &s = host.surface();
    const int id = s.currentObject();
    const ObjectMenuState state = objectMenuState(s, id);
    BusyEditor busy(host);
    if (state.frame) {
        const bool changed = frameEntry(host, id, position);
        if (changed)
            host.setBDcEdt(true);
        return changed;
    }
    if (state.position < 0)
        return false;
    host.takeSnapshot();
    s.setSelStart(state.position);
    s.setSelLength(1);
    bool changed = false;
    auto marker = [&](int code, const QVariantMap &argument) {
        QVariantMap a = argument;
        a.insert(QStringLiteral("object"), true);
        a.insert(QStringLiteral("objectId"), id);
        changed = this->marker(host, code, a);
    };
    const int link = 50;
    const int tag = 51;
    switch (position) {
    case 0:
        changed = s.clipboard(platform::TextSurface::ClipCut);
        break;
    case 1:
        s.clipboard(platform::TextSurface::ClipCopy);
        break;
    case 3:
        openObject(host, id);
        break;
    case 5:
        changed = state.fieldId ? s.deleteField(true, state.fieldId) : s.deleteObject(id);
        break;
    case 7:
    case 8:
    case 9:
        marker(link, {{QStringLiteral("mode"), position - 7}});
        break;
    case 11:
    case 12:
    case 13:
        marker(tag, {{QStringLiteral("mode"), position - 11}});
        break;
    case 15:
    case 16:
        marker(link, {{QStringLiteral("mode"), 0},
                      {QStringLiteral("enlarged"),
                       position == 15 ? QStringLiteral("latest") : QStringLiteral("choose")}});
        break;
    case 18:
    case 19: {
        const QString kind = position == 18 ? state.previousKind : state.nextKind;
        marker(kind == QStringLiteral("TG") ? tag : link,
               {{QStringLiteral("mode"), 0},
                {QStringLiteral("copy"),
                 position == 18 ? QStringLiteral("previous") : QStringLiteral("next")}});
        break;
    }
    case 21:
        changed = editProperties(host, id);
        break;
    default:
        return false;
    }
    if (changed)
        host.setBDcEdt(true);
    return changed;
}

} // namespace editor
