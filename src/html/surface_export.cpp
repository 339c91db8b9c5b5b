#include "html/surface_export.h"

#include "platform/text/text_surface.h"

namespace html {
namespace {

void markPictures(platform::TextSurface &surface, int code, bool resetSaveMode) {
    for (int id = surface.nextObject(0, platform::TextSurface::PictureObject); id != 0;
         id = surface.nextObject(id, platform::TextSurface::PictureObject)) {
        surface.setCurrentObject(id);
        surface.setPictureExportCode(code, id);
        if (resetSaveMode && surface.pictureSaveMode(id) != 0)
            surface.setPictureSaveMode(0, id);
    }
}

} // namespace

yHtm::ExportPage surfaceExport(platform::TextSurface &surface) {
    return [&surface](const QString &sFileName, bool bPng) {
        const int code = bPng ? 3 : 4;
        const int previousArea = surface.activeArea();
        surface.setActiveArea(0);
        markPictures(surface, code, true);
        const int bits = surface.headerFooterBits();
        for (int bit : {1, 2, 4, 8}) {
            if ((bits & bit) && surface.setActiveArea(bit))
                markPictures(surface, code, false);
        }
        surface.setActiveArea(0);
        const bool ok = surface.saveFile(sFileName, platform::TextSurface::Html);
        surface.setActiveArea(previousArea);
        return ok;
    };
}

} // namespace html
