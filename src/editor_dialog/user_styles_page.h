#pragma once

#include "editor_dialog/pages.h"
#include "editor_dialog/user_style_samples.h"

#include <array>
#include <memory>

class QTextEdit;

namespace editor {
class FormatDialogs;
}

namespace editor_dialog {

// "US": the eight user styles shown in sample paragraphs, the line-spacing factor and the two
// options. OK reads them back, keeps the heading sizes in order and stores the table.
class UserStylesPage final : public Page {
    Q_OBJECT
public:
    UserStylesPage(settings::UserStyleTable &table, QWidget *parent = nullptr);
    ~UserStylesPage() override;
    void prepare(const QString &sAns) override;
    QString apply() override;

    // Replaces the text control's font and paragraph dialogs (tests).
    void setFormatDialogs(std::unique_ptr<editor::FormatDialogs> dialogs);
    StyleSamples &samples() { return m_samples; }

    void cmFont(int style);
    void cmPrg(int style);
    void cmArea(bool footer); // cmHead, cmFoot

private:
    QWidget *areaRow(bool footer);
    void areaAlignmentChosen(bool footer);

    settings::UserStyleTable &m_table;
    StyleSamples m_samples;
    std::unique_ptr<editor::FormatDialogs> m_formatDialogs;
    QTextEdit *m_tTxt = nullptr;
    std::array<QTextEdit *, 2> m_areas{};   // tHead, tFoot
    std::array<QComboBox *, 2> m_cbAreas{}; // cbHead, cbFoot
    QComboBox *m_cbLine = nullptr;
    QCheckBox *m_ckLF = nullptr;
    QCheckBox *m_ckTitle = nullptr;
};

} // namespace editor_dialog
