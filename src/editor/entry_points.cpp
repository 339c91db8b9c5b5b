#include "editor/entry_points.h"

namespace editor {

namespace {
EntryPointsFactory g_factory = nullptr;
}

void setEntryPointsFactory(EntryPointsFactory factory) {
    g_factory = factory;
}

std::unique_ptr<EntryPoints> makeEntryPoints() {
    return g_factory ? g_factory() : std::make_unique<EntryPoints>();
}

} // namespace editor
