// File > Export and Ctrl+C in the result tables, on the real analysis and
// the shipped captions.
#include "window_test.h"

#include "numformat.h"
#include "outputexport.h"
#include "tablecaptions.h"
#include "tablewriters.h"

#include <QSvgRenderer>

#include <fstream>
#include <sstream>

namespace gw::test {
namespace {

// Answers the save dialog with a file in a temporary folder.
struct AnsweringFiles : SaveFileService {
    QString answer, filters;
    int asked = 0;
    QString askSaveFileName(const QString&, const QString&, const QString& types) override
    {
        ++asked;
        filters = types;
        return answer;
    }
};

// RFC 4180 records: quoted fields may hold commas, doubled quotes and line
// breaks; lines end with CR LF.
std::vector<std::vector<std::string>> readCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = records.back().back();
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            field += text[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            records.back().emplace_back();
        else if (!quoted && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            records.emplace_back(1), ++i;
        else
            field += c;
    }
    if (records.back() == std::vector<std::string>(1))
        records.pop_back();
    return records;
}

std::string readFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

double percent(double fraction) { return fraction * 100; }

class ExportTest : public SampleWindowTest {
protected:
    AnsweringFiles files;
    QTemporaryDir folder;

    void open(Language language) { SampleWindowTest::open(language, &files); }
    QAction* entry(OutputExport::Kind kind) { return window->mnuExportItem[std::size_t(kind)]; }

    // Exports through the menu into the temporary folder; the file's bytes.
    std::string exportAs(OutputExport::Kind kind, const QString& name)
    {
        files.answer = folder.filePath(name);
        entry(kind)->trigger();
        return readFile(files.answer);
    }
};

// Each table of each strategy, in both languages and with the detailed
// projection, reads back as its head row and the figures of the result
// records as the table rounds them; the heads and every figure agree with
// what the table shows.
TEST_F(ExportTest, eachTableReadsBackToTheResultRecordsFigures)
{
    using Kind = OutputExport::Kind;
    const auto summary = [](const AnalysisResults& r) -> const std::vector<SummaryRow>& {
        return r.index() == 0 ? std::get<IntOnlyResults>(r).summary : std::get<TermResults>(r).summary;
    };
    const auto intOnly = [](const AnalysisResults& r) -> const IntOnlyResults& { return std::get<IntOnlyResults>(r); };
    const auto term = [](const AnalysisResults& r) -> const TermResults& { return std::get<TermResults>(r); };
    const auto rrsp = [](const AnalysisResults& r) -> const RRSPResults& { return std::get<RRSPResults>(r); };
    // One column of the file against the record value it holds, per row,
    // within half the last digit shown.
    struct Case {
        Language language;
        int strategy;
        Kind kind;
        bool advanced;
        std::size_t column;
        std::function<double(const AnalysisResults&, std::size_t)> value;
        double within;
    };
    const Case cases[] = {
        {English, 0, Kind::SummaryTable, false, 0, [&](auto& r, auto i) { return percent(summary(r)[i].return_); }, 0.05},
        {English, 1, Kind::SummaryTable, false, 2, [&](auto& r, auto i) { return summary(r)[i].leveraged; }, 0.5},
        {English, 2, Kind::SummaryTable, false, 7, [&](auto& r, auto i) { return percent(rrsp(r).summary[i].gross_up_percent); }, 0.5},
        {English, 0, Kind::ProjectionTable, false, 3, [&](auto& r, auto i) { return intOnly(r).projection[i].increase; }, 0.5},
        {English, 1, Kind::ProjectionTable, false, 0, [&](auto& r, auto i) { return double(term(r).projection[i].year); }, 0},
        {English, 2, Kind::ProjectionTable, false, 2, [&](auto& r, auto i) { return rrsp(r).projection[i].catch_up_balance; }, 0.5},
        {English, 1, Kind::ProjectionTable, true, 7, [&](auto& r, auto i) { return term(r).projection[i].interest; }, 0.5},
        // Limited deductions: five more columns before the last four.
        {French, 0, Kind::ProjectionTable, true, 14, [&](auto& r, auto i) { return percent(intOnly(r).projection[i].percent_increase); }, 0.5},
        {French, 2, Kind::SummaryTable, false, 3, [&](auto& r, auto i) { return percent(rrsp(r).summary[i].spend_percent); }, 0.5},
    };
    std::optional<Language> opened;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.language == French ? "French" : "English") << ", strategy " << c.strategy
                                        << ", " << (c.kind == Kind::SummaryTable ? "summary" : "projection")
                                        << (c.advanced ? ", detailed" : ""));
        if (opened != c.language) {
            // French: both deductions limited, the detailed tables' five more columns.
            setup.values.setFlag(Setting::FedLimitedDeduct, c.language == French);
            setup.values.setFlag(Setting::ProvLimitedDeduct, c.language == French);
            open(c.language);
            opened = c.language;
        }
        select(c.strategy);
        if (window->advancedView() != c.advanced)
            child<QPushButton>(*window, "cmdAdvancedSettings_Output")->click();
        const std::string bytes = exportAs(c.kind, QString("table-%1.csv").arg(c.strategy));
        ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
        const auto records = readCsv(bytes.substr(3));
        EXPECT_EQ(files.filters, lookUp(*captions, "ExportFilterCSV"));

