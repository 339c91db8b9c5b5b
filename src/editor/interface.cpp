#include "editor/interface.h"

#include "editor/bars/bands.h"
#include "editor/bars/rulers.h"
#include "editor/colours.h"
#include "editor/entry_points.h"
#include "editor/menus/context_menu.h"
#include "editor/menus/format_dialogs.h"
#include "editor/save_decision.h"
#include "editor/styles/styles.h"
#include "editor/surface_hook.h"
#include "html/yhtm.h"
#include "platform/text/text_surface.h"
#include "platform/view/text_view.h"
#include "settings/app_values.h"
#include "settings/yini.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextFrame>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

uTxm::Busy::Busy(uTxm *editor) : m_editor(editor), m_previous(editor->m_busy) {
    m_editor->m_busy = true;
}

uTxm::Busy::~Busy() {
    release();
}

void uTxm::Busy::release() {
    if (m_editor) {
        m_editor->m_busy = m_previous;
        m_editor = nullptr;
    }
}

uTxm::uTxm(QWidget *parent)
    : QWidget(parent), m_surface(std::make_unique<platform::TextSurface>()),
      m_entryPoints(makeEntryPoints()), m_formatDialogs(std::make_unique<QtFormatDialogs>()) {
    m_menu = new ContextMenu(this);
    m_printTitle.clear();
    Busy busy(this);
    buildWidgets();
    connectSurface();
    m_changed = false;
}

uTxm::~uTxm() {
    if (m_bLoad)
        cOff();
    // The view shows the surface's documents: it has to go before the surface does.
    m_surface->disconnect(this);
    if (m_view) {
        m_view->setHook(nullptr);
        m_view->disconnect(this);
        m_ime.setWidget(nullptr);
        delete m_view;
        m_view = nullptr;
    }
}

