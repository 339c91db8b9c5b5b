#pragma once

#include "platform/text/text_model.h"
#include "rtf_tokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFrameFormat>

#include <array>
#include <variant>
#include <vector>

// The reader: a parser with an explicit group stack that turns the tokens into stories of
// paragraphs and tables, and a builder that puts them into QTextDocuments.
namespace platform::rtf::detail {

struct Run {
    QString text;
    QTextCharFormat format;
};

struct Paragraph {
    QTextBlockFormat block;
    QTextCharFormat mark; // the character format at the paragraph end
    int list = 0;         // \ls number, 0 none
    int level = 0;
    QList<Run> runs;
};

struct CellDef {
    int right = 0;  // \cellx twips
    int vmerge = 0; // 1 first of a vertical merge, 2 merged into the cell above
    bool hmerge = false;
    QColor shading;
    bool hasRest = false;
    QTextFormat rest;
};

struct Cell {
    CellDef def;
    int left = 0;
    QList<Paragraph> paragraphs;
};

struct Row {
    QList<Cell> cells;
    bool hasRest = false;
    QTextFormat tableRest;
};

struct Table {
    QList<Row> rows;
};

struct FrameMark {
    bool begin = true;
    QTextFrameFormat format;
};

using Item = std::variant<Paragraph, Table, FrameMark>;

struct Story {
    std::vector<Item> items;
    bool present = false;
    bool hasDefaultFont = false;
    QFont defaultFont;
};

struct ListDef {
    int nfc = 23;
    bool hasRest = false;
    QTextFormat rest;
};

struct Model {
    std::array<Story, 5> stories; // main, then the areas in bit order
    QHash<QString, QByteArray> images;
    QHash<int, ListDef> lists; // by \ls number
    QString defaultFamily;     // the \deff font
    PageSetup page;
};

bool parse(const QByteArray &bytes, Model &model, QString *error);
bool build(const Model &model, TextContent &content, QString *error);

} // namespace platform::rtf::detail
