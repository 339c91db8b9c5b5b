#include "editor_dialog/find_replace.h"
#include "editor_dialog/pages.h"
#include "editor_dialog/text_conversion.h"
#include "platform/text/text_surface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace editor_dialog {
namespace {

QComboBox *textCombo(QWidget *parent, const QString &name) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(260);
    return combo;
}

void addToList(QComboBox *combo) {
    const QString text = combo->currentText();
    if (text.isEmpty() || combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    combo->insertItem(0, text);
    combo->setCurrentIndex(0);
}

} // namespace

FindPage::FindPage(FindReplace &finder, platform::TextSurface &surface, QWidget *parent)
    : Page(parent), m_finder(finder), m_surface(surface) {
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("srTab"));
    m_tabs->addTab(QStringLiteral("検索"));
    m_tabs->addTab(QStringLiteral("置換"));
    layout->addWidget(m_tabs);
    m_frames = new QStackedWidget(this);
    layout->addWidget(m_frames);

    auto *find = new QWidget(m_frames);
    find->setObjectName(QStringLiteral("frFnd0"));
    auto *fg = new QGridLayout(find);
    fg->addWidget(new QLabel(QStringLiteral("検索する文字列"), find), 0, 0);
    m_cbFnd[0] = textCombo(find, QStringLiteral("cbFnd0"));
    fg->addWidget(m_cbFnd[0], 0, 1, 1, 3);
    m_chMatch[0] = new QCheckBox(QStringLiteral("大文字･小文字を区別する"), find);
    m_chMatch[0]->setObjectName(QStringLiteral("chMatch0"));
    fg->addWidget(m_chMatch[0], 1, 1, 1, 3);
    const QString findCaptions[] = {QStringLiteral("先頭から"), QStringLiteral("前を探す"),
                                    QStringLiteral("次を探す")};
    for (int i = 0; i < 3; ++i) {
        m_ssCom[i] = new QPushButton(findCaptions[i], find);
        m_ssCom[i]->setObjectName(QStringLiteral("ssCom%1").arg(i));
        connect(m_ssCom[i], &QPushButton::clicked, this, [this, i] { ssCom(i); });
        fg->addWidget(m_ssCom[i], 2, i + 1);
    }
    fg->setRowStretch(3, 1);
    m_frames->addWidget(find);

    auto *rep = new QWidget(m_frames);
    rep->setObjectName(QStringLiteral("frFnd1"));
    auto *rg = new QGridLayout(rep);
    rg->addWidget(new QLabel(QStringLiteral("検索する文字列"), rep), 0, 0);
    m_cbFnd[1] = textCombo(rep, QStringLiteral("cbFnd1"));
    rg->addWidget(m_cbFnd[1], 0, 1, 1, 3);
    rg->addWidget(new QLabel(QStringLiteral("置換後の文字列"), rep), 1, 0);
    m_cbFnd[3] = textCombo(rep, QStringLiteral("cbFnd3"));
    rg->addWidget(m_cbFnd[3], 1, 1, 1, 3);
    m_chMatch[1] = new QCheckBox(QStringLiteral("大文字･小文字を区別する"), rep);
    m_chMatch[1]->setObjectName(QStringLiteral("chMatch1"));
    rg->addWidget(m_chMatch[1], 2, 1, 1, 3);
    const QString repCaptions[] = {QStringLiteral("置換"), QStringLiteral("全て置換"),
                                   QStringLiteral("次を探す")};
    for (int i = 0; i < 3; ++i) {
        m_ssRep[i] = new QPushButton(repCaptions[i], rep);
        m_ssRep[i]->setObjectName(QStringLiteral("ssRep%1").arg(i));
        connect(m_ssRep[i], &QPushButton::clicked, this, [this, i] { ssRep(i); });
        rg->addWidget(m_ssRep[i], 3, i + 1);
    }
    m_ssUndo = new QPushButton(QStringLiteral("置換えを一つ元に戻します"), rep);
    m_ssUndo->setObjectName(QStringLiteral("ssUndo"));
    connect(m_ssUndo, &QPushButton::clicked, this, &FindPage::ssUndo);
    rg->addWidget(m_ssUndo, 4, 1, 1, 3);
    auto *conversions = new QHBoxLayout;
    const QString convCaptions[] = {QStringLiteral("↓全角"), QStringLiteral("↓半角"),
                                    QStringLiteral("↓大文字"), QStringLiteral("↓小文字"),
                                    QStringLiteral("↓語頭大文字")};
    for (int i = 0; i < 5; ++i) {
        auto *button = new QPushButton(convCaptions[i], rep);
        button->setObjectName(QStringLiteral("cmStrCnv%1").arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { cmStrCnv(i); });
        conversions->addWidget(button);
    }
    rg->addLayout(conversions, 5, 0, 1, 4);
    rg->setRowStretch(6, 1);
    m_frames->addWidget(rep);

    connect(m_tabs, &QTabBar::currentChanged, m_frames, &QStackedWidget::setCurrentIndex);
    // Enter in a search box finds the next occurrence.
    connect(m_cbFnd[0]->lineEdit(), &QLineEdit::returnPressed, this, [this] { ssCom(2); });
    connect(m_cbFnd[1]->lineEdit(), &QLineEdit::returnPressed, this, [this] { ssRep(2); });
}

