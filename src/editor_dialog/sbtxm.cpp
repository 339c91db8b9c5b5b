#include "editor_dialog/sbtxm.h"

#include "editor_dialog/display_page.h"
#include "editor_dialog/find_replace.h"
#include "editor_dialog/link_page.h"
#include "editor_dialog/pages.h"
#include "editor_dialog/user_styles_page.h"

#include <QHBoxLayout>
#include <QHash>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor_dialog {
namespace {

sbTxm::ModalRunner &modalRunner() {
    static sbTxm::ModalRunner runner;
    return runner;
}

} // namespace

sbTxm::sbTxm(QWidget *parent) : QDialog(parent) {
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    // Pages are stacked in a plain layout with all but one hidden, so that the dialog takes the
    // size of the page shown.
    m_frames = new QWidget(this);
    m_pageLayout = new QVBoxLayout(m_frames);
    m_pageLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_frames, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cmOk[0] = new QPushButton(QStringLiteral("OK"), this);
    m_cmOk[1] = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    for (int i = 0; i < 2; ++i) {
        m_cmOk[i]->setObjectName(QStringLiteral("cmOk%1").arg(i));
        connect(m_cmOk[i], &QPushButton::clicked, this, [this, i] { cmOk(i); });
        buttons->addWidget(m_cmOk[i]);
    }
    m_cmOk[0]->setDefault(true);
    layout->addLayout(buttons);
}

sbTxm::~sbTxm() = default;

void sbTxm::cOn(platform::TextSurface &surface, platform::TextView *view) {
    m_surface = &surface;
    m_view = view;
    m_finder = std::make_unique<FindReplace>(surface);
}

void sbTxm::cOff() {
    for (Page *page : {m_findPage, m_pageSetup, m_imePage, m_layoutPage, m_tablePage, m_displayPage,
                       m_stylePage, m_linkPage})
        delete page;
    m_findPage = m_pageSetup = m_imePage = m_layoutPage = m_tablePage = m_current = nullptr;
    m_displayPage = m_stylePage = m_linkPage = nullptr;
    m_styles = nullptr;
    m_finder.reset();
    m_surface = nullptr;
    m_view = nullptr;
}

bool sbTxm::hasPage(const QString &sJb) {
    return sJb == QStringLiteral("FD") || sJb == QStringLiteral("RP") ||
           sJb == QStringLiteral("PG") || sJb == QStringLiteral("IM") ||
           sJb == QStringLiteral("TF") || sJb == QStringLiteral("TB") ||
           sJb == QStringLiteral("DP") || sJb == QStringLiteral("US") || isLinkCode(sJb);
}

bool sbTxm::isLinkCode(const QString &sJb) {
    return sJb == QStringLiteral("LK") || sJb == QStringLiteral("LK_OBJ");
}

void sbTxm::setUserStyles(settings::UserStyleTable *table) {
    if (table == m_styles)
        return;
    // The page edits the table it was built for.
    if (m_current == m_stylePage)
        m_current = nullptr;
    delete m_stylePage;
    m_stylePage = nullptr;
    m_styles = table;
}

QString sbTxm::caption(const QString &sJb) {
    static const QHash<QString, QString> captions = {
        {QStringLiteral("TB"), QStringLiteral("表の設定")},
        {QStringLiteral("PG"), QStringLiteral("ﾍﾟｰｼﾞ設定")},
        {QStringLiteral("US"), QStringLiteral("ﾕｰｻﾞｰ定義書式")},
        {QStringLiteral("DP"), QStringLiteral("表示設定")},
        {QStringLiteral("LK"), QStringLiteral("ﾘﾝｸ先の設定")},
        {QStringLiteral("LK_OBJ"), QStringLiteral("ﾘﾝｸ先の設定")},
        {QStringLiteral("IM"), QStringLiteral("IME･更新保存の設定")},
        {QStringLiteral("FD"), QStringLiteral("検索･置換")},
        {QStringLiteral("RP"), QStringLiteral("検索･置換")},
        {QStringLiteral("TF"), QStringLiteral("画像ﾚｲｱｳﾄの既定値")},
    };
    return captions.value(sJb);
}

