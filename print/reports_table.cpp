#include "reports_table.h"

#include "textlayout.h"

#include <algorithm>
#include <numeric>

namespace gw::report {

namespace {

// Room between columns, in units for a 10-point table.
constexpr double kPadding = 2.0;
constexpr double kRuleGap = 0.15;
// Between the bands of a table too wide for the page.
constexpr double kBandGap = 0.6;

double Padding(double fontSize)
{
    return kPadding * fontSize / 10;
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(' ', start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > start)
            words.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return words;
}

double WidestWord(Page& page, const std::string& text)
{
    double widest = 0;
    for (const std::string& word : Words(text))
        widest = std::max(widest, MeasureText(page, word));
    return widest;
}

struct NaturalWidths {
    std::vector<double> widths;       // the widest figure or head word
    std::vector<double> comfortable;  // the widest figure or whole head line
    double total = 0;
};

NaturalWidths Natural(Page& page, const ReportTable& table, double size, bool boldHeads)
{
    const std::string face = page.font().face;
    const std::size_t columns = table.heads.size();
    const double pad = Padding(size);
    NaturalWidths result;
    result.widths.assign(columns, 0);

    page.setFont({face, size, false});
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < columns && c < row.size(); ++c)
            result.widths[c] = std::max(result.widths[c], MeasureText(page, row[c]));
    }
    result.comfortable = result.widths;
    page.setFont({face, size, boldHeads});
    for (std::size_t c = 0; c < columns; ++c) {
        for (const std::string& line : table.heads[c]) {
            result.widths[c] = std::max(result.widths[c], WidestWord(page, line));
            result.comfortable[c] = std::max(result.comfortable[c], MeasureText(page, line));
        }
        result.widths[c] += pad;
        result.comfortable[c] = std::max(result.comfortable[c] + pad, result.widths[c]);
    }
    // A group head's longest word must fit across its columns.
    for (const auto& groups : table.groupRows) {
        for (const TableGroup& group : groups) {
            if (group.first > group.last || group.last >= columns)
                continue;
            double span = 0;
            for (std::size_t c = group.first; c <= group.last; ++c)
                span += result.widths[c];
            const double need = WidestWord(page, group.text) + pad;
            const double share = std::max(0.0, need - span) / static_cast<double>(group.last - group.first + 1);
            for (std::size_t c = group.first; c <= group.last; ++c) {
                result.widths[c] += share;
                // Spare room must never take the widening back.
                result.comfortable[c] = std::max(result.comfortable[c], result.widths[c]);
            }
        }
    }
    result.total = std::accumulate(result.widths.begin(), result.widths.end(), 0.0);
    return result;
}

class TablePrinter {
public:
    TablePrinter(PrintContext& context, const ReportTable& table, double left, double width, TableLayout layout)
        : context_(context), page_(context.page), table_(table), left_(left), width_(width), layout_(std::move(layout)),
          face_(context.page.font().face)
    {
        page_.setFont({face_, layout_.fontSize, false});
        lineHeight_ = page_.textHeight();
        pitch_ = kLineAdvance * lineHeight_;
        pad_ = Padding(layout_.fontSize);
    }

    double print(double y)
    {
        y = EnsureRoomForHeads(y);
        y = printHeads(y);
        const std::size_t count = table_.rows.size();
        for (std::size_t i = 0; i < count; ++i) {
            // The last two rows go to a new page together.
            const bool lastTwo = count >= 2 && i + 2 == count;
            const double need = lastTwo ? pitch_ + lineHeight_ : lineHeight_;
            if (y + need > BodyBottom(context_) && y > context_.continuationTop) {
                rule(y + kRuleGap);
                y = StartNewPage(context_);
                y = printHeads(y);
            }
            printRow(table_.rows[i], y);
            y += pitch_;
        }
        rule(y + kRuleGap);
        return y + 2 * kRuleGap;
    }

private:
    void rule(double y) { page_.drawLine(left_, y, left_ + width_, y); }

    std::vector<std::string> wrapped(const std::string& text, double width)
    {
        return WrapText(page_, TrimBlanks(text), std::max(width, 0.1),
                         {.language = context_.language, .overlong = OverlongWord::OwnLine});
    }

    double groupLeft(const TableGroup& g) const { return layout_.lefts[g.first]; }
    double groupWidth(const TableGroup& g) const
    {
        return layout_.lefts[g.last] + layout_.widths[g.last] - layout_.lefts[g.first];
    }

    bool validGroup(const TableGroup& g) const { return g.first <= g.last && g.last < layout_.widths.size(); }

    using Lines = std::vector<std::vector<std::string>>;

    static std::size_t mostLines(const Lines& texts)
    {
        std::size_t most = 0;
        for (const auto& text : texts)
            most = std::max(most, text.size());
        return most;
    }

