#pragma once

#include "primitives.h"

#include <cstddef>
#include <string>
#include <vector>

// A ruled table of figures for the reports: optional rows of group heads
// over runs of columns, column heads of one or more lines, one text line per row.
// Column widths follow the widest head word and figure; the table takes the
// largest of its font sizes at which everything fits, and shares what space
// is left among the columns. A table too wide even at its smallest size is
// printed in bands of columns, one below the other, each with the first
// column again; every figure is printed whole. A table that reaches the
// bottom of the body goes on on a new page (footer first) with its heads
// printed again; its last two rows never part.
namespace gw::report {

struct TableGroup {
    std::string text;
    std::size_t first = 0;  // columns first..last
    std::size_t last = 0;
};

struct ReportTable {
    // Rows of group heads, top first; each head is centred over its columns
    // with a rule below it.
    std::vector<std::vector<TableGroup>> groupRows;
    std::vector<std::vector<std::string>> heads;  // per column, its head lines
    std::vector<std::vector<std::string>> rows;   // per row, one cell per column
    std::vector<double> fontSizes{10};            // points, largest first
    bool boldHeads = true;
};

// The layout chosen for a table: font size and column edges.
struct TableLayout {
    double fontSize = 10;
    std::vector<double> lefts;   // left edge of each column
    std::vector<double> widths;  // width of each column
    bool fits = true;            // false: too wide even at the smallest size, at which the widths are
};

TableLayout LayOutTable(Page& page, const ReportTable& table, double left, double width);

// Prints the table from y across [left, left + width]; returns the y below
// its bottom rule. The page's font face is kept; its size is restored.
double PrintReportTable(PrintContext& context, const ReportTable& table, double y, double left, double width);

} // namespace gw::report
