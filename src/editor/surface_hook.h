#pragma once

#include "platform/view/text_view.h"

namespace editor {

class uTxm;

// The keys and the context menu the editor takes over from its editing view.
class SurfaceHook : public platform::TextViewHook {
public:
    explicit SurfaceHook(uTxm *editor) : m_editor(editor) {}
    bool keyPress(QKeyEvent *event) override;
    bool contextMenu(const QPoint &globalPos) override;
    bool doubleClick(const QPoint &globalPos) override;

private:
    uTxm *m_editor;
};

} // namespace editor
