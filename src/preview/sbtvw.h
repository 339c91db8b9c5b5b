#pragma once

#include "preview/preview_model.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QAction;
class QMenuBar;
class QScrollArea;

namespace preview {

class PageCanvas;

// The print preview window "ﾍﾟｰｼﾞﾋﾞｭｰ" and the owner of printing: shows the document's pages
// with zoom and page navigation, prints it and stores the printer settings.
class sbTvw : public QDialog {
    Q_OBJECT
public:
    explicit sbTvw(QWidget *parent = nullptr);
    ~sbTvw() override;

    // The one preview window, created on first use and kept.
    static sbTvw &instance();
    static void releaseInstance();

    // Shows the preview of source modally, over the window `over`; returns when it is closed.
    void cAct(PageSource &source, const QString &backgroundFile, const QString &settingsFile,
              const QString &title, QWidget *over);
    // Prints source, in page view for the time of printing; false unless it printed.
    static bool cPrint(PageSource &source, bool direct, const QString &settingsFile,
                       const QString &title);
    // The printer set-up dialog, storing the result; false unless stored.
    static bool cSetPrn(PageSource &source, const QString &settingsFile);

    // The steps of cAct around the modal loop, for its tests.
    void prepare(PageSource &source, const QString &backgroundFile, const QString &settingsFile,
                 const QString &title, QWidget *over);
    void finish();

    PreviewModel &model() { return m_model; }
    QAction *printAction() const { return m_print; }
    QAction *closeAction() const { return m_close; }
    // 最初, 前, 次, 最後.
    const QList<QAction *> &pageActions() const { return m_pageActions; }
    // 50 % … 300 %, then ﾍﾟｰｼﾞ全体.
    const QList<QAction *> &zoomActions() const { return m_zoomActions; }
    QMenuBar *menus() const { return m_menuBar; }
    QWidget *canvas() const;

    // Twips per screen pixel of this window.
    double twipsPerPixel() const;

private:
    void buildMenus();
    void printFromMenu();
    void pageMenu(int index);
    void zoomMenu(int index);
    void updatePageMenu();
    void placeBox();

    PreviewModel m_model;
    QString m_title;
    QMenuBar *m_menuBar = nullptr;
    QScrollArea *m_scroll = nullptr;
    PageCanvas *m_canvas = nullptr;
    QAction *m_print = nullptr;
    QAction *m_close = nullptr;
    QList<QAction *> m_pageActions;
    QList<QAction *> m_zoomActions;
    static QPointer<sbTvw> s_instance;
};

} // namespace preview
