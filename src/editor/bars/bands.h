#pragma once

#include "editor/settings.h"

#include <QFrame>
#include <QHash>
#include <QToolBar>

class QAction;
class QComboBox;
class QLabel;
class QToolButton;
class QVBoxLayout;

namespace editor {

class ColourPicker;
class FontNameBox;

// The toolbar tlBar: one action per key of toolbarKeys().
class ToolBarBand : public QToolBar {
    Q_OBJECT
public:
    explicit ToolBarBand(QWidget *parent = nullptr);
    QAction *action(const QString &key) const { return m_actions.value(key); }

signals:
    void keyClicked(const QString &key);

private:
    QHash<QString, QAction *> m_actions;
};

// The colour band frFmt: the two pickers with their repeat buttons and the format carrier.
class ColourBand : public QFrame {
    Q_OBJECT
public:
    explicit ColourBand(QWidget *parent = nullptr);
    ColourPicker *imFcr = nullptr;
    ColourPicker *imBcr = nullptr;
    QToolButton *cmFcr = nullptr;
    QToolButton *cmBcr = nullptr;
    QToolButton *cmTfm = nullptr;
};

// The formatting bar vButton: font name, size, bold, italic, underline, alignment and lists.
class FormatBand : public QFrame {
    Q_OBJECT
public:
    explicit FormatBand(QWidget *parent = nullptr);

    struct State {
        QString fontName;
        double size = 10;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int alignment = 0;
        int listState = 1;
    };
    // Shows the selection's values without reporting them back.
    void show(const State &state);
    // What the controls show now.
    State shown() const;

signals:
    void fontNameChosen(const QString &name);
    void sizeChosen(double points);
    void boldToggled(bool on);
    void italicToggled(bool on);
    void underlineToggled(bool on);
    void alignmentChosen(int alignment);
    void listChosen(int state);

private:
    FontNameBox *m_font = nullptr;
    QComboBox *m_size = nullptr;
    QToolButton *m_bold = nullptr;
    QToolButton *m_italic = nullptr;
    QToolButton *m_underline = nullptr;
    QList<QToolButton *> m_alignments;
    QToolButton *m_bullets = nullptr;
    QToolButton *m_numbers = nullptr;
    bool m_showing = false;
};

// The status bar vStatus: page, line, column and zoom.
class StatusBand : public QFrame {
    Q_OBJECT
public:
    explicit StatusBand(QWidget *parent = nullptr);
    void show(int page, int pages, int line, int column, int zoom);
    QString text() const;

private:
    QLabel *m_page = nullptr;
    QLabel *m_line = nullptr;
    QLabel *m_column = nullptr;
    QLabel *m_zoom = nullptr;
};

// The band bar clBar: four bands in rows. A band has a position in the order, a width, a
// visibility and a new-row flag; "C_BR" stores exactly that.
class BandBar : public QWidget {
    Q_OBJECT
public:
    explicit BandBar(QWidget *parent = nullptr);

    // Adds a band holding the control; its objectName is the band's control name.
    void addBand(QWidget *control, bool newRow);
    int bandCount() const { return int(m_bands.size()); }
    QWidget *control(int band) const; // 0-based band
    int bandOf(const QString &controlName) const;
    bool bandVisible(int band) const;
    void setBandVisible(int band, bool visible);

    QList<BandState> layoutState() const;
    // Restores a decoded layout: the k-th state goes into band k.
    void restore(const QList<BandState> &states);
    // Places the bands into their rows again.
    void relayout();

private:
    struct Band {
        QWidget *control = nullptr;
        bool visible = true;
        bool newRow = false;
        int width = 0;
    };
    QList<Band> m_bands;
    QVBoxLayout *m_rows = nullptr;
};

} // namespace editor
