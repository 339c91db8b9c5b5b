#include "windows/main/fm_txt.h"

#include "diary/connection.h"
#include "diary/entry_events.h"
#include "diary/keys.h"
#include "editor/interface.h"
#include "platform/dialogs.h"
#include "platform/widgets/calendar.h"
#include "platform/widgets/grid.h"

#include <QSet>

namespace mainwin {

void fmTxt::pickDate(const QDate &date) {
    m_calendar->setDate(date);
    FillMonthList(false);
    LoadEntry();
}

void fmTxt::LoadEntry() {
    bool cancel = false;
    m_editor->ChkUdt(cancel);
    if (cancel || saveFailed())
        return;
    const QDate date = m_calendar->date();
    m_curKey = diary::entryKey(date);
    setWindowTitle(date.toString(QStringLiteral("yy/MM/dd")));

    // The highlighted row is the shown date's, and none for a date without an entry.
    const qsizetype p = m_monthKeys.indexOf(m_curKey + QLatin1Char('.'));
    m_list->setActiveRow(p >= 0 && p % 7 == 0 ? int(p / 7) + 1 : 0);
    showEntry();
}

void fmTxt::showEntry() {
    m_editor->setReadOnly(false);
    bool readOk = false;
    const std::optional<diary::DiaryRow> row = diary::connection().load(m_curKey, &readOk);
    bool shown = readOk;
    if (row)
        m_editor->SetData(row->document, shown);
    else
        m_editor->rtAct(2);
    // A read error must not look like an empty day, or the next save would replace the entry.
    m_unreadable = !shown;
    m_editor->setReadOnly(m_unreadable);
    RefreshFileMenu();
    if (m_unreadable)
        diary::tellEntryUnreadable(m_curKey);
}

void fmTxt::followWrite(const QString &key) {
    if (m_writing || !m_loaded)
        return;
    if (diary::followWrite(m_curKey, key, m_editor->bDcEdt()) != diary::FollowUp::Reload)
        return;
    m_editor->setBDcEdt(false);
    showEntry();
}

void fmTxt::followRemoval(const QString &key) {
    if (!m_writing && m_loaded && key == m_curKey && !m_editor->bDcEdt())
        showEntry();
}

void fmTxt::SaveEntry() {
    if (m_curKey.isEmpty() || m_unreadable)
        return;
    QByteArray document;
    QString text;
    QString title;
    bool ok = false;
    m_editor->GetData(document, text, title, ok);
    m_writing = true;
    ok = ok && diary::connection().saveEntry(m_curKey, text, document);
    m_writing = false;
    if (!ok) {
        // The editor takes a save request as done; the document must stay marked as changed.
        m_saveFailed = true;
        platform::dialogs().message(QStringLiteral("日誌を保存できませんでした"),
                                    platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    FillMonthList(true);
}

bool fmTxt::saveFailed() {
    if (!m_saveFailed)
        return false;
    m_saveFailed = false;
    m_editor->setBDcEdt(true);
    return true;
}

void fmTxt::DeleteEntry() {
    if (m_curKey.isEmpty())
        return;
    if (platform::dialogs().message(QStringLiteral("この日の日記を削除しますか"),
                                    platform::Buttons::YesNo, platform::Icon::Question, {},
                                    platform::Answer::No) != platform::Answer::Yes)
        return;
    m_writing = true;
    const bool removed = diary::connection().remove(m_curKey);
    m_writing = false;
    // The day's writing is gone as the user asked: its unsaved changes are not offered back.
    if (removed)
        m_editor->setBDcEdt(false);
    FillMonthList(false);
    openListRow(m_list->activeRow());
}

void fmTxt::openListRow(int row) {
    const QString key = m_monthKeys.mid(7 * (row - 1), 6);
    const QDate date = row > 0 ? diary::keyToDate(key) : QDate();
    // A row that no longer holds a date (the month became empty, or the row lies past the end)
    // reloads the calendar's date.
    if (date.isValid())
        m_calendar->setDate(date);
    LoadEntry();
    m_list->setFocus();
}

void fmTxt::FillMonthList(bool select) {
    m_monthKeys.clear();
    const QList<diary::DiaryRow> rows =
        diary::connection().monthList(diary::monthPrefix(m_calendar->date()));
    m_list->setRowCount(int(rows.size()));
    int selected = 0;
    for (int i = 1; i <= rows.size(); ++i) {
        const diary::DiaryRow &row = rows.at(i - 1);
        m_monthKeys += row.key + QLatin1Char('.');
        m_list->setCellText(1, i, diary::displayKey(row.key));
        m_list->setCellText(2, i, diary::oneLine(row.summary));
        if (select && row.key == m_curKey)
            selected = i;
    }
    if (selected > 0)
        m_list->setActiveRow(selected);
    refreshBoldDays();
}

void fmTxt::refreshBoldDays() {
    if (!m_loaded)
        return;
    for (const QDate &month : m_calendar->visibleMonths()) {
        QSet<int> days;
        for (const diary::DiaryRow &row : diary::connection().monthList(diary::monthPrefix(month)))
            days.insert(diary::keyToDate(row.key).day());
        m_calendar->setBoldDays(month.year(), month.month(), days);
    }
}

} // namespace mainwin
