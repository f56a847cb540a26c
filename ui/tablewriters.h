#pragma once

#include "captions.h"
#include "dispatch.h"
#include "groupedheader.h"

#include <QColor>
#include <QString>
#include <QStyledItemDelegate>

#include <optional>
#include <string_view>
#include <vector>

class QTableWidget;

// The result tables of the main window: their heads, column widths and cell
// shades, and the writers that fill them from the analysis records. Figures
// are written with the display patterns of numformat.h in the caption
// language; a table only ever shows the last results it was given.
namespace gw {

class CaptionSource;

// Background of a cell.
enum class Shade { None, Year, Leveraged, Difference };
// Light yellow (255, 255, 192), light green (192, 255, 192), light cyan
// (192, 255, 255); an invalid colour for None.
QColor ShadeColour(Shade shade);

// Draws a selected cell as an unselected one, its shade and text as they
// were, under a see-through wash of the highlight colour, so that a
// selection never hides which cells are years, leveraged or differences.
class ShadeKeepingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// One column of a result table.
struct TableColumn {
    QString caption;
    QString group;      // shown over the run of columns with the same groupId
    int groupId = -1;   // -1: no group
    int twips = 1400;   // width in the window layout's twips (1/1440 inch)
};

// The columns of each table, captions in the current language. The
// advanced tables exist for interest-only and term loans only (empty for
// RRSP loans). `limited`: a deduction is limited to investment income, which
// adds the five deduction columns.
std::vector<TableColumn> SummaryColumns(Strategy strategy, const CaptionSource& captions);
std::vector<TableColumn> BasicProjectionColumns(Strategy strategy, const CaptionSource& captions);
std::vector<TableColumn> AdvancedProjectionColumns(Strategy strategy, bool limited, const CaptionSource& captions);

// Whether the results carry the five deduction columns (interest-only and
// term loans with a deduction limited to investment income).
bool DeductionLimited(const AnalysisResults& results);

// The table's heads, base column widths and row height (`linesPerRow` text
// lines). The cells are cleared when the number of columns changes; the
// grid must have a GroupedHeader.
void LayOutGrid(QTableWidget& grid, const std::vector<TableColumn>& columns, int linesPerRow);

// True when the grid is laid out with exactly these many columns.
bool HasColumns(const QTableWidget& grid, int count);

// Pixels for a width in twips on the grid's screen: 1/15 of a pixel at 96
// dots per inch, scaled with the screen's resolution.
int TwipsToPixels(int twips, const QWidget& widget);

// One figure of a result table and how it shows.
struct TableCell {
    TableCell(double value, std::string_view pattern, Shade shade = Shade::None,
              std::optional<double> percent = std::nullopt)
        : value(value), pattern(pattern), shade(shade), percent(percent)
    {
    }

    double value = 0;
    std::string_view pattern;        // display pattern (numformat.h), a literal
    Shade shade = Shade::None;
    std::optional<double> percent;   // fraction shown under the figure, "(7%)"
};
inline constexpr std::string_view kCellPercentPattern = "##0%";

// The figures of a table from the analysis records, row by row in the
// order of its columns (the Columns functions above; the advanced
// projection's as DeductionLimited(results) says). The summary has one row
// per return slot that has a return, the projections one per year; the
// advanced projection is empty for RRSP loans.
using TableFigures = std::vector<std::vector<TableCell>>;
TableFigures SummaryFigures(const AnalysisResults& results);
TableFigures BasicProjectionFigures(const AnalysisResults& results);
TableFigures AdvancedProjectionFigures(const AnalysisResults& results);

// A column's head on one line, for files and the clipboard: "Group -
// Caption", or the caption alone; a caption's line breaks become spaces.
QString ColumnHead(const QString& group, const QString& caption);

// Fill the summary table and the projection tables of the strategy the
// results belong to, one summary row per return slot that has a return and
// one projection row per year. `advanced` is ignored for RRSP loans. The
// grids must be laid out for the results (see DeductionLimited). Columns are
// widened where a figure would not fit.
void WriteSummaryTable(QTableWidget& grid, const AnalysisResults& results, Language language);
void WriteProjectionTables(QTableWidget& basic, QTableWidget* advanced, const AnalysisResults& results,
                           Language language);

// Any table laid out for `rows` (LayOutGrid): its cells, as the writers
// above fill theirs.
void WriteFigures(QTableWidget& grid, const TableFigures& rows, Language language);

// Height that shows the heads and every row without scrolling.
int FullHeight(const QTableWidget& grid);

} // namespace gw
