#pragma once

#include "export/diary_export.h"

#include <QDialog>

class QButtonGroup;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace exportwin {

// The dialog "日記の書き出し": which entries (all, a year, a month, from-to), in which form, and
// where to. The export runs with a progress dialog that can cancel it.
class ExportDialog : public QDialog {
    Q_OBJECT

public:
    enum RangeChoice { AllEntries, OneYear, OneMonth, FromTo };

    ExportDialog(diary::Store &store, const settings::UserStyleTable &styles, const QString &folder,
                 QWidget *parent = nullptr);

    void setRangeChoice(RangeChoice choice);
    void setForm(diaryexport::Form form);
    void setYear(int year);
    void setMonth(int year, int month);
    void setPeriod(const QDate &from, const QDate &to);
    void setTarget(const QString &path);
    diaryexport::Request request() const;

    // Asks where to write (through the dialog seam).
    void browse();
    // Runs the export; progress (when given) replaces the progress dialog (tests).
    diaryexport::Result run(const diaryexport::Progress &progress = {});

    QPushButton *exportButton() const { return m_export; }

private:
    void formChanged();

    diary::Store &m_store;
    const settings::UserStyleTable &m_styles;
    QString m_folder;
    QButtonGroup *m_ranges = nullptr;
    QButtonGroup *m_forms = nullptr;
    QSpinBox *m_year = nullptr;
    QSpinBox *m_monthYear = nullptr;
    QSpinBox *m_month = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QLineEdit *m_target = nullptr;
    QPushButton *m_export = nullptr;
};

} // namespace exportwin
