#pragma once

#include "editor/menus/format_values.h"

class QWidget;

namespace editor {

// The surface's own format dialogs (font, paragraph, bullets and numbering, table). Each edits its
// values and answers whether the user confirmed. Tests install a scripted replacement.
class FormatDialogs {
public:
    virtual ~FormatDialogs() = default;
    virtual bool editFont(QWidget *parent, FontValues &values) = 0;
    virtual bool editParagraph(QWidget *parent, ParagraphValues &values) = 0;
    virtual bool editList(QWidget *parent, ListValues &values) = 0;
    virtual bool editTable(QWidget *parent, TableValues &values) = 0;
};

// The modal Qt dialogs.
class QtFormatDialogs final : public FormatDialogs {
public:
    bool editFont(QWidget *parent, FontValues &values) override;
    bool editParagraph(QWidget *parent, ParagraphValues &values) override;
    bool editList(QWidget *parent, ListValues &values) override;
    bool editTable(QWidget *parent, TableValues &values) override;
};

} // namespace editor
