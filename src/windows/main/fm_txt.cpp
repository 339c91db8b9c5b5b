#include "windows/main/fm_txt.h"
#include "windows/main/listing.h"

#include "diary/backup_runner.h"
#include "diary/connection.h"
#include "diary/entry_events.h"
#include "diary/search_warm_up.h"
#include "editor/bars/bands.h"
#include "editor/interface.h"
#include "editor/link_opening.h"
#include "keybar/ufky.h"
#include "platform/view/text_view.h"
#include "platform/widgets/calendar.h"
#include "platform/widgets/grid.h"
#include "settings/yini.h"
#include "windows/main/date_rules.h"
#include "windows/main/win_pos.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace mainwin {
namespace {

// Height of the key bar and gap between list and editor, in twips.
constexpr int kKeyBarTwips = 300;
constexpr int kGapTwips = 50;
// The editor keeps at least this width when the window is made small.
constexpr int kMinEditorPixels = 120;
// Long enough for the window's first paint, too short for anyone to have typed a search.
constexpr int kWarmUpDelayMs = 200;

} // namespace

fmTxt::fmTxt(settings::yIni &ini, QWidget *parent) : QMainWindow(parent), m_ini(ini) {
    m_area = new QWidget(this);
    setCentralWidget(m_area);
    m_calendar = new platform::Calendar(m_area);
    m_list = new platform::Grid(m_area);
    m_editor = new editor::uTxm(m_area);
    m_keys = new keybar::uFky(m_area);
    m_warmUp = new diary::SearchWarmUp(diary::connection(), this);
    m_area->installEventFilter(this);

    m_menus = buildMainMenus(menuBar());
    // Entries whose commands need the diary and the editor stay off until the load step.
    for (auto it = m_menus.entries.cbegin(); it != m_menus.entries.cend(); ++it)
        it.value()->setEnabled(it.key() == qMakePair(int(OperationMenu), 11));
    m_menus.compact->setEnabled(false);
    m_menus.backup->setEnabled(false);
    m_menus.exportDiary->setEnabled(false);
    connectMenus();
    connectBackups();
    connectControls();
    keepMinimumSize();
}

fmTxt::~fmTxt() = default;

void fmTxt::connectMenus() {
    for (QAction *action : std::as_const(m_menus.entries)) {
        if (action->isSeparator() || action->menu())
            continue;
        connect(action, &QAction::triggered, this, [this, action] {
            fnMenu(action->property("menuCode").toInt(), action->property("menuIndex").toInt());
        });
    }
    connect(m_menus.operation, &QMenu::aboutToShow, this, [this] {
        if (m_loaded)
            RefreshFileMenu();
    });
    // Compaction replaces the file a running backup reads.
    connect(m_menus.compact, &QAction::triggered, this, [this] {
        m_backups->wait();
        diary::DbCompact();
    });
    connect(m_menus.showFkeys, &QAction::triggered, this,
            [this] { ShowFkeyBar(!m_fkeyShown, true); });
    for (int i = 0; i < 3; ++i)
        connect(m_menus.calCols[i], &QAction::triggered, this, [this, i] { SetCalCols(i, true); });
}

