#pragma once

#include "keybar/key_bindings.h"
#include "keybar/key_row.h"

#include <QWidget>
#include <array>
#include <memory>

class QHBoxLayout;
class QProgressBar;
class QToolButton;

namespace keybar {

class FunctionKeyFilter;
class Host;
class StatusPanel;

// The function-key bar: twelve key buttons bound to the host's menu entries, a status panel and
// a progress bar. F1-F12 pressed anywhere in the host window, or a click on a button, runs the
// bound entry through the host's fnMenu; holding Ctrl shows the "C" key set.
class uFky : public QWidget {
    Q_OBJECT
public:
    explicit uFky(QWidget *parent = nullptr);
    ~uFky() override;

    void cOn(Host *host, bool fullRow);
    void cOff();
    void cKey(const QString &keyName, int menuNumber, int entryIndex, const QString &caption,
              const QString &tooltip);
    void cCap(const QString &keyName, const QString &caption);
    void cKyS();
    void SetEnb(int menuNumber, const QString &entryIndices, bool enabled, bool visibility);
    void SetEnbKy(const QString &keyNames, bool enabled);
    void SetEnbByMenu();
    // Shows the normal key set.
    void SetDef();
    // A message in the status panel; option 1, 2 or 4 picks the icon and colour.
    void PanelTx(const QString &text, int option);
    // A maximum above 0 puts the progress bar in the panel's place; 0 or less gives it back.
    void pbMax(int n);
    void pbVAL(int n);
    // Lays the children out for the current size (also done on every resize).
    void StSize();

    // Key events from the keyboard filter or the buttons; returns whether the key was consumed.
    bool keyPressed(int keyNumber, int modifierState);
    void modifierChanged(int modifierState);
    void modifiersReleased();

    const KeyRow &keyRow() const { return m_row; }
    QString keyMap() const { return m_bindings.keyMap(); }
    QString parentMap() const { return m_bindings.parentMap(); }
    QToolButton *keyButton(int number) const;
    StatusPanel *panel() const { return m_panel; }
    QProgressBar *progressBar() const { return m_bar; }

    QSize sizeHint() const override;
    // Wide enough for every key caption of both sets to show whole.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshButtons();
    void rebuildGroups();
    QRect toPixels(const QRect &twips) const;
    int keyWidthNeeded() const;

    KeyRow m_row;
    KeyBindings m_bindings{m_row};
    std::unique_ptr<FunctionKeyFilter> m_filter;
    QWidget *m_keys;
    QHBoxLayout *m_keyLayout;
    std::array<QToolButton *, KeyRow::kKeyCount> m_buttons{};
    QString m_groupedLayout;
    StatusPanel *m_panel;
    QProgressBar *m_bar;
    bool m_panelInLayout = false;
};

} // namespace keybar