void uTxm::buildWidgets() {
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("txTitle"));
    m_title->setVisible(false);
    m_title->installEventFilter(this);
    column->addWidget(m_title);

    m_bandBar = new BandBar(this);
    m_toolBar = new ToolBarBand;
    m_colourBand = new ColourBand;
    m_formatBand = new FormatBand;
    m_statusBand = new StatusBand;
    m_bandBar->addBand(m_toolBar, true);
    m_bandBar->addBand(m_colourBand, false);
    m_bandBar->addBand(m_formatBand, true);
    m_bandBar->addBand(m_statusBand, true);
    column->addWidget(m_bandBar);

    auto *grid = new QGridLayout;
    grid->setSpacing(0);
    m_rulerCorner = new QWidget(this);
    m_ruler = new HorizontalRuler(this);
    m_rulerV = new VerticalRuler(this);
    m_view = new platform::TextView(this);
    m_view->setObjectName(QStringLiteral("mTxt"));
    m_view->setSurface(m_surface.get());
    m_hook = std::make_unique<SurfaceHook>(this);
    m_view->setHook(m_hook.get());
    m_view->installEventFilter(this);
    for (QScrollBar *bar : {m_view->horizontalScrollBar(), m_view->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { updateRulers(); });
    m_ime.setWidget(m_view);
    grid->addWidget(m_rulerCorner, 0, 0);
    grid->addWidget(m_ruler, 0, 1);
    grid->addWidget(m_rulerV, 1, 0);
    grid->addWidget(m_view, 1, 1);
    m_rulerCorner->setFixedSize(m_rulerV->sizeHint().width(), m_ruler->sizeHint().height());
    column->addLayout(grid, 1);

    auto *panels = new QHBoxLayout;
    m_pnStatus = new QLabel(this);
    m_pnStatus->setObjectName(QStringLiteral("pnStatus"));
    m_pnStatus->setFrameShape(QFrame::StyledPanel);
    m_pnTip = new QLabel(this);
    m_pnTip->setObjectName(QStringLiteral("pnTip"));
    m_pnTip->setFrameShape(QFrame::StyledPanel);
    panels->addWidget(m_pnStatus, 1);
    panels->addWidget(m_pnTip, 2);
    column->addLayout(panels);

    for (QWidget *w : {static_cast<QWidget *>(m_rulerCorner), static_cast<QWidget *>(m_ruler),
                       static_cast<QWidget *>(m_rulerV)})
        w->setVisible(false);

    connect(m_toolBar, &ToolBarBand::keyClicked, this, &uTxm::toolbarClicked);
    connect(m_title, &QLineEdit::textChanged, this, &uTxm::titleChanged);
    connect(m_title, &QLineEdit::returnPressed, this, &uTxm::titleEnter);
    connect(m_colourBand->imFcr, &ColourPicker::colourChosen, this,
            [this] { colourChosen(m_colourBand->imFcr); });
    connect(m_colourBand->imBcr, &ColourPicker::colourChosen, this,
            [this] { colourChosen(m_colourBand->imBcr); });
    connect(m_colourBand->cmFcr, &QToolButton::clicked, this,
            [this] { repeatColour(m_colourBand->imFcr); });
    connect(m_colourBand->cmBcr, &QToolButton::clicked, this,
            [this] { repeatColour(m_colourBand->imBcr); });
    connect(m_colourBand->cmTfm, &QToolButton::clicked, this, [this] { rtAct(cmd::PasteFormat); });
    connect(m_ruler, &HorizontalRuler::indentsEdited, this, [this](const RulerIndents &indents) {
        if (m_readOnly)
            return;
        m_surface->setLeftIndent(indents.left);
        m_surface->setFirstLineIndent(indents.firstLine);
        m_surface->setRightIndent(indents.right);
        m_view->setFocus();
    });
    connect(m_formatBand, &FormatBand::fontNameChosen, this, [this](const QString &name) {
        applyFormatBand([&] { m_surface->setFontName(name); });
    });
    connect(m_formatBand, &FormatBand::sizeChosen, this,
            [this](double size) { applyFormatBand([&] { m_surface->setFontSize(size); }); });
    connect(m_formatBand, &FormatBand::boldToggled, this,
            [this](bool on) { applyFormatBand([&] { m_surface->setBold(on); }); });
    connect(m_formatBand, &FormatBand::italicToggled, this,
            [this](bool on) { applyFormatBand([&] { m_surface->setItalic(on); }); });
    connect(m_formatBand, &FormatBand::underlineToggled, this,
            [this](bool on) { applyFormatBand([&] { m_surface->setUnderline(on); }); });
    connect(m_formatBand, &FormatBand::alignmentChosen, this,
            [this](int a) { applyFormatBand([&] { m_surface->setAlignment(a); }); });
    connect(m_formatBand, &FormatBand::listChosen, this,
            [this](int state) { applyFormatBand([&] { m_surface->setListState(state); }); });
}

void uTxm::applyFormatBand(const std::function<void()> &change) {
    if (m_busy || m_readOnly)
        return;
    change();
    syncViewFromSurface();
    m_view->setFocus();
}