    // Each group's head wrapped over its columns; none for a group past them.
    Lines groupHeads(const std::vector<TableGroup>& groups)
    {
        Lines texts;
        for (const TableGroup& g : groups)
            texts.push_back(validGroup(g) ? wrapped(g.text, groupWidth(g) - pad_) : std::vector<std::string>{});
        return texts;
    }

    Lines columnHeads()
    {
        Lines heads;
        for (std::size_t c = 0; c < table_.heads.size(); ++c)
            heads.push_back(columnHead(c));
        return heads;
    }

    // Height of the heads block, rules included.
    double headsHeight()
    {
        page_.setFont({face_, layout_.fontSize, table_.boldHeads});
        double height = kRuleGap;
        for (const auto& groups : table_.groupRows) {
            if (const std::size_t lines = mostLines(groupHeads(groups)))
                height += static_cast<double>(lines) * pitch_ + kRuleGap;
        }
        const std::size_t headLines = mostLines(columnHeads());
        page_.setFont({face_, layout_.fontSize, false});
        return height + static_cast<double>(headLines) * pitch_ + 2 * kRuleGap;
    }

    double EnsureRoomForHeads(double y)
    {
        // Two rows at least; a table of three stays whole, as its last two
        // rows never part.
        const std::size_t rows = table_.rows.size() == 3 ? 3 : 2;
        const double need = headsHeight() + static_cast<double>(rows) * pitch_;
        if (y + need > BodyBottom(context_) && y > context_.continuationTop)
            return StartNewPage(context_);
        return y;
    }

    std::vector<std::string> columnHead(std::size_t c)
    {
        std::vector<std::string> lines;
        for (const std::string& line : table_.heads[c]) {
            for (std::string& part : wrapped(line, layout_.widths[c] - pad_))
                lines.push_back(std::move(part));
        }
        return lines;
    }

    // One row of group heads, each wrapped over its columns and sitting on a
    // common last line above its rule.
    double printGroups(const std::vector<TableGroup>& groups, double y)
    {
        const Lines texts = groupHeads(groups);
        const std::size_t lines = mostLines(texts);
        if (lines == 0)
            return y;
        for (std::size_t k = 0; k < groups.size(); ++k) {
            const TableGroup& g = groups[k];
            const double top = y + static_cast<double>(lines - texts[k].size()) * pitch_;
            for (std::size_t i = 0; i < texts[k].size(); ++i)
                page_.drawText(CentreX(page_, groupLeft(g), groupWidth(g), texts[k][i]),
                               top + static_cast<double>(i) * pitch_, texts[k][i]);
        }
        const double ruleY = y + static_cast<double>(lines) * pitch_;
        for (std::size_t k = 0; k < groups.size(); ++k) {
            const TableGroup& g = groups[k];
            if (!texts[k].empty())
                page_.drawLine(groupLeft(g) + pad_ / 2, ruleY, groupLeft(g) + groupWidth(g) - pad_ / 2, ruleY);
        }
        return ruleY + kRuleGap;
    }

    double printHeads(double y)
    {
        rule(y);
        y += kRuleGap;
        page_.setFont({face_, layout_.fontSize, table_.boldHeads});

        for (const auto& groups : table_.groupRows)
            y = printGroups(groups, y);

        const Lines heads = columnHeads();
        const std::size_t headLines = mostLines(heads);
        // Heads sit on a common last line, just above the rule.
        for (std::size_t c = 0; c < heads.size(); ++c) {
            const double top = y + static_cast<double>(headLines - heads[c].size()) * pitch_;
            for (std::size_t i = 0; i < heads[c].size(); ++i)
                page_.drawText(headX(c, heads[c][i]), top + static_cast<double>(i) * pitch_, heads[c][i]);
        }
        y += static_cast<double>(headLines) * pitch_;
        rule(y + kRuleGap / 2);
        page_.setFont({face_, layout_.fontSize, false});
        return y + 2 * kRuleGap;
    }

    // The first column (years, returns) is centred; the others end half a
    // padding inside their right edge, heads and figures alike, so that
    // neighbouring figures stay a full padding apart (French groups digits
    // with blanks).
    double rightEnd(std::size_t c) const { return layout_.lefts[c] + layout_.widths[c] - pad_ / 2; }

    double headX(std::size_t c, const std::string& text)
    {
        if (c == 0)
            return CentreX(page_, layout_.lefts[c], layout_.widths[c], text);
        return rightEnd(c) - MeasureText(page_, text);
    }

    void printRow(const std::vector<std::string>& row, double y)
    {
        for (std::size_t c = 0; c < row.size() && c < layout_.widths.size(); ++c)
            page_.drawText(headX(c, row[c]), y, row[c]);
    }

    PrintContext& context_;
    Page& page_;
    const ReportTable& table_;
    double left_;
    double width_;
    TableLayout layout_;
    std::string face_;
    double lineHeight_ = 1;
    double pitch_ = 1;
    double pad_ = 1;
};

} // namespace