Page *sbTxm::pageFor(const QString &sJb) {
    if (!m_surface)
        return nullptr;
    Page **slot = nullptr;
    if (sJb == QStringLiteral("FD") || sJb == QStringLiteral("RP")) {
        slot = &m_findPage;
        if (!*slot)
            *slot = new FindPage(*m_finder, *m_surface, m_frames);
    } else if (sJb == QStringLiteral("PG")) {
        slot = &m_pageSetup;
        if (!*slot)
            *slot = new PageSetupPage(*m_surface, m_view, m_frames);
    } else if (sJb == QStringLiteral("IM")) {
        slot = &m_imePage;
        if (!*slot)
            *slot = new ImePage(m_frames);
    } else if (sJb == QStringLiteral("TF")) {
        slot = &m_layoutPage;
        if (!*slot)
            *slot = new PictureLayoutPage(m_frames);
    } else if (sJb == QStringLiteral("TB")) {
        slot = &m_tablePage;
        if (!*slot)
            *slot = new TablePage(*m_surface, m_frames);
    } else if (sJb == QStringLiteral("DP")) {
        slot = &m_displayPage;
        if (!*slot)
            *slot = new DisplayPage(*m_surface, m_view, m_frames);
    } else if (sJb == QStringLiteral("US")) {
        if (!m_styles)
            return nullptr;
        slot = &m_stylePage;
        if (!*slot)
            *slot = new UserStylesPage(*m_styles, m_frames);
    } else if (isLinkCode(sJb)) {
        slot = &m_linkPage;
        if (!*slot) {
            auto *page = new LinkPage(m_frames);
            connect(page, &LinkPage::confirmNow, this, [this] { cmOk(0); });
            *slot = page;
        }
    } else {
        return nullptr;
    }
    if (m_pageLayout->indexOf(*slot) < 0)
        m_pageLayout->addWidget(*slot);
    return *slot;
}

bool sbTxm::prepare(const QString &sJb, const QString &sAns) {
    m_current = pageFor(sJb);
    if (!m_current)
        return false;
    m_code = sJb == QStringLiteral("RP") ? QStringLiteral("FD") : sJb;
    m_accepted = false;
    // The IME and link pages start from an empty answer, so that cancelling answers "".
    m_answer = sJb == QStringLiteral("IM") || isLinkCode(sJb) ? QString() : sAns;
    const bool find = m_code == QStringLiteral("FD");
    m_cmOk[0]->setVisible(!find);
    m_cmOk[1]->setVisible(!find);
    for (int i = 0; i < m_pageLayout->count(); ++i) {
        if (QWidget *page = m_pageLayout->itemAt(i)->widget())
            page->setVisible(page == m_current);
    }
    setWindowTitle(caption(sJb));
    if (isLinkCode(sJb))
        static_cast<LinkPage *>(m_current)->setPictureMode(sJb == QStringLiteral("LK_OBJ"));
    m_current->prepare(sAns);
    if (find)
        static_cast<FindPage *>(m_current)->showReplace(sJb == QStringLiteral("RP"));
    m_pageLayout->activate();
    layout()->activate();
    resize(minimumSizeHint().expandedTo(sizeHint()));
    return true;
}

void sbTxm::cmOk(int index) {
    if (index == 0 && m_current) {
        if (!m_current->okCheck())
            return;
        m_answer = m_current->apply();
        m_accepted = true;
    }
    hide();
}

QString sbTxm::answer() const {
    return m_answer;
}

bool sbTxm::changedDocument() const {
    return m_current && m_current->changedDocument();
}

Page *sbTxm::currentPage() const {
    return m_current;
}

bool sbTxm::Act(const QString &sJb, QString &sAns) {
    if (!prepare(sJb, sAns)) {
        sAns.clear();
        return false;
    }
    if (modalRunner())
        modalRunner()(*this);
    else
        exec();
    sAns = answer();
    return changedDocument();
}

void sbTxm::setModalRunner(ModalRunner runner) {
    modalRunner() = std::move(runner);
}

} // namespace editor_dialog
