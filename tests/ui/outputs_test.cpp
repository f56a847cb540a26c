// The output pages of the main window on the real analysis and the shipped
// captions: tables, charts, titles, notes and the remaining-deductions line, as
// golden files of what each strategy shows.
#include "window_test.h"

#include "golden.h"

#include "tablewriters.h"

namespace gw::test {
namespace {

// "Y:", "L:" or "D:" before a cell shaded as a year, leveraged or difference.
std::string shadeMark(const QTableWidgetItem& item)
{
    if (item.background().style() == Qt::NoBrush)
        return "";
    for (const auto& [shade, mark] : {std::pair{Shade::Year, "Y:"}, {Shade::Leveraged, "L:"}, {Shade::Difference, "D:"}})
        if (item.background().color() == ShadeColour(shade))
            return mark;
    return "?:";
}

// Heads ("group / caption") and cells of a table, one row a line.
std::string dumpGrid(const QTableWidget& grid)
{
    std::string out = "# " + grid.objectName().toStdString() + "\n";
    QStringList heads;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem* head = grid.horizontalHeaderItem(c);
        const QString group = head->data(GroupedHeader::kGroupRole).toString();
        heads << QString((group.isEmpty() ? "" : group + " / ") + head->text()).replace('\n', ' ');
    }
    out += heads.join(" | ").toStdString() + "\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QTableWidgetItem* item = grid.item(r, c);
            EXPECT_TRUE(item && !(item->flags() & Qt::ItemIsEditable)) << r << "," << c;
            cells << (item ? QString::fromStdString(shadeMark(*item)) + item->text().replace('\n', ' ') : "<none>");
        }
        out += cells.join(" | ").toStdString() + "\n";
    }
    return out;
}

// Axis titles, categories and scales, and each series in thousands of dollars.
std::string dumpChart(const QChartView& view)
{
    const QChart& chart = *view.chart();
    QStringList lines{"# " + view.objectName() +
                      (chart.legend()->alignment() == Qt::AlignBottom ? " (legend below)" : "")};
    for (QAbstractAxis* axis : chart.axes()) {
        QString line = (axis->orientation() == Qt::Horizontal ? "x: " : "y: ") + axis->titleText();
        if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis))
            line += " [" + categories->categories().join(" ") + "]";
        else if (auto* values = qobject_cast<QValueAxis*>(axis))
            line += QString(" [%1 to %2]").arg(values->min()).arg(values->max());
        lines << line;
    }
    const auto number = [](double v) { return QString::number(v, 'f', 3); };
    for (QAbstractSeries* series : chart.series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (QBarSet* set : bars->barSets()) {
                QString line = set->label() + ":";
                for (int i = 0; i < set->count(); ++i)
                    line += " " + number(set->at(i));
                lines << line;
            }
        } else if (auto* line = qobject_cast<QXYSeries*>(series)) {
            QString text = line->name() + ":";
            for (const QPointF& p : line->points())
                text += " " + QString::number(p.x()) + "=" + number(p.y());
            lines << text;
        }
    }
    return lines.join("\n").toStdString() + "\n";
}

// The table or chart a page stack shows.
QWidget* shownOf(QWidget* member)
{
    return qobject_cast<QStackedWidget*>(member->parentWidget())->currentWidget();
}

class OutputsTest : public SampleWindowTest {
protected:
    OutputPanel& out() { return window->outputs(); }

    // What the pages show for the selected strategy, and its detailed
    // projection, which shows once the button asks for it.
    std::string snapshot()
    {
        const int type = window->lstStrategyList->currentRow();
        std::string s = "== strategy " + std::to_string(type) + "\n";
        for (QLabel* title : {out().lblSummaryTableTitle, out().lblSummaryChartTitle, out().lblProjectionTableTitle,
                              out().lblProjectionChartTitle})
            s += "title: " + title->text().toStdString() + "\n";
        s += "notes: " + out().txtSummaryTableNotes->toPlainText().replace('\n', "\\n").toStdString() + "\n";
        if (!out().lblRemainingDeductions->isHidden())
            s += "remaining: " + out().lblRemainingDeductions->text().toStdString() + "\n";
        s += dumpGrid(*qobject_cast<QTableWidget*>(shownOf(out().gridSummaryTable[0])));
        s += dumpGrid(*qobject_cast<QTableWidget*>(shownOf(out().gridProjectionTable_Basic[0])));
        if (type < 2)
            s += dumpGrid(*out().gridProjectionTable_Advanced[std::size_t(type)]);
        s += dumpChart(*qobject_cast<QChartView*>(shownOf(out().chartSummaryChart_RRSP)));
        s += dumpChart(*qobject_cast<QChartView*>(shownOf(out().chartProjectionChart_RRSP)));
        return s;
    }
    std::string snapshotOfAll()
    {
        std::string s;
        for (int type : {0, 1, 2}) {
            select(type);
            s += snapshot();
        }
        return s;
    }
};