void uTxm::connectSurface() {
    platform::TextSurface *s = m_surface.get();
    connect(s, &platform::TextSurface::contentChanged, this, &uTxm::surfaceChanged);
    // The view keeps the caret and the active area in step with the surface itself.
    connect(m_view, &platform::TextView::cursorPositionChanged, this, [this] {
        if (!m_busy)
            refreshStatus();
    });
    connect(m_view, &platform::TextView::zoomChanged, this, [this] { refreshStatus(); });
    connect(m_view, &platform::TextView::pageCountChanged, this, [this] {
        if (!m_busy)
            refreshStatus();
    });
    connect(m_view, &platform::TextView::viewModeChanged, this, [this] { refreshStatus(); });
    connect(s, &platform::TextSurface::fieldActivated, this, [this](int id) {
        const QString data = m_surface->fieldData(id);
        const QString kind = data.left(3).toUpper();
        QString text = m_surface->fieldText(id);
        text.remove(QChar(1));
        if (kind == QLatin1String("TP_") || kind.startsWith(QLatin1String("DX")) || data.isEmpty())
            return;
        const QString code =
            kind == QLatin1String("TG_") ? QStringLiteral("TG") : QStringLiteral("LK");
        emit LinkClicked(code, text, data);
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { refreshToolbar(); });
}

void uTxm::syncViewFromSurface() {
    if (m_syncing || m_surface->activeArea() != 0)
        return;
    const QTextCursor cursor = m_surface->cursor();
    if (cursor.document() != m_view->document())
        return;
    m_syncing = true;
    m_view->setTextCursor(cursor);
    m_syncing = false;
}

bool uTxm::anyDocumentModified() const {
    const platform::TextContent content = m_surface->content();
    if (content.main && content.main->isModified())
        return true;
    for (QTextDocument *area : content.areas)
        if (area && area->isModified())
            return true;
    return false;
}

void uTxm::markUnmodified() {
    const platform::TextContent content = m_surface->content();
    if (content.main)
        content.main->setModified(false);
    for (QTextDocument *area : content.areas)
        if (area)
            area->setModified(false);
}

void uTxm::surfaceChanged() {
    if (m_busy) {
        m_touched = true;
        return;
    }
    // Nothing done to a read-only document is ever offered for saving.
    if (m_readOnly)
        return;
    // Layout work (margins, page size) notifies too but leaves the modified flag alone.
    if (!anyDocumentModified())
        return;
    m_snapshot.disarm();
    setBDcEdt(true);
    refreshStatus();
    refreshToolbar();
}

void uTxm::titleChanged() {
    if (m_busy || m_readOnly)
        return;
    setBDcEdt(true);
    refreshStatus();
    refreshToolbar();
}

void uTxm::titleEnter() {
    if (m_readOnly || !m_styles.titleIsFirstHeading || !m_surface->text().isEmpty())
        return;
    Busy busy(this);
    m_entryPoints->applyUserStyle(*this, settings::Heading1);
    m_surface->setSelStart(0);
    m_surface->setSelText(m_title->text());
    refreshStatus();
}

bool uTxm::eventFilter(QObject *watched, QEvent *event) {
    // The view places its scene only after it handled its own resize.
    if (watched == m_view && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        QTimer::singleShot(0, this, [this] { updateRulers(); });
    if (watched == m_title && event->type() == QEvent::FocusIn &&
        m_values.ime == QLatin1String("ON"))
        txIME(true);
    return QWidget::eventFilter(watched, event);
}

void uTxm::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (!m_layoutSuspended)
        layoutBars();
    updateRulers();
}

// --- Lifecycle ----------------------------------------------------------------------------------

void uTxm::cOn(qintptr nHnd, int iTy, bool vShwTt, const QString &vFmGrp) {
    m_bLoad = true;
    m_screenDpi = logicalDpiX();
    m_handle = nHnd;
    m_values.textFlow = iTy < 0 ? 1 : 2;
    m_showTitle = vShwTt;
    m_title->setVisible(vShwTt);
    m_groupSuffix = vFmGrp;
    cTyp(iTy);
    Busy busy(this);
    loadSettings(FullLoad);
    ColourPicker *fore = m_colourBand->imFcr;
    ColourPicker *back = m_colourBand->imBcr;
    if (fore->count() == 0 && back->count() == 0) {
        fore->fill();
        back->fill();
        m_layoutSuspended = false;
        layoutBars();
        if (settings::UsrStyleLoad(settings::store(), m_styles))
            m_entryPoints->applyUserStyles(*this);
        if (m_type < 0)
            m_styles.titleIsFirstHeading = false;
        refreshStatus();
        QCoreApplication::processEvents();
    }
    busy.release();
    m_toolbarCached = false;
    refreshToolbar();
}

void uTxm::cTyp(int iTy) {
    m_type = iTy;
    if (iTy < 0)
        m_styles.titleIsFirstHeading = false;
    m_toolbarCached = false;
}

void uTxm::cOff() {
    m_bLoad = false;
    const QString work = settings::appValues().wrkDir;
    if (!work.isEmpty()) {
        QDir folder(work);
        const QStringList pictures =
            folder.entryList({QStringLiteral("*.png")}, QDir::Files | QDir::Hidden);
        for (const QString &name : pictures)
            folder.remove(name);
    }
    storeSettings();
    m_currentFile.clear();
}

// --- Settings -----------------------------------------------------------------------------------

void uTxm::loadSettings(int mode) {
    m_printTitle.clear();
    m_form.picture.clear();
    readEditorSettings(settings::store(), mode, m_groupSuffix, m_values);
    if (mode != FileOpenedLoad) {
        platform::PageSetup page = m_surface->page();
        page.width = m_values.page.width;
        page.height = m_values.page.height;
        page.marginLeft = m_values.page.marginLeft;
        page.marginTop = m_values.page.marginTop;
        page.marginRight = m_values.page.marginRight;
        page.marginBottom = m_values.page.marginBottom;
        m_surface->setPage(page);
        m_view->refresh();
    }
    applyDisplayValues();
    if (mode == FullLoad) {
        restoreBandLayout(m_values.bandLayout);
        m_menu->setPasteChecks(m_values.plainPaste);
        layoutBars();
    }
    txIME(m_values.ime == QLatin1String("ON"));
}

void uTxm::applyDisplayValues() {
    m_view->setViewMode(m_values.viewMode);
    m_view->setZoom(m_values.zoom);
    m_view->setControlCharactersShown(m_values.controlCharacters);
    m_surface->setGridLines(true);
    m_view->setTableGridShown(true);
}

void uTxm::storeSettings() {
    m_values.bandLayout = bandLayoutValue();
    m_values.viewMode = m_view->viewMode();
    m_values.zoom = m_view->zoom();
    m_values.controlCharacters = m_view->controlCharactersShown();
    writeEditorSettings(settings::store(), m_groupSuffix, m_values);
}

QString uTxm::bandLayoutValue() const {
    return encodeBandLayout(m_bandBar->layoutState());
}

void uTxm::restoreBandLayout(const QString &value) {
    if (const std::optional<QList<BandState>> bands = decodeBandLayout(value))
        m_bandBar->restore(*bands);
    bool shown[4];
    for (int i = 0; i < 4; ++i)
        shown[i] = m_bandBar->bandVisible(m_bandBar->bandOf(bandControlNames().at(i)));
    m_menu->setBarChecks(shown, m_values.rulers);
}

void uTxm::layoutBars() {
    m_bandBar->relayout();
    const bool rulers = m_values.rulers;
    m_ruler->setVisible(rulers);
    m_rulerV->setVisible(rulers);
    m_rulerCorner->setVisible(rulers);
    updateRulers();
}

void uTxm::applyBarToggle(const QVariant &argument) {
    const BarToggle toggle = barToggleFor(argument);
    if (!toggle.valid)
        return;
    for (int i = 0; i < 4; ++i)
        if (toggle.bands[i])
            m_bandBar->setBandVisible(m_bandBar->bandOf(bandControlNames().at(i)), toggle.show);
    if (toggle.rulers)
        m_values.rulers = toggle.show;
    bool shown[4];
    for (int i = 0; i < 4; ++i)
        shown[i] = m_bandBar->bandVisible(m_bandBar->bandOf(bandControlNames().at(i)));
    m_menu->setBarChecks(shown, m_values.rulers);
    layoutBars();
}

// --- Status and toolbar -------------------------------------------------------------------------

void uTxm::refreshStatus() {
    const QTextCursor cursor = m_view->textCursor();
    // The count grows with the background layout rather than waiting for it.
    const int pages = m_view->pagesSoFar();
    m_statusBand->show(m_view->currentPage(), pages, cursor.blockNumber() + 1,
                       cursor.positionInBlock() + 1, m_view->zoom());
    FormatBand::State state;
    state.fontName = m_surface->fontName();
    state.size = m_surface->fontSize();
    state.bold = m_surface->bold();
    state.italic = m_surface->italic();
    state.underline = m_surface->underline();
    state.alignment = m_surface->alignment();
    state.listState = m_surface->listState();
    m_formatBand->show(state);
    updateRulers();
}

void uTxm::updateRulers() {
    if (!m_values.rulers || !m_view)
        return;
    const platform::PageSetup page = m_surface->page();
    const double scale = platform::PageRenderer::fromTwips(1) * m_view->zoom() / 100.0;
    const QPoint origin = m_view->mapFromScene(QPointF(0, 0));
    RulerGeometry horizontal;
    horizontal.pageLength = page.width;
    horizontal.marginStart = page.marginLeft;
    horizontal.marginEnd = page.marginRight;
    horizontal.pixelsPerTwip = scale;
    horizontal.origin = m_view->x() - m_ruler->x() + m_view->frameWidth() + origin.x();
    m_ruler->setGeometryValues(horizontal);
    m_ruler->setIndents(RulerIndents{m_surface->leftIndent(), m_surface->firstLineIndent(),
                                     m_surface->rightIndent()});
    RulerGeometry vertical;
    vertical.pageLength = page.height;
    vertical.marginStart = page.marginTop;
    vertical.marginEnd = page.marginBottom;
    vertical.pixelsPerTwip = scale;
    const double top = m_view->viewMode() == platform::TextView::PageView
                           ? (m_view->currentPage() - 1) * (m_view->geometry().page.height() +
                                                            platform::TextView::pageGap()) +
                                 platform::TextView::pageGap()
                           : 0;
    vertical.origin = m_view->y() - m_rulerV->y() + m_view->frameWidth() +
                      m_view->mapFromScene(QPointF(0, top)).y();
    m_rulerV->setGeometryValues(vertical);
}

void uTxm::refreshToolbar() {
    ToolbarState state;
    bool exists = false;
    bool overwrite = false;
    ChkJbMn0(exists, overwrite);
    state.documentExists = exists;
    state.saveAllowed = overwrite;
    state.canCopy = m_surface->canCopy() || m_view->textCursor().hasSelection();
    state.canPaste = m_surface->canPaste();
    state.canUndo = m_snapshot.canUndo(*m_surface);
    state.canRedo = m_surface->canRedo();
    state.inHeading = caretInHeading(*m_surface, m_styles);
    if (m_toolbarCached && state == m_toolbarCache)
        return;
    for (const ToolbarKey &k : toolbarKeys()) {
        const QString key = QString::fromLatin1(k.key);
        const KeyState s = toolbarKeyState(key, m_type, state);
        QAction *action = m_toolBar->action(key);
        action->setVisible(s.visible);
        action->setEnabled(s.enabled);
    }
    m_toolbarCache = state;
    m_toolbarCached = true;
}

void uTxm::showPanelText(const QString &status, const QString &tip) {
    m_pnStatus->setText(status);
    m_pnTip->setText(tip);
}

void uTxm::toolbarClicked(const QString &key) {
    if (m_busy)
        return;
    for (const ToolbarKey &k : toolbarKeys())
        if (key == QLatin1String(k.key))
            rtAct(k.code, k.code == cmd::Paste ? QVariant(QString()) : QVariant());
}

void uTxm::setEntryPoints(std::unique_ptr<EntryPoints> entryPoints) {
    m_entryPoints = entryPoints ? std::move(entryPoints) : std::make_unique<EntryPoints>();
}

void uTxm::setFormatDialogs(std::unique_ptr<FormatDialogs> dialogs) {
    m_formatDialogs = dialogs ? std::move(dialogs) : std::make_unique<QtFormatDialogs>();
}

// --- Colours ------------------------------------------------------------------------------------

void uTxm::colourChosen(ColourPicker *picker) {
    if (m_busy || m_readOnly)
        return;
    Busy busy(this);
    const bool text = picker->target() == ColourTarget::Text;
    QToolButton *button = text ? m_colourBand->cmFcr : m_colourBand->cmBcr;
    button->setEnabled(picker->shownText() != pickerCaption(picker->target()));
    const PaletteEntry *entry = paletteEntry(picker->currentKey());
    button->setToolTip(repeatToolTip(picker->target(), picker->shownText()));
    if (!entry)
        return;
    takeSnapshot();
    if (text)
        m_surface->setTextColor(entry->value());
    else
        m_surface->setBackColor(entry->value());
    m_view->setFocus();
    setBDcEdt(true);
    busy.release();
    refreshToolbar();
}

void uTxm::repeatColour(ColourPicker *picker) {
    colourChosen(picker);
}

} // namespace editor
