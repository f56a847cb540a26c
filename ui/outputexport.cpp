#include "outputexport.h"

#include "captionsource.h"
#include "messages.h"
#include "outcomespanel.h"
#include "outputpanel.h"
#include "tableexport.h"
#include "tablewriters.h"

#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace gw {

namespace {

bool isTable(OutputExport::Kind kind)
{
    return kind == OutputExport::Kind::SummaryTable || kind == OutputExport::Kind::ProjectionTable ||
           kind == OutputExport::Kind::OutcomesTable;
}

bool isOutcomes(OutputExport::Kind kind)
{
    return kind == OutputExport::Kind::OutcomesTable || kind == OutputExport::Kind::OutcomesChart;
}

// The output page the export comes from (tabOutputs).
int pageOf(OutputExport::Kind kind)
{
    switch (kind) {
    case OutputExport::Kind::SummaryTable:
        return 0;
    case OutputExport::Kind::SummaryChart:
        return 1;
    case OutputExport::Kind::ProjectionTable:
        return 2;
    case OutputExport::Kind::OutcomesTable:
    case OutputExport::Kind::OutcomesChart:
        return 4;
    case OutputExport::Kind::ProjectionChart:
        break;
    }
    return 3;
}

// A menu entry's text as a title: no mnemonic, no trailing dots.
QString asTitle(QString entry)
{
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    static const QRegularExpression dots(QStringLiteral("(\\.\\.\\.|\u2026)$"));
    return entry.replace(mnemonic, QStringLiteral("\\1")).remove(dots).trimmed();
}

} // namespace

OutputExport::OutputExport(const CaptionSource& captions, MessageService& messages, SaveFileService* files,
                           OutputPanel& outputs, OutcomesPanel& outcomes)
    : captions_(captions), messages_(messages), files_(files), outputs_(outputs), outcomes_(outcomes)
{
}

std::string_view OutputExport::entryKey(Kind kind)
{
    switch (kind) {
    case Kind::SummaryTable:
        return "mnuExportSummaryTable";
    case Kind::ProjectionTable:
        return "mnuExportProjectionTable";
    case Kind::SummaryChart:
        return "mnuExportSummaryChart";
    case Kind::OutcomesTable:
        return "mnuExportOutcomesTable";
    case Kind::OutcomesChart:
        return "mnuExportOutcomesChart";
    case Kind::ProjectionChart:
        break;
    }
    return "mnuExportProjectionChart";
}

bool OutputExport::run(Kind kind, const Source& source)
{
    const QString title = asTitle(caption(entryKey(kind)));
    const bool missing = isOutcomes(kind) ? !source.outcomes || source.outcomes->strategy != source.strategy
                                          : !source.results || StrategyOf(*source.results) != source.strategy;
    if (missing) {
        messages_.warning(title, caption("errorNoResultsToExport"));
        return false;
    }
    if (!files_)
        return false;
    const bool table = isTable(kind);
    const QString filters =
        table ? caption("ExportFilterCSV") : caption("ExportFilterPNG") + QStringLiteral(";;") + caption("ExportFilterSVG");
    QString path = files_->askSaveFileName(title, suggestedPath(kind, source.strategy), filters);
    if (path.isEmpty())
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (table && suffix != QLatin1String("csv"))
        path += QStringLiteral(".csv");
    else if (!table && suffix != QLatin1String("png") && suffix != QLatin1String("svg"))
        path += QStringLiteral(".png");
    lastFolder_ = QFileInfo(path).absolutePath();

    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && table) {
        const std::string csv = tableCsv(kind, source);
        written = file.write(csv.data(), qint64(csv.size())) == qint64(csv.size());
    } else if (written) {
        // The shared charts of interest-only and term loans get this
        // strategy's figures and labels first.
        const bool rrsp = source.strategy == Strategy::RRSP;
        QChartView* view = nullptr;
        if (kind == Kind::OutcomesChart) {
            view = outcomes_.chtOutcomes;
        } else if (kind == Kind::SummaryChart) {
            outputs_.formatSummaryChart(source.strategy);
            view = rrsp ? outputs_.chartSummaryChart_RRSP : outputs_.chartSummaryChart_IntTerm;
        } else {
            outputs_.formatProjectionChart(source.strategy);
            view = rrsp ? outputs_.chartProjectionChart_RRSP : outputs_.chartProjectionChart_IntTerm;
        }
        const ImageFormat format = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ? ImageFormat::Svg
                                                                                               : ImageFormat::Png;
        written = WriteChartImage(*view->chart(), format, QSizeF(kChartWidth, kChartHeight), file);
    }
    if (written)
        written = file.commit();
    if (!written)
        messages_.critical(title, caption("errorExportFailed", {QDir::toNativeSeparators(path).toStdString()}));
    return written;
}

std::string OutputExport::tableCsv(Kind kind, const Source& source) const
{
    if (kind == Kind::OutcomesTable) {
        const OutcomeResults& outcomes = *source.outcomes;
        return TableCsv(OutcomeColumns(source.strategy, outcomes.horizon, captions_), OutcomeFigures(outcomes));
    }
    const AnalysisResults& results = *source.results;
    if (kind == Kind::SummaryTable)
        return TableCsv(SummaryColumns(source.strategy, captions_), SummaryFigures(results));
    if (source.advancedView && source.strategy != Strategy::RRSP) {
        return TableCsv(AdvancedProjectionColumns(source.strategy, DeductionLimited(results), captions_),
                        AdvancedProjectionFigures(results));
    }
    return TableCsv(BasicProjectionColumns(source.strategy, captions_), BasicProjectionFigures(results));
}

QString OutputExport::suggestedPath(Kind kind, Strategy strategy) const
{
    const QString name = QStringLiteral("Gearwise Planner - ") +
                         FileNamePart(caption(captionKey("lstStrategyList.listindex", Index(strategy)))) +
                         QStringLiteral(" - ") + FileNamePart(caption(captionKey("tabOutputs.tab", pageOf(kind)))) +
                         (isTable(kind) ? QStringLiteral(".csv") : QStringLiteral(".png"));
    // Never the current folder, which is the program's.
    QString folder = lastFolder_;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
}

QString OutputExport::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

} // namespace gw