void fmTxt::connectControls() {
    connect(m_calendar, &platform::Calendar::datePicked, this, [this] {
        FillMonthList(false);
        LoadEntry();
    });
    // A date clicked is a date to write about: typing goes into its entry.
    connect(m_calendar, &platform::Calendar::dateClicked, this, [this] { focusEditor(); });
    connect(m_calendar, &platform::Calendar::visibleMonthsChanged, this,
            [this] { refreshBoldDays(); });
    connect(m_list, &platform::Grid::cellClicked, this, [this](int, int row) { openListRow(row); });
    connect(m_list, &platform::Grid::enterPressed, this, [this](int row) { openListRow(row); });
    connect(m_list, &platform::Grid::rightClicked, this,
            [this](int, const QPoint &globalPos) { m_menus.date->popup(globalPos); });

    connect(m_editor, &editor::uTxm::SaveRequested, this, &fmTxt::SaveEntry);
    // Every change of the edited flag (raised before the flag is stored) refreshes the menu
    // entries and the keys that follow them.
    connect(m_editor, &editor::uTxm::EditedChanged, this, [this](bool value) {
        if (m_loaded)
            refreshFileMenu(value);
        else
            m_menus.entry(OperationMenu, 5)->setEnabled(value);
    });
    connect(&diary::entryEvents(), &diary::EntryEvents::written, this, &fmTxt::followWrite);
    connect(&diary::entryEvents(), &diary::EntryEvents::removed, this, &fmTxt::followRemoval);
    connect(m_editor, &editor::uTxm::LinkClicked, this,
            [](const QString &, const QString &, const QString &target) {
                editor::openLinkTarget(target);
            });
}

bool fmTxt::LoadStep(const QString &userDir, const QString &tplDir) {
    if (!diary::DbOpen(userDir, tplDir))
        return false;
    m_userDir = userDir;
    m_tplDir = tplDir;
    // The key captions are known before the window takes its size.
    registerKeys();
    RestoreWinPos();
    m_calendar->setDate(QDate::currentDate());
    m_editor->cOn(qintptr(winId()), 0);
    for (QAction *action : std::as_const(m_menus.entries))
        if (action->property("menuCode").toInt() != OperationMenu)
            action->setEnabled(true);
    m_menus.entry(OperationMenu, 9)->setEnabled(true);
    m_menus.compact->setEnabled(true);
    m_menus.backup->setEnabled(true);
    m_menus.exportDiary->setEnabled(true);
    m_loaded = true;
    FillMonthList(false);
    LoadEntry();
    focusEditor();
    return true;
}

void fmTxt::startSearchWarmUp() {
    if (m_loaded && !m_closed)
        m_warmUp->start(kWarmUpDelayMs);
}

void fmTxt::focusEditor() {
    m_editor->view()->setFocus(Qt::OtherFocusReason);
}

void fmTxt::registerKeys() {
    m_keys->cOn(this, true);
    for (const FunctionKey &key : functionKeys())
        m_keys->cKey(QString::fromUtf16(key.key), key.menuCode, key.index,
                     QString::fromUtf16(key.caption), QString::fromUtf16(key.tooltip));
}

QAction *fmTxt::menuEntry(int menuNumber, int index) const {
    QAction *action = nullptr;
    if (menuNumber == 1) {
        const QList<QAction *> top = menuBar()->actions();
        action = (index >= 0 && index < top.size()) ? top.at(index) : nullptr;
    } else {
        action = m_menus.entry(menuNumber, index);
    }
    return (action && !action->isSeparator()) ? action : nullptr;
}

void fmTxt::RefreshFileMenu() {
    refreshFileMenu(m_editor->bDcEdt());
}

void fmTxt::refreshFileMenu(bool edited) {
    bool exDoc = false;
    bool overwrite = false;
    m_editor->ChkJbMn0(exDoc, overwrite);
    for (int index : {0, 1, 2})
        m_menus.entry(OperationMenu, index)->setEnabled(exDoc);
    // An entry that cannot be read shows nothing, yet the user must be able to delete it.
    m_menus.entry(OperationMenu, 7)->setEnabled(exDoc || m_unreadable);
    m_menus.entry(OperationMenu, 5)->setEnabled(edited);
    m_keys->SetEnbByMenu();
}

void fmTxt::keepMinimumSize() {
    const QSize cal = m_calendar->naturalSize();
    const int keys = m_fkeyShown ? qMax(pixelsFromTwips(kKeyBarTwips, logicalDpiY()),
                                        m_keys->sizeHint().height())
                                 : 0;
    // The key captions stay whole at every size the window allows.
    const int keysWidth = m_fkeyShown ? m_keys->minimumSizeHint().width() : 0;
    // The editor keeps its formatting bar, font name included, readable.
    const int editorWidth = qMax(kMinEditorPixels, m_editor->vButton()->minimumSizeHint().width());
    m_area->setMinimumSize(
        qMax(keysWidth, cal.width() + pixelsFromTwips(kGapTwips, logicalDpiX()) + editorWidth),
        cal.height() + keys);
}

