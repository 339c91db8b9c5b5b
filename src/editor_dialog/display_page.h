#pragma once

#include "editor_dialog/display.h"
#include "editor_dialog/pages.h"

namespace editor_dialog {

// "DP": page view or normal view and the zoom. The answer carries view mode and zoom in and out;
// the editor applies and keeps them.
class DisplayPage final : public Page {
    Q_OBJECT
public:
    DisplayPage(platform::TextSurface &surface, platform::TextView *view,
                QWidget *parent = nullptr);
    void prepare(const QString &sAns) override;
    QString apply() override;
    DisplayChoice choice() const;

private:
    platform::TextSurface &m_surface;
    platform::TextView *m_view;
    QButtonGroup *m_opDP = nullptr;
    QButtonGroup *m_opZoom = nullptr;
    QLineEdit *m_txZoom = nullptr;
};

} // namespace editor_dialog