        // The table shown: its heads and figures in the caption language.
        const OutputPanel& out = window->outputs();
        const QTableWidget& grid = c.kind == Kind::SummaryTable ? *out.gridSummaryTable[std::size_t(c.strategy)]
                                   : c.advanced ? *out.gridProjectionTable_Advanced[std::size_t(c.strategy)]
                                                : *out.gridProjectionTable_Basic[std::size_t(c.strategy)];
        const std::size_t rows = std::size_t(grid.rowCount());
        ASSERT_GT(rows, 0u);
        ASSERT_EQ(records.size(), rows + 1);
        QStringList heads;
        std::vector<QStringList> shown(rows);
        for (int col = 0; col < grid.columnCount(); ++col) {
            const QTableWidgetItem* head = grid.horizontalHeaderItem(col);
            heads << ColumnHead(head->data(GroupedHeader::kGroupRole).toString(), head->text());
            if (grid.item(0, col)->text().contains('\n'))  // a figure over its per cent
                heads << heads.back() + " (%)";
            for (int row = 0; row < int(rows); ++row)
                shown[std::size_t(row)] << grid.item(row, col)->text().remove('(').remove(')').split('\n');
        }
        ASSERT_EQ(records[0].size(), std::size_t(heads.size()));
        for (int col = 0; col < heads.size(); ++col) {
            const QString head = QString::fromStdString(records[0][std::size_t(col)]);
            EXPECT_TRUE(head == heads[col] || head == heads[col] + " (%)") << head.toStdString();
        }
        for (std::size_t row = 1; row < records.size(); ++row) {
            ASSERT_EQ(records[row].size(), records[0].size());
            for (std::size_t col = 0; col < records[row].size(); ++col) {
                const std::string figure = records[row][col];
                EXPECT_EQ(figure.find_first_not_of("-0123456789."), std::string::npos) << figure;
                EXPECT_DOUBLE_EQ(LenientParse(figure), ReadField(shown[row - 1][int(col)].toStdString(), c.language))
                    << "row " << row << " column " << col;
            }
        }
        const AnalysisResults& results = *window->resultsOf(Strategy(c.strategy));
        for (std::size_t row = 0; row < rows; ++row)
            EXPECT_NEAR(LenientParse(records[row + 1][c.column]), c.value(results, row), c.within) << "row " << row;
    }
    EXPECT_EQ(messages.take(), "");
}

// Each chart of a shared and of an RRSP chart pair: a PNG image of twice the
// drawing size by default, an SVG drawing when the name says so.
TEST_F(ExportTest, chartsExportAsPngOrSvgByTheNamesExtension)
{
    using Kind = OutputExport::Kind;
    open(English);
    for (int strategy : {1, 2}) {
        select(strategy);
        for (Kind kind : {Kind::SummaryChart, Kind::ProjectionChart}) {
            SCOPED_TRACE(testing::Message() << "strategy " << strategy << ", kind " << int(kind));
            exportAs(kind, "chart");
            EXPECT_EQ(files.filters, "PNG image (*.png);;SVG image (*.svg)");
            QImage png(files.answer + ".png");
            ASSERT_FALSE(png.isNull());
            EXPECT_EQ(png.size(), QSize(2 * OutputExport::kChartWidth, 2 * OutputExport::kChartHeight));
            QSet<QRgb> colours;  // a drawing, not a blank
            for (int x = 0; x < png.width(); x += 8)
                colours.insert(png.pixel(x, png.height() / 2));
            EXPECT_GT(colours.size(), 3);

            exportAs(kind, "chart.svg");
            QSvgRenderer svg(files.answer);
            EXPECT_TRUE(svg.isValid());
            EXPECT_EQ(svg.viewBox(), QRect(0, 0, OutputExport::kChartWidth, OutputExport::kChartHeight));
        }
    }
    EXPECT_EQ(messages.take(), "");
}

