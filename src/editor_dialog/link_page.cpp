#include "editor_dialog/link_page.h"

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "settings/app_values.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace editor_dialog {

LinkPage::LinkPage(QWidget *parent) : Page(parent) {
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    auto *lbLnk = new QLabel(QStringLiteral("ｷｬﾌﾟｼｮﾝ"), this);
    lbLnk->setObjectName(QStringLiteral("lbLnk"));
    auto *lbLnkX = new QLabel(QStringLiteral("ﾘﾝｸ先"), this);
    lbLnkX->setObjectName(QStringLiteral("lbLnkX"));
    for (int i = 0; i < 2; ++i) {
        m_txLnk[i] = new QLineEdit(this);
        m_txLnk[i]->setObjectName(QStringLiteral("txLnk%1").arg(i));
        m_txLnk[i]->setMinimumWidth(m_txLnk[i]->fontMetrics().averageCharWidth() * 50);
    }
    m_chLnkHg = new QCheckBox(QStringLiteral("SelText"), this);
    m_chLnkHg->setObjectName(QStringLiteral("chLnkHg"));
    grid->addWidget(lbLnk, 0, 0);
    grid->addWidget(m_txLnk[1], 0, 1);
    grid->addWidget(m_chLnkHg, 0, 2);
    grid->addWidget(lbLnkX, 1, 0);
    grid->addWidget(m_txLnk[0], 1, 1, 1, 2);
    layout->addLayout(grid);

    const QString captions[] = {QStringLiteral("ﾌｧｲﾙを参照します"),
                                QStringLiteral("お気に入りから URLを参照します"),
                                QStringLiteral("IEの検索ﾍﾟｰｼﾞから指定")};
    for (int i = 0; i < 3; ++i) {
        m_cmLnk[i] = new QPushButton(captions[i], this);
        m_cmLnk[i]->setObjectName(QStringLiteral("cmLnk%1").arg(i));
        m_cmLnk[i]->setAutoDefault(false);
        connect(m_cmLnk[i], &QPushButton::clicked, this, [this, i] { cmLnk(i); });
        layout->addWidget(m_cmLnk[i]);
    }
    m_lbMsg = new QLabel(this);
    m_lbMsg->setObjectName(QStringLiteral("lbMsg"));
    layout->addWidget(m_lbMsg);
    layout->addStretch(1);

    connect(m_chLnkHg, &QCheckBox::toggled, this, [this](bool checked) {
        takeBoxes();
        m_state.setSelText(checked);
        showState();
    });
}

QString LinkPage::searchAddress() {
    return QStringLiteral("https://www.google.co.jp/");
}

void LinkPage::takeBoxes() {
    m_state.target = m_txLnk[0]->text();
    m_state.caption = m_txLnk[1]->text();
}

void LinkPage::showState() {
    const QSignalBlocker blocker(m_chLnkHg);
    m_txLnk[0]->setText(m_state.target);
    m_txLnk[1]->setText(m_state.caption);
    m_txLnk[1]->setEnabled(m_state.captionEnabled);
    m_chLnkHg->setChecked(m_state.selTextChecked);
    m_chLnkHg->setEnabled(m_state.selTextEnabled);
    m_lbMsg->setText(m_state.message());
}

void LinkPage::prepare(const QString &sAns) {
    m_answer.clear();
    m_state.prepare(sAns, m_picture);
    showState();
    m_txLnk[0]->setFocus();
}

void LinkPage::cmLnk(int index) {
    takeBoxes();
    platform::FileRequest request;
    request.filter = QStringLiteral("全てのﾌｧｲﾙ|*.*");
    bool confirm = false;
    switch (index) {
    case 0: {
        request.title = QStringLiteral("ﾘﾝｸ先のﾄﾞｷｭﾒﾝﾄ");
        request.folder = m_state.lastFile().isEmpty()
                             ? QDir(settings::appValues().userDir).filePath(QStringLiteral("Site"))
                             : QFileInfo(m_state.lastFile()).absolutePath();
        confirm = m_state.fileChosen(platform::dialogs().openFile(request));
        break;
    }
    case 1:
        request.title = QStringLiteral("お気に入り");
        request.folder = platform::shell().specialFolder(6);
        // Linux keeps its Internet shortcuts as desktop entries of type Link.
        request.filter = QStringLiteral("ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄ|*.url;*.desktop");
        confirm = m_state.favouriteChosen(platform::dialogs().openFile(request));
        break;
    case 2:
        // The user looks the address up in the browser and pastes it into the target box.
        platform::shell().open(searchAddress());
        return;
    default:
        return;
    }
    showState();
    if (confirm)
        emit confirmNow();
}

bool LinkPage::okCheck() {
    takeBoxes();
    const LinkTarget::Check check = m_state.check(m_answer);
    if (check == LinkTarget::Check::Confirmed)
        return true;
    platform::dialogs().message(linkCheckMessage(check));
    m_txLnk[check == LinkTarget::Check::NoTarget ? 0 : 1]->setFocus();
    return false;
}

} // namespace editor_dialog
