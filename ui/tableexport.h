#pragma once

#include "tablewriters.h"

#include <QSizeF>
#include <QString>

#include <string>
#include <vector>

class QIODevice;
class QTableWidget;
QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

// What leaves the window for other programs: the result tables as CSV
// files and on the clipboard, the charts as images.
namespace gw {

// A result table as comma-separated text (csv.h) in UTF-8, lines ended by
// CR LF: a byte-order mark (without it a spreadsheet may read the French
// heads in the system's code page), a head row (ColumnHead), then one row
// per table row. Figures are
// the records' values rounded as the table shows them (PlainNumber): a
// point, no grouping, per cents in per cent (7 for 7 %), so that a
// spreadsheet reads them as numbers that match the window. A per-cent
// column's head ends in " (%)" unless its caption shows a "%" already; a
// figure with a per cent under it takes two columns, the second headed by
// its caption and " (%)". `rows` must have a cell per column.
std::string TableCsv(const std::vector<TableColumn>& columns, const TableFigures& rows);

// The grid's cells as shown, tab-separated, each row ended by "\n", a
// cell's lines joined by a space: the selected cells (the rectangle around
// them, with cells in it that are not selected left empty), or, with
// nothing selected, the whole table under its head row (ColumnHead).
QString GridText(const QTableWidget& grid);

// The platform's Copy key (Ctrl+C) in the grid puts GridText on the
// clipboard; Esc clears the grid's selection.
void AddCopyKey(QTableWidget& grid);

enum class ImageFormat { Png, Svg };

// Draws the chart laid out at `size` (in pixels at 96 dots per inch), as a
// PNG image of twice that many pixels each way or an SVG drawing of that
// size. The chart is laid out as before afterwards. False when the device
// could not be written.
bool WriteChartImage(QChart& chart, ImageFormat format, const QSizeF& size, QIODevice& out);

} // namespace gw
