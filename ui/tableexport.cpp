#include "tableexport.h"

#include "csv.h"
#include "numformat.h"

#include <QChart>
#include <QClipboard>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QTableWidget>

#include <algorithm>

namespace gw {

namespace {

bool isPercent(std::string_view pattern)
{
    return pattern.find('%') != std::string_view::npos;
}

std::string percentHead(const QString& head)
{
    return (head.contains(u'%') ? head : head + QStringLiteral(" (%)")).toStdString();
}

QString cellText(const QTableWidget& grid, int row, int column)
{
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text().replace(u'\n', u' ') : QString();
}

// Copy in a grid, and Esc to clear its selection (in a table its rows fill,
// no click lands outside the cells); a window's own keys never take these.
class CopyKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto& grid = *static_cast<QTableWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool copy = key->matches(QKeySequence::Copy);
        const bool clear = key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
                           grid.selectionModel()->hasSelection();
        if (!copy && !clear)
            return false;
        event->accept();
        if (event->type() == QEvent::KeyPress && copy)
            QGuiApplication::clipboard()->setText(GridText(grid));
        else if (event->type() == QEvent::KeyPress)
            grid.clearSelection();
        return true;
    }
};

} // namespace

std::string TableCsv(const std::vector<TableColumn>& columns, const TableFigures& rows)
{
    // The first row tells which columns are per cents and which carry one.
    const std::vector<TableCell> first = rows.empty() ? std::vector<TableCell>{} : rows.front();
    std::vector<std::string> heads;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const QString head = ColumnHead(columns[c].group, columns[c].caption);
        const TableCell* cell = c < first.size() ? &first[c] : nullptr;
        heads.push_back(cell && isPercent(cell->pattern) ? percentHead(head) : head.toStdString());
        if (cell && cell->percent)
            heads.push_back(percentHead(head));
    }
    std::string text = "\xEF\xBB\xBF" + CsvRecord(heads) + "\r\n";
    for (const std::vector<TableCell>& row : rows) {
        std::vector<std::string> fields;
        for (const TableCell& cell : row) {
            fields.push_back(PlainNumber(cell.value, cell.pattern));
            if (cell.percent)
                fields.push_back(PlainNumber(*cell.percent, kCellPercentPattern));
        }
        text += CsvRecord(fields) + "\r\n";
    }
    return text;
}

QString GridText(const QTableWidget& grid)
{
    const QModelIndexList selected = grid.selectionModel() ? grid.selectionModel()->selectedIndexes() : QModelIndexList{};
    QStringList lines;
    if (selected.isEmpty()) {
        QStringList heads;
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QTableWidgetItem* head = grid.horizontalHeaderItem(c);
            heads << (head ? ColumnHead(head->data(GroupedHeader::kGroupRole).toString(), head->text()) : QString());
        }
        lines << heads.join(u'\t');
        for (int r = 0; r < grid.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid.columnCount(); ++c)
                cells << cellText(grid, r, c);
            lines << cells.join(u'\t');
        }
    } else {
        int top = grid.rowCount(), bottom = -1, left = grid.columnCount(), right = -1;
        for (const QModelIndex& index : selected) {
            top = std::min(top, index.row());
            bottom = std::max(bottom, index.row());
            left = std::min(left, index.column());
            right = std::max(right, index.column());
        }
        for (int r = top; r <= bottom; ++r) {
            QStringList cells;
            for (int c = left; c <= right; ++c) {
                const bool in = grid.selectionModel()->isSelected(grid.model()->index(r, c));
                cells << (in ? cellText(grid, r, c) : QString());
            }
            lines << cells.join(u'\t');
        }
    }
    return lines.join(u'\n') + u'\n';
}

void AddCopyKey(QTableWidget& grid)
{
    grid.installEventFilter(new CopyKey(&grid));
}

bool WriteChartImage(QChart& chart, ImageFormat format, const QSizeF& size, QIODevice& out)
{
    const QRectF before = chart.geometry();
    chart.setGeometry(QRectF(before.topLeft(), size));
    const QRectF target(QPointF(0, 0), size);
    const auto draw = [&](QPaintDevice& device) {
        QPainter painter(&device);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        chart.scene()->render(&painter, target, chart.sceneBoundingRect());
    };
    bool written = false;
    if (format == ImageFormat::Png) {
        // Twice the pixels: sharp on paper and on a high-resolution screen.
        QImage image((size * 2).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        draw(image);
        written = image.save(&out, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(size.toSize());
        svg.setViewBox(target);
        svg.setTitle(chart.title());
        draw(svg);
        // The generator cannot tell; the device's owner finds out on closing it.
        written = true;
    }
    chart.setGeometry(before);
    return written;
}

} // namespace gw
