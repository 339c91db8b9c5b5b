#include "windows/export/export_dialog.h"

#include "diary/store.h"
#include "platform/dialogs.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace exportwin {

using diaryexport::Form;

namespace {

QString defaultName(Form form) {
    switch (form) {
    case Form::PdfBook:
        return QStringLiteral("日記.pdf");
    case Form::HtmlPages:
        return QStringLiteral("日記_html");
    case Form::WordFolder:
        return QStringLiteral("日記_docx");
    case Form::PlainText:
        break;
    }
    return QStringLiteral("日記.txt");
}

QSpinBox *yearBox(QWidget *parent) {
    auto *box = new QSpinBox(parent);
    box->setRange(1930, 2029);
    box->setValue(QDate::currentDate().year());
    box->setSuffix(QStringLiteral(" 年"));
    return box;
}

} // namespace

ExportDialog::ExportDialog(diary::Store &store, const settings::UserStyleTable &styles,
                           const QString &folder, QWidget *parent)
    : QDialog(parent), m_store(store), m_styles(styles), m_folder(folder) {
    setWindowTitle(QStringLiteral("日記の書き出し"));

    auto *rangeBox = new QGroupBox(QStringLiteral("範囲"), this);
    auto *rangeGrid = new QGridLayout(rangeBox);
    m_ranges = new QButtonGroup(this);
    const QStringList rangeNames = {QStringLiteral("すべての日記"), QStringLiteral("年"),
                                    QStringLiteral("月"), QStringLiteral("期間")};
    for (int i = 0; i < rangeNames.size(); ++i) {
        auto *radio = new QRadioButton(rangeNames.at(i), rangeBox);
        m_ranges->addButton(radio, i);
        rangeGrid->addWidget(radio, i, 0);
    }
    m_year = yearBox(rangeBox);
    rangeGrid->addWidget(m_year, 1, 1);
    m_monthYear = yearBox(rangeBox);
    m_month = new QSpinBox(rangeBox);
    m_month->setRange(1, 12);
    m_month->setValue(QDate::currentDate().month());
    m_month->setSuffix(QStringLiteral(" 月"));
    rangeGrid->addWidget(m_monthYear, 2, 1);
    rangeGrid->addWidget(m_month, 2, 2);
    m_from = new QDateEdit(QDate::currentDate().addMonths(-1), rangeBox);
    m_to = new QDateEdit(QDate::currentDate(), rangeBox);
    for (QDateEdit *edit : {m_from, m_to}) {
        edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        edit->setCalendarPopup(true);
    }
    rangeGrid->addWidget(m_from, 3, 1);
    rangeGrid->addWidget(new QLabel(QStringLiteral("～"), rangeBox), 3, 2, Qt::AlignCenter);
    rangeGrid->addWidget(m_to, 3, 3);
    m_ranges->button(AllEntries)->setChecked(true);

    auto *formBox = new QGroupBox(QStringLiteral("形式"), this);
    auto *formLayout = new QVBoxLayout(formBox);
    m_forms = new QButtonGroup(this);
    const QStringList formNames = {
        QStringLiteral("PDF の本（1日ごとに新しいﾍﾟｰｼﾞ、ﾍﾟｰｼﾞ番号付き）"),
        QStringLiteral("HTML（1日1ﾍﾟｰｼﾞと年月別の目次）"),
        QStringLiteral("Word 文書のﾌｫﾙﾀﾞ（YYYY-MM-DD.docx）"), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ")};
    for (int i = 0; i < formNames.size(); ++i) {
        auto *radio = new QRadioButton(formNames.at(i), formBox);
        m_forms->addButton(radio, i);
        formLayout->addWidget(radio);
    }
    m_forms->button(int(Form::PdfBook))->setChecked(true);

    auto *targetRow = new QHBoxLayout;
    m_target = new QLineEdit(QDir(m_folder).filePath(defaultName(Form::PdfBook)), this);
    auto *browseButton = new QPushButton(QStringLiteral("参照..."), this);
    targetRow->addWidget(new QLabel(QStringLiteral("書き出し先"), this));
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(browseButton);

    m_export = new QPushButton(QStringLiteral("書き出し"), this);
    m_export->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(rangeBox);
    layout->addWidget(formBox);
    layout->addLayout(targetRow);
    layout->addLayout(buttons);

    connect(m_forms, &QButtonGroup::idClicked, this, [this] { formChanged(); });
    connect(browseButton, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_export, &QPushButton::clicked, this, [this] {
        if (run().ok)
            accept();
    });
}

void ExportDialog::setRangeChoice(RangeChoice choice) {
    m_ranges->button(choice)->setChecked(true);
}

void ExportDialog::setForm(Form form) {
    m_forms->button(int(form))->setChecked(true);
    formChanged();
}

void ExportDialog::setYear(int year) {
    m_year->setValue(year);
    setRangeChoice(OneYear);
}

void ExportDialog::setMonth(int year, int month) {
    m_monthYear->setValue(year);
    m_month->setValue(month);
    setRangeChoice(OneMonth);
}

void ExportDialog::setPeriod(const QDate &from, const QDate &to) {
    m_from->setDate(from);
    m_to->setDate(to);
    setRangeChoice(FromTo);
}

void ExportDialog::setTarget(const QString &path) {
    m_target->setText(path);
}

// A new form gets its own default name in the folder already chosen.
void ExportDialog::formChanged() {
    const QString dir = QFileInfo(m_target->text()).absolutePath();
    m_target->setText(QDir(dir).filePath(defaultName(Form(m_forms->checkedId()))));
}

diaryexport::Request ExportDialog::request() const {
    diaryexport::Request r;
    r.form = Form(m_forms->checkedId());
    r.target = m_target->text();
    switch (m_ranges->checkedId()) {
    case OneYear:
        r.range = diaryexport::year(m_year->value());
        break;
    case OneMonth:
        r.range = diaryexport::month(m_monthYear->value(), m_month->value());
        break;
    case FromTo:
        r.range = {m_from->date(), m_to->date()};
        break;
    default:
        r.range = diaryexport::wholeDiary(m_store);
        break;
    }
    return r;
}

void ExportDialog::browse() {
    const Form form = Form(m_forms->checkedId());
    platform::FileRequest ask;
    ask.title = QStringLiteral("書き出し先");
    ask.fileName = m_target->text();
    ask.mustExist = false;
    ask.filter = form == Form::PdfBook     ? QStringLiteral("PDF (*.pdf)|*.pdf")
                 : form == Form::PlainText ? QStringLiteral("ﾃｷｽﾄ (*.txt)|*.txt")
                                           : QStringLiteral("新しいﾌｫﾙﾀﾞ|*");
    const platform::FileAnswer answer = platform::dialogs().saveFile(ask);
    if (answer.accepted)
        m_target->setText(answer.path);
}

diaryexport::Result ExportDialog::run(const diaryexport::Progress &progress) {
    const diaryexport::Request r = request();
    diaryexport::Result result;
    if (progress) {
        result = diaryexport::exportDiary(m_store, r, m_styles, progress);
    } else {
        QProgressDialog bar(QStringLiteral("日記を書き出しています..."), QStringLiteral("中止"), 0,
                            1, this);
        bar.setWindowTitle(QStringLiteral("日記の書き出し"));
        bar.setWindowModality(Qt::WindowModal);
        bar.setMinimumDuration(300);
        result = diaryexport::exportDiary(m_store, r, m_styles, [&bar](int done, int total) {
            bar.setMaximum(total);
            bar.setValue(done);
            QCoreApplication::processEvents();
            return !bar.wasCanceled();
        });
    }
    if (result.ok)
        platform::dialogs().message(
            QStringLiteral("%1 日分の日記を書き出しました。").arg(result.entries),
            platform::Buttons::Ok, platform::Icon::Information);
    else
        platform::dialogs().message(result.message, platform::Buttons::Ok,
                                    result.cancelled ? platform::Icon::Information
                                                     : platform::Icon::Exclamation);
    return result;
}

} // namespace exportwin
