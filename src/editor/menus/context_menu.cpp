#include "editor/menus/context_menu.h"

#include <QActionGroup>
#include <QCursor>
#include <QMenu>

namespace editor {

namespace {

const char *kLookup = "lookup";
const char *kArgument = "argument";
const char *kBar = "barEntry";
const char *kHeaderFooter = "headerFooterBit";

} // namespace

ContextMenu::ContextMenu(QObject *parent) : QObject(parent), m_root(new QMenu) {
    buildEdit();
    buildView();
    buildInsert();
    buildFormat();
    buildTable();
    buildSettings();
    connect(m_root, &QMenu::triggered, this, &ContextMenu::chosen);
}

ContextMenu::~ContextMenu() {
    delete m_root;
}

QAction *ContextMenu::add(QMenu *menu, const QString &text, const QString &lookup,
                          const QVariant &argument) {
    QAction *action = menu->addAction(text);
    action->setProperty(kLookup, lookup.isEmpty() ? text : lookup);
    action->setProperty(kArgument,
                        argument.isValid() ? argument : QVariant(menu->actions().size() - 1));
    return action;
}

void ContextMenu::buildEdit() {
    QMenu *m = m_root->addMenu(QStringLiteral("編集(&E)"));
    add(m, QStringLiteral("元に戻す(&U)"));
    m_repeat = add(m, m_repeatEntry.caption());
    m->addSeparator();
    add(m, QStringLiteral("切り取り(&T)"));
    add(m, QStringLiteral("ｺﾋﾟｰ(&C)"));
    add(m, QStringLiteral("貼り付け(&P)"), {}, QString());
    QMenu *paste = m->addMenu(QStringLiteral("形式を選択して貼り付け"));
    add(paste, QStringLiteral("ﾃｷｽﾄとして貼り付け"));
    add(paste, QStringLiteral("画像として貼り付け"));
    add(paste, QStringLiteral("ｵﾌﾞｼﾞｪｸﾄとして貼り付け"));
    add(m, QStringLiteral("ｸﾘｱ(&D)"));
    add(m, QStringLiteral("全て選択(&A)"));
    m->addSeparator();
    add(m, QStringLiteral("検索(&F)"));
    add(m, QStringLiteral("置換(&H)"));
    add(m, QStringLiteral("整形"));
    m->addSeparator();
    add(m, QStringLiteral("初期化"));
    add(m, QStringLiteral("文書を更新"));
}

void ContextMenu::buildView() {
    QMenu *m = m_root->addMenu(QStringLiteral("表示(&V)"));
    const QStringList bars = {QStringLiteral("ﾂｰﾙﾊﾞｰ"), QStringLiteral("文字色指定"),
                              QStringLiteral("書式指定"), QStringLiteral("ｽﾃｰﾀｽﾊﾞｰ"),
                              QStringLiteral("ﾙｰﾗｰ")};
    for (int i = 0; i < bars.size(); ++i) {
        QAction *a = add(m, bars.at(i));
        a->setCheckable(true);
        a->setProperty(kBar, i);
        m_barEntries.append(a);
    }
    m->addSeparator();
    add(m, QStringLiteral("全て表示"))->setProperty(kBar, 6);
    add(m, QStringLiteral("全て非表示"))->setProperty(kBar, 7);
    m->addSeparator();
    add(m, QStringLiteral("ﾍﾟｰｼﾞ表示"));
    add(m, QStringLiteral("ｸﾞﾘｯﾄﾞ"));
}

void ContextMenu::buildInsert() {
    QMenu *m = m_root->addMenu(QStringLiteral("挿入(&I)"));
    QMenu *documents = m->addMenu(QStringLiteral("文書"));
    add(documents, QStringLiteral("ﾜｰﾄﾞ・ﾜｰﾄﾞﾊﾟｯﾄ文書"));
    add(documents, QStringLiteral("他ﾍﾟｰｼﾞの文書"));
    add(m, QStringLiteral("ﾃｷｽﾄ"));
    m->addSeparator();
    add(m, QStringLiteral("画像"), {}, 3);
    add(m, QStringLiteral("画像 (ｻｲｽﾞ指定)"), QStringLiteral("画像"), 4);
    add(m, QStringLiteral("画像 WMF形式"));
    QMenu *charts = m->addMenu(QStringLiteral("ｸﾞﾗﾌ･ﾁｬｰﾄ"));
    add(charts, QStringLiteral("ｸﾞﾗﾌ"));
    add(charts, QStringLiteral("ﾁｬｰﾄ"));
    add(m, QStringLiteral("ﾃｷｽﾄﾌﾚｰﾑ"));
    add(m, QStringLiteral("OLEｵﾌﾞｼﾞｪｸﾄ"));
    add(m, QStringLiteral("ｲﾝﾗｲﾝﾌﾚｰﾑ"));
    m->addSeparator();
    for (const QString &kind :
         {QStringLiteral("ﾊｲﾊﾟｰﾘﾝｸ"), QStringLiteral("ﾀｸﾞ"), QStringLiteral("ﾂｰﾙﾁｯﾌﾟ")}) {
        add(m, kind);
        add(m, kind + QStringLiteral("の修正"));
        add(m, kind + QStringLiteral("の削除"));
    }
    add(m, QStringLiteral("dxml参照"));
    add(m, QStringLiteral("dxml参照の削除"));
    m->addSeparator();
    add(m, QStringLiteral("改頁"));
    const QStringList areas = {QStringLiteral("ﾍｯﾀﾞｰ"), QStringLiteral("ﾌｯﾀｰ")};
    for (int i = 0; i < 2; ++i) {
        QMenu *area = m->addMenu(areas.at(i));
        const int every = i == 0 ? 1 : 4;
        for (int bit : {every, every * 2}) {
            QAction *a =
                area->addAction(bit == every ? QStringLiteral("各頁") : QStringLiteral("先頭頁"));
            a->setCheckable(true);
            a->setProperty(kHeaderFooter, bit);
            m_headerFooter.append(a);
        }
    }
}

void ContextMenu::buildFormat() {
    QMenu *m = m_root->addMenu(QStringLiteral("書式(&O)"));
    const QStringList styles = {QStringLiteral("表題1"),    QStringLiteral("表題2"),
                                QStringLiteral("表題3"),    QStringLiteral("本文"),
                                QStringLiteral("本文強調"), QStringLiteral("補足")};
    for (int i = 0; i < styles.size(); ++i) {
        QAction *a = add(m, styles.at(i), QStringLiteral("ｽﾀｲﾙ"), i);
        a->setCheckable(true);
        m_styles.append(a);
    }
    m->addSeparator();
    add(m, QStringLiteral("字下げ"));
    add(m, QStringLiteral("文字数を指定して字下げ"));
    m->addSeparator();
    add(m, QStringLiteral("ﾌｫﾝﾄ(&F)"));
    add(m, QStringLiteral("段落(&P)"));
    add(m, QStringLiteral("ﾘｽﾄ(&L)"));
    m->addSeparator();
    add(m, QStringLiteral("書式のｺﾋﾟｰ"));
    m_pasteFormat = add(m, QStringLiteral("書式の貼り付け"));
}

void ContextMenu::buildTable() {
    QMenu *m = m_root->addMenu(QStringLiteral("表(&T)"));
    struct Entry {
        QString text;
        QString code;
    };
    auto sub = [this, m](const QString &title, const QList<Entry> &entries) {
        QMenu *s = m->addMenu(title);
        for (const Entry &e : entries)
            add(s, e.text, title, e.code);
    };
    sub(QStringLiteral("表挿入"), {{QStringLiteral("表"), QStringLiteral("表")},
                                   {QStringLiteral("左側に列"), QStringLiteral("左")},
                                   {QStringLiteral("右側に列"), QStringLiteral("右")},
                                   {QStringLiteral("上に行"), QStringLiteral("上")},
                                   {QStringLiteral("下に行"), QStringLiteral("下")}});
    sub(QStringLiteral("表分割"), {{QStringLiteral("現在行の上で分割"), QStringLiteral("上")},
                                   {QStringLiteral("現在行の下で分割"), QStringLiteral("下")}});
    sub(QStringLiteral("表削除"), {{QStringLiteral("表"), QStringLiteral("表")},
                                   {QStringLiteral("列"), QStringLiteral("列")},
                                   {QStringLiteral("行"), QStringLiteral("行")}});
    const QList<Entry> parts = {{QStringLiteral("表"), QStringLiteral("表")},
                                {QStringLiteral("行"), QStringLiteral("行")},
                                {QStringLiteral("ｾﾙ"), QStringLiteral("ｾﾙ")}};
    sub(QStringLiteral("表選択"), parts);
    sub(QStringLiteral("表属性"), parts);
}

void ContextMenu::buildSettings() {
    QMenu *m = m_root->addMenu(QStringLiteral("設定(&S)"));
    add(m, QStringLiteral("文書ﾍﾟｰｼﾞ"));
    add(m, QStringLiteral("ﾕｰｻﾞｰｽﾀｲﾙ"));
    add(m, QStringLiteral("画像ﾚｲｱｳﾄの既定値"));
    add(m, QStringLiteral("IME･更新確認"));
    add(m, QStringLiteral("既定のﾌﾞﾘﾝﾀ設定"));
    QMenu *paste = m->addMenu(QStringLiteral("Ctrl+Vの貼付"));
    m_richPaste =
        add(paste, QStringLiteral("ﾘｯﾁﾃｷｽﾄ(書式付)で貼付"), QStringLiteral("文書貼付"), 0);
    m_plainPaste =
        add(paste, QStringLiteral("ﾃｷｽﾄ(書式無し)で貼付"), QStringLiteral("文書貼付"), 1);
    // One choice of two: a click on the checked entry keeps it checked.
    auto *pasteModes = new QActionGroup(paste);
    pasteModes->setExclusive(true);
    for (QAction *a : {m_richPaste, m_plainPaste}) {
        a->setCheckable(true);
        pasteModes->addAction(a);
    }
    m_richPaste->setChecked(true);
}

void ContextMenu::popup(const QPoint &pos) {
    iRJb = 0;
    vOpt = QVariant();
    m_root->exec(pos.x() >= 1 && pos.y() >= 1 ? pos : QCursor::pos());
}

void ContextMenu::chosen(QAction *action) {
    iRJb = 0;
    vOpt = QVariant();
    const QVariant bit = action->property(kHeaderFooter);
    if (bit.isValid()) {
        // The check mark flipped on the click: checked now means it was off and is switched on.
        iRJb = cmd::HeaderFooter;
        vOpt = action->isChecked() ? bit.toInt() : -bit.toInt();
        return;
    }
    QVariant argument = action->property(kArgument);
    const QVariant bar = action->property(kBar);
    if (bar.isValid()) {
        const int entry = bar.toInt();
        if (entry == 6 || entry == 7) {
            for (QAction *a : std::as_const(m_barEntries))
                a->setChecked(entry == 6);
            argument = entry == 6 ? 7 : -8;
        } else {
            argument = (entry + 1) * (action->isChecked() ? 1 : -1);
        }
    }
    const QString caption =
        action == m_repeat ? action->text() : action->property(kLookup).toString();
    const std::optional<MenuCommand> command =
        m_repeatEntry.choose(caption, action == m_repeat ? QVariant() : argument);
    m_repeat->setText(m_repeatEntry.caption());
    if (command) {
        iRJb = command->code;
        vOpt = command->argument;
    }
}

QAction *ContextMenu::action(const QString &caption) const {
    const QList<QAction *> all = m_root->findChildren<QAction *>();
    for (QAction *a : all)
        if (a->text() == caption)
            return a;
    return nullptr;
}

void ContextMenu::setBarChecks(const bool bands[4], bool rulers) {
    for (int i = 0; i < 4; ++i)
        m_barEntries.at(i)->setChecked(bands[i]);
    m_barEntries.at(4)->setChecked(rulers);
}

bool ContextMenu::barChecked(int entry) const {
    return entry >= 0 && entry < m_barEntries.size() && m_barEntries.at(entry)->isChecked();
}

void ContextMenu::setPasteChecks(bool plain) {
    m_plainPaste->setChecked(plain);
    m_richPaste->setChecked(!plain);
}

bool ContextMenu::plainPasteChecked() const {
    return m_plainPaste->isChecked();
}

bool ContextMenu::richPasteChecked() const {
    return m_richPaste->isChecked();
}

void ContextMenu::setHeaderFooterChecks(int bits) {
    for (QAction *a : std::as_const(m_headerFooter))
        a->setChecked(bits & a->property(kHeaderFooter).toInt());
}

void ContextMenu::setStyleStates(int style, bool headings, bool formatCopied) {
    for (int i = 0; i < m_styles.size(); ++i) {
        m_styles.at(i)->setChecked(i == style);
        m_styles.at(i)->setEnabled(i > 2 || headings);
    }
    m_pasteFormat->setEnabled(formatCopied);
}

bool ContextMenu::styleChecked(int style) const {
    return style >= 0 && style < m_styles.size() && m_styles.at(style)->isChecked();
}

} // namespace editor