// The English case has the sample settings; the French one four years
// repeated twice (the term and RRSP loans span twelve) and both deductions
// limited with gains not paying the interest off, so that deduction pools
// remain at the horizon.
TEST_F(OutputsTest, eachStrategyShowsItsTablesChartsAndTitles)
{
    open(English);
    ExpectGolden(snapshotOfAll(), "ui/golden/outputs-english.txt");
    EXPECT_EQ(messages.count("critical"), 0) << messages.take();

    setup.values[Setting::SavingsPeriod] = 4;
    setup.values[Setting::TimesLoanRepeated] = 2;
    setup.values.setFlag(Setting::FedLimitedDeduct, true);
    setup.values.setFlag(Setting::ProvLimitedDeduct, true);
    setup.values[Setting::FedIncludeCapGains] = 1;
    setup.values[Setting::ProjectedReturn3] = 6;
    setup.values[Setting::ProjectionReturn] = 6;
    open(French);
    ExpectGolden(snapshotOfAll(), "ui/golden/outputs-french-limited.txt");
    EXPECT_EQ(messages.count("critical"), 0) << messages.take();
}

// Without auto-calculation the interest-only loan keeps its old results, and
// the charts it shares with the term loan show those, not the term loan's.
TEST_F(OutputsTest, sharedChartsShowTheSelectedStrategysOwnResults)
{
    setup.values[Setting::ProjectedReturn1] = 8;  // two equal returns stay two bars
    open(English);
    const std::string intOnly = snapshot();
    EXPECT_NE(intOnly.find(" 8.0% 8.0%\u200B 10.0% 12.0%]"), std::string::npos) << intOnly;
    select(1);
    const std::string term = snapshot();
    child<QPushButton>(*window, "cmdAutoCalc")->click();
    select(0);
    EXPECT_EQ(snapshot(), intOnly);
    select(1);
    EXPECT_EQ(snapshot(), term);
}

// The largest loan over the longest horizon at the highest return: the
// tables scroll sideways with the year column kept in view, every figure
// whole, and the window keeps its width.
TEST_F(OutputsTest, hugeFiguresScrollWithTheYearInViewAndNeverWidenTheWindow)
{
    setup.values[Setting::LoanAmount] = 99999999;
    setup.values[Setting::SavingsPeriod] = 80;
    setup.values[Setting::ProjectedReturn4] = 50;
    open(French);
    window->resize(1180, 800);
    window->show();
    const int width = window->width();
    for (int type : {0, 1, 2}) {
        select(type);
        window->tabOutputs->setCurrentIndex(0);
        QApplication::processEvents();
        window->tabOutputs->setCurrentIndex(2);
        QApplication::processEvents();
        EXPECT_EQ(window->width(), width) << "strategy " << type;
        std::vector<QTableWidget*> grids{out().gridSummaryTable[std::size_t(type)],
                                         out().gridProjectionTable_Basic[std::size_t(type)]};
        if (type < 2)
            grids.push_back(out().gridProjectionTable_Advanced[std::size_t(type)]);
        for (QTableWidget* grid : grids) {
            SCOPED_TRACE(grid->objectName().toStdString());
            const QFontMetrics fm(grid->font());
            for (int r = 0; r < grid->rowCount(); ++r) {
                for (int c = 0; c < grid->columnCount(); ++c) {
                    for (const QString& line : grid->item(r, c)->text().split('\n'))
                        ASSERT_LE(fm.horizontalAdvance(line), grid->columnWidth(c)) << line.toStdString();
                }
            }
        }
        QTableWidget* wide = type < 2 ? out().gridProjectionTable_Advanced[std::size_t(type)]
                                      : out().gridProjectionTable_Basic[2];
        if (type < 2)
            child<QPushButton>(*window, "cmdAdvancedSettings_Output")->click();
        QApplication::processEvents();
        ASSERT_TRUE(wide->isVisible());
        wide->horizontalScrollBar()->setValue(wide->horizontalScrollBar()->maximum());
        wide->verticalScrollBar()->setValue(wide->verticalScrollBar()->maximum());
        auto* frozen = wide->findChild<QTableView*>(wide->objectName() + "_FrozenColumn");
        ASSERT_TRUE(frozen && frozen->isVisible()) << "strategy " << type;
        EXPECT_EQ(frozen->width(), wide->columnWidth(0));
        EXPECT_EQ(frozen->verticalScrollBar()->value(), wide->verticalScrollBar()->value());
        EXPECT_EQ(frozen->rowAt(frozen->viewport()->height() - 1), wide->rowCount() - 1);
        if (type < 2)
            child<QPushButton>(*window, "cmdAdvancedSettings_Output")->click();
    }
}

// RRSP loans have no return breakdown, so no investment tab; Next and Back
// have nowhere to go.
TEST_F(OutputsTest, theInvestmentTabShowsOnlyForStrategiesWithABreakdown)
{
    open(English);
    window->tabInputs->setCurrentIndex(1);
    select(2);
    EXPECT_FALSE(window->tabInputs->isTabVisible(1));
    EXPECT_EQ(window->tabInputs->currentIndex(), 0);
    EXPECT_FALSE(child<QPushButton>(*window, "cmdNext_Input")->isEnabled());
    select(1);
    EXPECT_TRUE(window->tabInputs->isTabVisible(1));
    child<QPushButton>(*window, "cmdNext_Input")->click();
    EXPECT_EQ(window->tabInputs->currentIndex(), 1);
    child<QPushButton>(*window, "cmdNext_Input")->click();
    EXPECT_EQ(window->tabInputs->currentIndex(), 0);
}

} // namespace
} // namespace gw::test