TableLayout LayOutTable(Page& page, const ReportTable& table, double left, double width)
{
    const PageFont saved = page.font();
    std::vector<double> sizes = table.fontSizes;
    if (sizes.empty())
        sizes.push_back(saved.size);

    NaturalWidths chosen;
    double chosenSize = sizes.back();
    for (double size : sizes) {
        chosen = Natural(page, table, size, table.boldHeads);
        chosenSize = size;
        if (chosen.total <= width + kLayoutTolerance)
            break;
    }
    page.setFont(saved);

    TableLayout layout;
    layout.fontSize = chosenSize;
    layout.widths = chosen.widths;
    layout.fits = chosen.total <= width + kLayoutTolerance;
    const std::size_t columns = layout.widths.size();
    if (columns == 0)
        return layout;
    if (layout.fits) {
        // Spare room first keeps head lines whole, then is shared alike.
        double extra = std::max(0.0, width - chosen.total);
        double wanted = 0;
        for (std::size_t c = 0; c < columns; ++c)
            wanted += chosen.comfortable[c] - layout.widths[c];
        const double given = wanted <= extra ? 1.0 : extra / wanted;
        for (std::size_t c = 0; c < columns; ++c) {
            const double more = (chosen.comfortable[c] - layout.widths[c]) * given;
            layout.widths[c] += more;
            extra -= more;
        }
        for (double& w : layout.widths)
            w += extra / static_cast<double>(columns);
    }
    double x = left;
    for (double w : layout.widths) {
        layout.lefts.push_back(x);
        x += w;
    }
    return layout;
}

namespace {

// The columns first..last of `table` after its first column, the groups
// over them cut to them.
ReportTable Band(const ReportTable& table, std::size_t first, std::size_t last)
{
    ReportTable band;
    // Every band in the size the whole table could not fit at.
    band.fontSizes = {table.fontSizes.empty() ? 10 : table.fontSizes.back()};
    band.boldHeads = table.boldHeads;
    const auto keep = [&](std::size_t c) { return c == 0 || (c >= first && c <= last); };
    const auto index = [&](std::size_t c) { return c - first + 1; };
    for (std::size_t c = 0; c < table.heads.size(); ++c)
        if (keep(c))
            band.heads.push_back(table.heads[c]);
    for (const auto& row : table.rows) {
        std::vector<std::string> cells;
        for (std::size_t c = 0; c < row.size(); ++c)
            if (keep(c))
                cells.push_back(row[c]);
        band.rows.push_back(std::move(cells));
    }
    for (const auto& groups : table.groupRows) {
        std::vector<TableGroup> cut;
        for (const TableGroup& g : groups) {
            const std::size_t from = std::max(g.first, first);
            const std::size_t to = std::min(g.last, last);
            if (g.first >= 1 && from <= to)
                cut.push_back({g.text, index(from), index(to)});
        }
        band.groupRows.push_back(std::move(cut));
    }
    return band;
}

// Bands of the columns after the first, each fitting `width` with the first
// one, for columns of `widths`.
std::vector<std::pair<std::size_t, std::size_t>> Bands(const std::vector<double>& widths, double width)
{
    std::vector<std::pair<std::size_t, std::size_t>> bands;
    std::size_t first = 1;
    double used = widths[0];
    for (std::size_t c = 1; c < widths.size(); ++c) {
        if (c > first && used + widths[c] > width + kLayoutTolerance) {
            bands.emplace_back(first, c - 1);
            first = c;
            used = widths[0];
        }
        used += widths[c];
    }
    bands.emplace_back(first, widths.size() - 1);
    return bands;
}

} // namespace

double PrintReportTable(PrintContext& context, const ReportTable& table, double y, double left, double width)
{
    Page& page = context.page;
    const PageFont saved = page.font();
    const TableLayout layout = LayOutTable(page, table, left, width);
    if (!layout.fits && table.heads.size() > 2) {
        // Too wide even at its smallest size: the table goes on in bands of
        // columns, each with the first column again, rather than print a
        // figure cut short.
        const auto bands = Bands(layout.widths, width);
        if (bands.size() > 1) {
            for (std::size_t i = 0; i < bands.size(); ++i)
                y = PrintReportTable(context, Band(table, bands[i].first, bands[i].second),
                                     i == 0 ? y : y + kBandGap, left, width);
            return y;
        }
    }
    if (!layout.fits) {
        // Two columns too wide for the page: a size at which they fit.
        ReportTable smaller = table;
        const double total = std::accumulate(layout.widths.begin(), layout.widths.end(), 0.0);
        smaller.fontSizes = {layout.fontSize * width / total * 0.99};
        return PrintReportTable(context, smaller, y, left, width);
    }
    TablePrinter printer(context, table, left, width, layout);
    const double below = printer.print(y);
    page.setFont(saved);
    return below;
}

} // namespace gw::report
