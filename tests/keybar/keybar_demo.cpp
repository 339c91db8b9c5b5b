// Shows the key bar, a three-month calendar and the month list the way the main window arranges
// them, so they can be looked at (and captured) under a real X server.
#include "test_host.h"

#include "keybar/ufky.h"
#include "platform/widgets/calendar.h"
#include "platform/widgets/grid.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QTextEdit>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    TestHost host;
    QWidget *window = host.window();
    window->setWindowTitle(QStringLiteral("24/01/15"));

    auto *calendar = new platform::Calendar(window);
    calendar->setMonthColumns(3);
    calendar->setDate(QDate(2024, 1, 15));
    const QList<QPair<QDate, QString>> entries = {
        {QDate(2024, 1, 1), QStringLiteral("元旦。初詣に行った")},
        {QDate(2024, 1, 5), QStringLiteral("仕事始め")},
        {QDate(2024, 1, 15), QStringLiteral("雪が降った。駅まで歩いて三十分")},
        {QDate(2024, 1, 28), QStringLiteral("図書館で本を借りた")},
    };
    const auto fillBold = [calendar] {
        for (const QDate &month : calendar->visibleMonths()) {
            QSet<int> days;
            if (month == QDate(2024, 1, 1))
                days = {1, 5, 15, 28};
            else if (month == QDate(2024, 2, 1))
                days = {3, 14};
            calendar->setBoldDays(month.year(), month.month(), days);
        }
    };
    QObject::connect(calendar, &platform::Calendar::visibleMonthsChanged, fillBold);
    fillBold();

    auto *grid = new platform::Grid(window);
    grid->setRowCount(entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        grid->setCellText(1, i + 1, entries.at(i).first.toString(QStringLiteral("yy/MM/dd")));
        grid->setCellText(2, i + 1, entries.at(i).second);
    }
    grid->setActiveRow(3);

    auto *left = new QVBoxLayout;
    left->addWidget(calendar);
    left->addWidget(grid, 1);
    auto *editor = new QTextEdit(window);
    editor->setPlainText(QStringLiteral("雪が降った。駅まで歩いて三十分。"));
    auto *middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(editor, 1);

    auto *bar = new keybar::uFky(window);
    bar->setFixedHeight(26);
    auto *panelBar = new keybar::uFky(window);
    panelBar->setFixedHeight(26);
    auto *progressBar = new keybar::uFky(window);
    progressBar->setFixedHeight(26);

    auto *layout = static_cast<QVBoxLayout *>(window->layout());
    layout->addLayout(middle, 1);
    layout->addWidget(bar);
    layout->addWidget(panelBar);
    layout->addWidget(progressBar);

    bar->cOn(&host, true);
    for (const KeyRegistration &k : kMainKeys)
        bar->cKey(QString::fromUtf8(k.key), k.menu, k.index, QString::fromUtf8(k.caption),
                  QString::fromUtf8(k.tooltip));
    host.action(2, 5)->setEnabled(false);
    bar->SetEnbByMenu();
    QObject::connect(calendar, &platform::Calendar::datePicked, window,
                     [window](const QDate &date) {
                         window->setWindowTitle(date.toString(QStringLiteral("yy/MM/dd")));
                     });

    panelBar->cOn(nullptr, false);
    panelBar->PanelTx(QStringLiteral("保存しました"), 1);
    progressBar->cOn(nullptr, false);
    progressBar->PanelTx(QStringLiteral("処理中"), 4);

    window->resize(1500, 760);
    window->move(20, 20);
    window->show();
    progressBar->StSize();
    progressBar->pbMax(10);
    progressBar->pbVAL(6);

    if (argc > 1)
        QTimer::singleShot(QString::fromLatin1(argv[1]).toInt(), &app, &QApplication::quit);
    return app.exec();
}