void fmTxt::LayoutMain() {
    const int w = m_area->width();
    const int h = m_area->height();
    const QSize cal = m_calendar->naturalSize();
    const int k = m_fkeyShown ? qMax(pixelsFromTwips(kKeyBarTwips, logicalDpiY()),
                                     m_keys->sizeHint().height())
                              : 0;
    const int gap = pixelsFromTwips(kGapTwips, logicalDpiX());
    m_calendar->setGeometry(0, 0, cal.width(), cal.height());
    m_list->setGeometry(0, cal.height(), cal.width(), qMax(0, h - cal.height() - k));
    m_editor->setGeometry(cal.width() + gap, 0, qMax(0, w - cal.width() - gap), qMax(0, h - k));
    m_keys->setVisible(k > 0);
    if (k > 0)
        m_keys->setGeometry(0, h - k, w, k);
}

bool fmTxt::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_area && event->type() == QEvent::Resize && !isMinimized())
        LayoutMain();
    return QMainWindow::eventFilter(watched, event);
}

void fmTxt::CloseMain(bool &cancel) {
    cancel = false;
    if (m_closed)
        return;
    SaveWinPos();
    if (m_loaded && m_listing && !m_listing->closeEntryWindows()) {
        cancel = true;
        return;
    }
    if (m_loaded) {
        m_editor->ChkUdt(cancel);
        if (saveFailed())
            cancel = true;
        if (cancel)
            return;
    }
    m_closed = true;
    m_warmUp->stop();
    m_curKey.clear();
    m_monthKeys.clear();
    if (m_loaded) {
        m_editor->cOff();
        m_keys->cOff();
        diary::DbClose();
    }
    emit shutdownRequested();
}

void fmTxt::closeEvent(QCloseEvent *event) {
    bool cancel = false;
    CloseMain(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void fmTxt::SaveWinPos() {
    writeWinPos(m_ini, toTwips(QRect(pos(), size()), logicalDpiX()));
}

void fmTxt::RestoreWinPos() {
    // Columns and key bar first: they decide the smallest window.
    SetCalCols(readCalColsIndex(m_ini), false);
    ShowFkeyBar(readFkeyShown(m_ini), false);
    if (!winPosStored(m_ini)) {
        const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
        if (shown) {
            const QRect placed = firstPlacement(shown->availableGeometry(), minimumSizeHint());
            move(placed.topLeft());
            resize(placed.size());
            return;
        }
    }
    const QRect px = toPixels(readWinPos(m_ini), logicalDpiX());
    QList<QRect> screens;
    for (const QScreen *each : QGuiApplication::screens())
        screens.append(each->availableGeometry());
    const QRect placed = ontoScreens(px, screens);
    move(placed.topLeft());
    resize(placed.size());
}

void fmTxt::ShowFkeyBar(bool show, bool store) {
    m_fkeyShown = show;
    m_keys->setVisible(show);
    keepMinimumSize();
    LayoutMain();
    m_menus.showFkeys->setChecked(show);
    if (store)
        storeFkeyShown(m_ini, show);
}

void fmTxt::SetCalCols(int index, bool store) {
    m_calColsIndex = qBound(0, index, 2);
    m_menus.calCols[m_calColsIndex]->setChecked(true);
    m_calendar->setMonthColumns(m_calColsIndex + 1);
    // A one-month calendar leaves the list too narrow for the summary: let it scroll sideways.
    m_list->setScrollBars(m_calColsIndex == 0 ? 3 : 2);
    if (store)
        storeCalColsIndex(m_ini, m_calColsIndex);
    keepMinimumSize();
    LayoutMain();
}

} // namespace mainwin
