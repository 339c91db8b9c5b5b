// Form filling behind the editor's entry points: the page layout with text frames and loading
// or saving the text frames.
#include "editor/entry_points.h"
#include "editor/form_filling/page_layout.h"
#include "editor/interface.h"
#include "platform/text/text_surface.h"

namespace editor {

bool EntryPoints::textFrameLayout(uTxm &host, int command) {
    if (command != 1 && command != 2)
        return false;
    const bool changed = layoutFormPage(host.surface(), command == 1 ? 2 : 3);
    if (changed)
        host.setBDcEdt(true);
    return changed;
}

bool EntryPoints::textFrameFile(uTxm &host, int command) {
    platform::TextSurface &s = host.surface();
    const int current = host.currentTextFrame();
    switch (command) {
    case 5:
        return current > 0 && s.selectTextFrame(current) && saveAs(host, QString());
    case 6:
        return current > 0 && s.selectTextFrame(current) && openDocument(host, true);
    case 8: {
        // One dialog for every frame: the file goes into the first and is copied into the rest.
        QList<int> frames;
        for (int id = s.nextObject(0, platform::TextSurface::TextFrameObject); id > 0;
             id = s.nextObject(id, platform::TextSurface::TextFrameObject))
            frames << id;
        if (frames.isEmpty() || !s.selectTextFrame(frames.first()) || !openDocument(host, true)) {
            s.selectTextFrame(0);
            return false;
        }
        s.selectTextFrame(frames.first());
        bool ok = false;
        const QByteArray loaded = s.saveToMemory(platform::TextSurface::Internal, false, &ok);
        for (qsizetype i = 1; ok && i < frames.size(); ++i)
            if (s.selectTextFrame(frames.at(i)))
                s.loadFromMemory(loaded, platform::TextSurface::Internal);
        s.selectTextFrame(current > 0 ? current : 0);
        host.setBDcEdt(true);
        return true;
    }
    default:
        return false;
    }
}

} // namespace editor
