#include "keybar/ufky.h"

#include "keybar/bar_layout.h"
#include "keybar/function_key_filter.h"
#include "keybar/host.h"
#include "keybar/status_panel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QProgressBar>
#include <QToolButton>

namespace keybar {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kGroupGap = 8;

// Lets the panel and the progress bar repaint without running user input re-entrantly.
void flushPaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

uFky::uFky(QWidget *parent)
    : QWidget(parent), m_keys(new QWidget(this)), m_keyLayout(new QHBoxLayout(m_keys)),
      m_panel(new StatusPanel(this)), m_bar(new QProgressBar(this)) {
    m_keyLayout->setContentsMargins(0, 0, 0, 0);
    m_keyLayout->setSpacing(1);
    for (int i = 0; i < KeyRow::kKeyCount; ++i) {
        auto *button = new QToolButton(m_keys);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        const int number = i + 1;
        connect(button, &QToolButton::clicked, this,
                [this, number] { keyPressed(number, m_row.keySet() == u'C' ? 2 : 0); });
        m_buttons[i] = button;
    }
    m_panel->hide();
    m_bar->hide();
    m_bar->setTextVisible(false);
    connect(&m_row, &KeyRow::changed, this, &uFky::refreshButtons);
    rebuildGroups();
    refreshButtons();
}

uFky::~uFky() = default;

void uFky::cOn(Host *host, bool fullRow) {
    m_bindings.cOn(host, fullRow);
    QWidget *hostWindow = host && host->hostWindow() ? host->hostWindow()->window() : window();
    m_filter = std::make_unique<FunctionKeyFilter>(*this, hostWindow);
    StSize();
}

void uFky::cOff() {
    m_filter.reset();
    m_bindings.cOff();
}

void uFky::cKey(const QString &keyName, int menuNumber, int entryIndex, const QString &caption,
                const QString &tooltip) {
    m_bindings.cKey(keyName, menuNumber, entryIndex, caption, tooltip);
}

void uFky::cCap(const QString &keyName, const QString &caption) {
    m_bindings.cCap(keyName, caption);
}

void uFky::cKyS() {
    m_bindings.cKyS();
}

void uFky::SetEnb(int menuNumber, const QString &entryIndices, bool enabled, bool visibility) {
    m_bindings.SetEnb(menuNumber, entryIndices, enabled, visibility);
}

void uFky::SetEnbKy(const QString &keyNames, bool enabled) {
    m_bindings.SetEnbKy(keyNames, enabled);
}

void uFky::SetEnbByMenu() {
    m_bindings.SetEnbByMenu();
}

void uFky::SetDef() {
    m_row.setKeySet(u'F');
}

void uFky::PanelTx(const QString &text, int option) {
    m_panel->setIcon(StatusPanel::iconForOption(option));
    m_panel->setText(text + QStringLiteral("     "));
    flushPaint();
}

void uFky::pbMax(int n) {
    if (n > 0) {
        // A full key row never lays the panel out; the bar then covers the whole row rather than
        // a rectangle nobody placed.
        const QRect place = m_panelInLayout ? m_panel->geometry() : rect();
        m_bar->setGeometry(place);
        m_bar->raise();
        m_bar->show();
        m_panel->hide();
        m_bar->setMaximum(n);
    } else {
        m_bar->hide();
        m_panel->setVisible(m_panelInLayout);
    }
}

void uFky::pbVAL(int n) {
    m_bar->setValue(n);
    flushPaint();
}

QRect uFky::toPixels(const QRect &twips) const {
    const auto x = [this](int t) { return t * logicalDpiX() / kTwipsPerInch; };
    const auto y = [this](int t) { return t * logicalDpiY() / kTwipsPerInch; };
    const int left = x(twips.left());
    const int top = y(twips.top());
    return QRect(left, top, x(twips.left() + twips.width()) - left,
                 y(twips.top() + twips.height()) - top);
}

void uFky::StSize() {
    m_bar->hide();
    const int w = width() * kTwipsPerInch / logicalDpiX();
    const int h = height() * kTwipsPerInch / logicalDpiY();
    const BarGeometry g = barLayout(m_row.layoutText(), w, h);
    m_panelInLayout = g.panelShown;
    if (g.panelShown) {
        m_keys->setGeometry(toPixels(g.keys));
        m_panel->setGeometry(toPixels(g.panel));
        m_panel->show();
    } else {
        m_keys->setGeometry(rect());
        m_panel->hide();
    }
}

bool uFky::keyPressed(int keyNumber, int modifierState) {
    QPointer<uFky> self(this);
    flushPaint();
    if (!self)
        return false;
    const KeyBindings::Press press = m_bindings.press(keyNumber, modifierState);
    if (press.command)
        m_bindings.host()->fnMenu(press.command->menu, press.command->index);
    if (self)
        flushPaint();
    if (self)
        m_row.setKeySet(u'F');
    return press.bound;
}

void uFky::modifierChanged(int modifierState) {
    m_row.setKeySet(modifierState == 2 ? u'C' : u'F');
}

void uFky::modifiersReleased() {
    m_row.setKeySet(u'F');
}

QToolButton *uFky::keyButton(int number) const {
    if (number < 1 || number > KeyRow::kKeyCount)
        return nullptr;
    return m_buttons[number - 1];
}

QSize uFky::sizeHint() const {
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("F12 ﾌﾟﾚﾋﾞｭｰ")) * 12,
                 fontMetrics().height() + 8);
}