void FindPage::prepare(const QString &) {
    m_changed = false;
    // A selection on one line is what the user most likely wants to find.
    const QString selected = m_surface.selText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator) &&
        !selected.contains(QLatin1Char('\n')) && selected.size() <= 100) {
        m_cbFnd[0]->setCurrentText(selected);
        m_cbFnd[1]->setCurrentText(selected);
    } else if (!m_finder.lastText().isEmpty()) {
        m_cbFnd[0]->setCurrentText(m_finder.lastText());
        m_cbFnd[1]->setCurrentText(m_finder.lastText());
    }
    updateUndo();
}

void FindPage::showReplace(bool replace) {
    m_tabs->setCurrentIndex(replace ? 1 : 0);
    m_frames->setCurrentIndex(replace ? 1 : 0);
}

void FindPage::ssCom(int index) {
    const QString text = m_cbFnd[0]->currentText();
    addToList(m_cbFnd[0]);
    const bool matchCase = m_chMatch[0]->isChecked();
    int found = -1;
    if (index == 0)
        found = m_finder.findFromStart(text, matchCase);
    else if (index == 1)
        found = m_finder.findBackward(text, matchCase);
    else
        found = m_finder.findForward(text, matchCase);
    if (found >= 0 && index == 0)
        m_ssCom[2]->setFocus();
}

void FindPage::ssRep(int index) {
    rememberTexts();
    const QString text = m_cbFnd[1]->currentText();
    const QString replacement = m_cbFnd[3]->currentText();
    const bool matchCase = m_chMatch[1]->isChecked();
    if (index == 0)
        m_changed |= m_finder.replace(text, replacement, matchCase);
    else if (index == 1)
        m_changed |= m_finder.replaceAll(text, replacement, matchCase) > 0;
    else
        m_finder.findForward(text, matchCase);
    updateUndo();
}

void FindPage::cmStrCnv(int index) {
    m_cbFnd[3]->setCurrentText(
        convertText(m_cbFnd[1]->currentText(), static_cast<Conversion>(index)));
}

void FindPage::ssUndo() {
    if (m_surface.canUndo()) {
        m_surface.undo();
        m_changed = true;
    }
    updateUndo();
}

void FindPage::rememberTexts() {
    addToList(m_cbFnd[1]);
    addToList(m_cbFnd[3]);
}

void FindPage::updateUndo() {
    m_ssUndo->setEnabled(m_surface.canUndo());
}

} // namespace editor_dialog
