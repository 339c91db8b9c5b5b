#include "editor_dialog/pages.h"
#include "platform/text/text_surface.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace editor_dialog {
namespace {

QButtonGroup *options(QWidget *owner, QGroupBox *box, const QStringList &captions,
                      const QString &name) {
    auto *layout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(owner);
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions[i], box);
        option->setObjectName(name + QString::number(i));
        group->addButton(option, i);
        layout->addWidget(option);
    }
    return group;
}

constexpr int kMaxRows = 50;
constexpr int kMaxColumns = 20;

} // namespace

PictureLayoutPage::PictureLayoutPage(QWidget *parent) : Page(parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Ctrl+Vで画像を貼付た時の処理です"), this));
    auto *row = new QHBoxLayout;
    auto *layouts = new QGroupBox(QStringLiteral("ﾚｲｱｳﾄ"), this);
    m_opTxf = options(this, layouts,
                      {QStringLiteral("文字位置"), QStringLiteral("右寄せ"),
                       QStringLiteral("左寄せ"), QStringLiteral("ﾌﾛｰﾄ")},
                      QStringLiteral("opTxf"));
    row->addWidget(layouts);
    auto *reductions = new QGroupBox(QStringLiteral("減色"), this);
    m_opImg =
        options(this, reductions,
                {QStringLiteral("減色無し"), QStringLiteral("8ﾋﾞｯﾄｸﾞﾚｲ"), QStringLiteral("256色")},
                QStringLiteral("opImg"));
    row->addWidget(reductions);
    layout->addLayout(row);
    layout->addWidget(
        new QLabel(QStringLiteral("文字位置はワードの行内　ﾌﾛｰﾄは四角と同等です"), this));
    layout->addWidget(
        new QLabel(QStringLiteral("Htm・Epubへ出力する場合、文字位置を指定して下さい"), this));
    layout->addStretch(1);
}

void PictureLayoutPage::prepare(const QString &sAns) {
    const PictureLayout choice = readLayoutAnswer(sAns);
    m_opTxf->button(choice.layout - 1)->setChecked(true);
    m_opImg->button(choice.reduction)->setChecked(true);
}

QString PictureLayoutPage::apply() {
    PictureLayout choice;
    choice.layout = m_opTxf->checkedId() + 1;
    choice.reduction = m_opImg->checkedId();
    return layoutAnswer(choice);
}

TablePage::TablePage(platform::TextSurface &surface, QWidget *parent)
    : Page(parent), m_surface(surface) {
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("行:"), this), 0, 0);
    m_rows = new QComboBox(this);
    m_rows->setObjectName(QStringLiteral("cbRows"));
    for (int i = 1; i <= kMaxRows; ++i)
        m_rows->addItem(QString::number(i));
    grid->addWidget(m_rows, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("列:"), this), 1, 0);
    m_columns = new QComboBox(this);
    m_columns->setObjectName(QStringLiteral("cbColumns"));
    for (int i = 1; i <= kMaxColumns; ++i)
        m_columns->addItem(QString::number(i));
    grid->addWidget(m_columns, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
}

void TablePage::prepare(const QString &) {
    m_changed = false;
    m_rows->setCurrentIndex(4);
    m_columns->setCurrentIndex(0);
}

QString TablePage::apply() {
    m_changed =
        m_surface.insertTable(m_rows->currentIndex() + 1, m_columns->currentIndex() + 1) > 0;
    return QString();
}

} // namespace editor_dialog