// No results to export while auto-calculation is off; a file that cannot be
// written is named in the message. Neither leaves a file.
TEST_F(ExportTest, saysWhenThereIsNothingToExportOrTheFileCannotBeWritten)
{
    open(English);
    child<QPushButton>(*window, "cmdAutoCalc")->click();
    files.answer = folder.filePath("none.csv");
    entry(OutputExport::Kind::SummaryTable)->trigger();
    EXPECT_EQ(files.asked, 0);
    EXPECT_EQ(messages.take(), "Summary Table as CSV: " + GetCaption(SourceCaptions(), "errorNoResultsToExport", English));

    child<QPushButton>(*window, "cmdAutoCalc")->click();
    const QString path = folder.filePath("missing/chart.svg");
    files.answer = path;
    entry(OutputExport::Kind::ProjectionChart)->trigger();
    EXPECT_EQ(messages.take(), "Projection Chart as Image: The file " + QDir::toNativeSeparators(path).toStdString() +
                                   " could not be written. Choose another folder or name, then export again.");
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

// Ctrl+C copies the whole table under its heads with nothing selected (Esc
// clears a selection), and just the cells selected otherwise, also when the
// selection starts in the year column kept in view.
TEST_F(ExportTest, ctrlCCopiesTheSelectedCellsOrTheWholeTable)
{
    open(English);
    QTableWidget& grid = *window->outputs().gridSummaryTable[2];
    select(2);
    const auto copy = [&grid] {
        QApplication::clipboard()->clear();
        QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
        return QApplication::clipboard()->text().toStdString();
    };
    const auto text = [&grid](int row, int column) { return grid.item(row, column)->text().replace('\n', ' '); };

    QString whole = "Return\tCatch-Up Loan\tSpend Refund\tReinvest Refund\tGross-Up\n";
    for (int row = 0; row < grid.rowCount(); ++row)
        whole += QStringList{text(row, 0), text(row, 1), text(row, 2), text(row, 3), text(row, 4)}.join('\t') + "\n";
    EXPECT_EQ(copy(), whole.toStdString());
    EXPECT_NE(whole.indexOf(" ("), -1);  // a figure and its per cent on one line

    grid.setRangeSelected(QTableWidgetSelectionRange(1, 1, 2, 2), true);
    EXPECT_EQ(copy(), (text(1, 1) + "\t" + text(1, 2) + "\n" + text(2, 1) + "\t" + text(2, 2) + "\n").toStdString());
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_EQ(copy(), whole.toStdString());

    QTableWidget& wide = *window->outputs().gridProjectionTable_Basic[2];
    auto* frozen = child<QTableView>(wide, wide.objectName() + "_FrozenColumn");
    EXPECT_EQ(frozen->selectionModel(), wide.selectionModel());
    frozen->selectionModel()->select(frozen->model()->index(0, 0), QItemSelectionModel::Select);
    QApplication::clipboard()->clear();
    QTest::keyClick(&wide, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), wide.item(0, 0)->text() + "\n");
}

// The range of outcomes exports once its run has shown figures: the table
// as its head row and the record's figures, the fan chart as an image.
TEST_F(ExportTest, theRangeOfOutcomesExportsItsTableAndChart)
{
    using Kind = OutputExport::Kind;
    open(English);
    EXPECT_EQ(exportAs(Kind::OutcomesTable, "none.csv"), "");
    EXPECT_EQ(messages.take(), "Range of Outcomes Table as CSV: " + lookUp(*captions, "errorNoResultsToExport").toStdString());
    window->tabOutputs->setCurrentIndex(MainWindow::kOutcomesTab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->outcomes().results().has_value(); }, 20000));
    const OutcomeResults& r = *window->outcomes().results();

    const auto rows = readCsv(exportAs(Kind::OutcomesTable, "outcomes.csv"));
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[1].size(), 7u);
    EXPECT_EQ(rows[0][0], "\xEF\xBB\xBF" + lookUp(*captions, "OutcomesChanceBehind").toStdString() + " (%)");
    EXPECT_EQ(rows[0][6], "Difference ($) in Year " + std::to_string(r.horizon) + ", by Percentile - 90th");
    EXPECT_NEAR(std::stod(rows[1][0]), percent(r.probability_behind), 0.05);
    EXPECT_NEAR(std::stod(rows[1][1]), percent(r.probability_underwater), 0.05);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(std::stod(rows[1][2 + i]), r.difference_at_horizon[i], 0.5);
    EXPECT_EQ(exportAs(Kind::OutcomesChart, "fan.png").substr(1, 3), "PNG");
    EXPECT_TRUE(messages.messages.empty()) << messages.take();
}

// The save dialog starts on the file type of the suggested name's extension,
// and a name typed without one gets that of the type chosen.
TEST(SaveFileDialog, startsOnTheSuggestedTypeAndAddsItsExtension)
{
    QTemporaryDir folder;
    QtSaveFileService files;
    QString startType;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = nullptr;
        if (!QTest::qWaitFor([&] { return (dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())); }))
            return;
        startType = dialog->selectedNameFilter();
        dialog->selectFile("drawing");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString path = files.askSaveFileName("Chart", folder.filePath("chart.svg"), "PNG (*.png);;SVG (*.svg)");
    EXPECT_EQ(startType, "SVG (*.svg)");
    EXPECT_EQ(path, folder.filePath("drawing.svg"));
}

} // namespace
} // namespace gw::test
