#include "windows/search/sbfnd.h"

#include "diary/connection.h"
#include "platform/dialogs.h"
#include "windows/search/listing.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocumentFragment>

namespace searchwin {

QPointer<sbFnd> sbFnd::s_instance;

sbFnd::sbFnd(QWidget *parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("全文検索"));
    m_doc = new QTextBrowser(this);
    m_doc->setOpenLinks(false);
    m_doc->setUndoRedoEnabled(false);
    // Lines break between words (or Japanese characters), never inside a date heading.
    m_doc->setWordWrapMode(QTextOption::WordWrap);
    m_doc->setContextMenuPolicy(Qt::CustomContextMenu);
    m_doc->viewport()->installEventFilter(this);
    setCentralWidget(m_doc);
    buildMenus();
    connect(m_doc, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_mnEdit->popup(m_doc->mapToGlobal(pos)); });
    resize(640, 720);
}

sbFnd::~sbFnd() = default;

sbFnd &sbFnd::instance() {
    if (!s_instance)
        s_instance = new sbFnd();
    return *s_instance;
}

void sbFnd::releaseInstance() {
    delete s_instance.data();
}

void sbFnd::buildMenus() {
    m_mnFile = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    m_mnFile->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);
    m_mnEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    m_mnEdit->addAction(QStringLiteral("ｺﾋﾟｰ"), this, &sbFnd::copySelection);
    m_mnEdit->addAction(QStringLiteral("全て選択"), this, &sbFnd::copyAll);
    m_mnEdit->addSeparator();
    m_mnEdit->addAction(QStringLiteral("検索"), this, &sbFnd::searchSelection);
}

void sbFnd::setPlacement(const QRect &mainWindow, const QRect &editorArea, const QMargins &frame) {
    const QScreen *screen = QGuiApplication::screenAt(mainWindow.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    m_placement = listingPlacement(mainWindow, editorArea, frame,
                                   screen ? screen->availableGeometry() : QRect());
}

void sbFnd::ActDate(const QString &sCp, const QString &sDt) {
    fill(sCp, {}, true, sDt);
}

void sbFnd::ActWd(const QString &sWd) {
    fill(sWd, sWd, false, {});
}

void sbFnd::fill(const QString &caption, const QString &word, bool recent, const QString &key) {
    setWindowTitle(caption);
    const QList<diary::DiaryRow> rows =
        recent ? diary::connection().recent(key) : diary::connection().search(word);
    buildListing(*m_doc->document(), rows, word);
    m_doc->moveCursor(QTextCursor::Start);
    show();
    raise();
    activateWindow();
}

void sbFnd::showEvent(QShowEvent *event) {
    // Placed once; afterwards the window keeps where the user put it.
    if (!m_placed && m_placement.isValid()) {
        m_placed = true;
        setGeometry(m_placement);
    }
    QMainWindow::showEvent(event);
}

bool sbFnd::openAt(int pos) {
    const QString key = headingKeyAt(*m_doc->document(), pos);
    if (key.isEmpty())
        return false;
    emit entryRequested(key);
    return true;
}

bool sbFnd::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_doc->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // A drag that selected text is a selection, not a click on the heading.
        if (mouse->button() != Qt::RightButton && !m_doc->textCursor().hasSelection())
            openAt(m_doc->cursorForPosition(mouse->position().toPoint()).position());
    }
    return QMainWindow::eventFilter(watched, event);
}

void sbFnd::copySelection() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_doc->textCursor().selection().toPlainText());
}

void sbFnd::copyAll() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_doc->toPlainText());
}

void sbFnd::searchSelection() {
    QString word = m_doc->textCursor().selectedText();
    if (word.isEmpty() &&
        !platform::dialogs().input(QStringLiteral("検索文字を指定して下さい"), {}, word))
        return;
    if (word.isEmpty())
        return;
    ActWd(word);
}

} // namespace searchwin