int uFky::keyWidthNeeded() const {
    // A button's frame is what its hint adds to its caption, less the space either side the
    // hint adds for looks; the widest caption of either set decides, since all twelve share the
    // row equally.
    const QToolButton *probe = m_buttons[0];
    const QFontMetrics metrics(probe->font());
    const auto textWidth = [&](const QString &text) {
        return metrics.size(Qt::TextShowMnemonic, text).width();
    };
    const int margins =
        probe->sizeHint().width() - textWidth(probe->text()) - 2 * metrics.horizontalAdvance(u' ');
    int widest = 0;
    for (QChar set : {u'F', u'C'})
        for (int number = 1; number <= KeyRow::kKeyCount; ++number)
            widest = qMax(widest, textWidth(m_row.key(set, number).caption));
    return widest + qMax(0, margins);
}

QSize uFky::minimumSizeHint() const {
    const QList<int> groups = m_row.groups();
    int keys = 0;
    for (int count : groups)
        keys += count;
    int width = keys * keyWidthNeeded() + (keys - 1) * m_keyLayout->spacing() +
                int(groups.size() - 1) * kGroupGap;
    // Beside the status panel the keys get 72 % of the bar.
    if (m_row.layoutText() != QLatin1String("4|4|4"))
        width = width * 100 / 72 + 1;
    return QSize(width, fontMetrics().height() + 8);
}

void uFky::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    StSize();
}

void uFky::rebuildGroups() {
    m_groupedLayout = m_row.layoutText();
    while (QLayoutItem *item = m_keyLayout->takeAt(0))
        delete item;
    const QList<int> groups = m_row.groups();
    int next = 0;
    for (int g = 0; g < groups.size(); ++g) {
        if (g > 0)
            m_keyLayout->addSpacing(kGroupGap);
        for (int k = 0; k < groups.at(g); ++k)
            m_keyLayout->addWidget(m_buttons[next++], 1);
    }
    for (int i = 0; i < KeyRow::kKeyCount; ++i)
        m_buttons[i]->setVisible(i < next);
}

void uFky::refreshButtons() {
    if (m_groupedLayout != m_row.layoutText()) {
        rebuildGroups();
        StSize();
    }
    const QChar set = m_row.keySet();
    for (int i = 0; i < KeyRow::kKeyCount; ++i) {
        const Key &key = m_row.key(set, i + 1);
        m_buttons[i]->setText(key.caption);
        m_buttons[i]->setToolTip(key.tooltip);
        m_buttons[i]->setEnabled(key.enabled);
    }
}

} // namespace keybar
