#pragma once

#include "editor_dialog/dialog_values.h"
#include "editor_dialog/page_setup.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace platform {
class TextSurface;
class TextView;
} // namespace platform

namespace editor_dialog {

class FindReplace;

// One page of the dialog: prepared from the answer it is opened with, applied by OK.
class Page : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void prepare(const QString &sAns) = 0;
    // OK: applies the page and answers its answer string.
    virtual QString apply() = 0;
    // OK first asks the page; a page that refuses stays open.
    virtual bool okCheck() { return true; }
    // Whether OK changed the document.
    virtual bool changedDocument() const { return false; }
};

// "FD" / "RP": the tab strip with the find frame and the replace frame.
class FindPage final : public Page {
    Q_OBJECT
public:
    FindPage(FindReplace &finder, platform::TextSurface &surface, QWidget *parent = nullptr);
    void prepare(const QString &sAns) override;
    QString apply() override { return QString(); }
    bool changedDocument() const override { return m_changed; }
    void showReplace(bool replace);

    void ssCom(int index); // 0 "先頭から", 1 "前を探す", 2 "次を探す"
    void ssRep(int index); // 0 "置換", 1 "全て置換", 2 "次を探す"
    void ssUndo();
    void cmStrCnv(int index); // the replace text converted into the replacement box

private:
    void rememberTexts();
    void updateUndo();

    FindReplace &m_finder;
    platform::TextSurface &m_surface;
    QTabBar *m_tabs = nullptr;
    QStackedWidget *m_frames = nullptr;
    std::array<QComboBox *, 4> m_cbFnd{}; // 0 find, 1 replace's search, 3 replacement
    std::array<QCheckBox *, 2> m_chMatch{};
    std::array<QPushButton *, 3> m_ssCom{};
    std::array<QPushButton *, 3> m_ssRep{};
    QPushButton *m_ssUndo = nullptr;
    bool m_changed = false;
};

// "PG": paper, orientation and margins.
class PageSetupPage final : public Page {
    Q_OBJECT
public:
    PageSetupPage(platform::TextSurface &surface, platform::TextView *view,
                  QWidget *parent = nullptr);
    void prepare(const QString &sAns) override;
    QString apply() override;
    bool changedDocument() const override { return m_changed; }
    PageTexts texts() const;
    void cmPage(); // "規定値として設定"

private:
    void showTexts(const PageTexts &texts);
    void paperChosen(int index);
    void orientationChosen(bool landscape);
    void sizeEdited();

    platform::TextSurface &m_surface;
    platform::TextView *m_view;
    QComboBox *m_cbPage = nullptr;
    std::array<QRadioButton *, 2> m_opVH{};
    QLineEdit *m_txPgWd = nullptr;
    QLineEdit *m_txPgHi = nullptr;
    QLineEdit *m_txLftMrg = nullptr;
    QLineEdit *m_txTopMrg = nullptr;
    QLineEdit *m_txRghMrg = nullptr;
    QLineEdit *m_txBtmMrg = nullptr;
    bool m_filling = false;
    bool m_changed = false;
};

// "IM": the IME check box and the three update-save options.
class ImePage final : public Page {
    Q_OBJECT
public:
    explicit ImePage(QWidget *parent = nullptr);
    void prepare(const QString &sAns) override;
    QString apply() override;

private:
    QCheckBox *m_chIME = nullptr;
    QButtonGroup *m_opSave = nullptr;
};

// "TF": picture layout and colour reduction of pasted pictures.
class PictureLayoutPage final : public Page {
    Q_OBJECT
public:
    explicit PictureLayoutPage(QWidget *parent = nullptr);
    void prepare(const QString &sAns) override;
    QString apply() override;

private:
    QButtonGroup *m_opTxf = nullptr;
    QButtonGroup *m_opImg = nullptr;
};

// "TB": rows and columns of a table inserted at the caret.
class TablePage final : public Page {
    Q_OBJECT
public:
    explicit TablePage(platform::TextSurface &surface, QWidget *parent = nullptr);
    void prepare(const QString &sAns) override;
    QString apply() override;
    bool changedDocument() const override { return m_changed; }

private:
    platform::TextSurface &m_surface;
    QComboBox *m_rows = nullptr;
    QComboBox *m_columns = nullptr;
    bool m_changed = false;
};

} // namespace editor_dialog
