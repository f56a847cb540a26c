#pragma once

#include "dispatch.h"
#include "outcomes.h"

#include <QString>

#include <string_view>
#include <vector>

namespace gw {

class CaptionSource;
class MessageService;
class OutcomesPanel;
class OutputPanel;
class SaveFileService;

// File > Export of the main window: the selected strategy's summary table,
// projection table and range-of-outcomes table as CSV files
// (tableexport.h), its charts and the fan chart as PNG or SVG images, by the extension of the name chosen (PNG when it has
// neither). The file names come from the save-file service; the first is
// suggested in the user's documents folder, the next ones where the last
// went.
class OutputExport {
public:
    enum class Kind { SummaryTable, ProjectionTable, SummaryChart, ProjectionChart, OutcomesTable, OutcomesChart };
    static constexpr Kind kKinds[] = {Kind::SummaryTable,    Kind::ProjectionTable, Kind::SummaryChart,
                                      Kind::ProjectionChart, Kind::OutcomesTable,   Kind::OutcomesChart};
    // The charts are drawn at this size, whatever the window's, in pixels
    // at 96 dots per inch.
    static constexpr int kChartWidth = 960;
    static constexpr int kChartHeight = 600;

    struct Source {
        Strategy strategy = Strategy::InterestOnly;
        // Null when there are none to export (then it says so).
        const AnalysisResults* results = nullptr;
        // The projection table on show has the detailed columns.
        bool advancedView = false;
        // The range of outcomes on show; null when there is none.
        const OutcomeResults* outcomes = nullptr;
    };

    // `files` may be null: nothing is exported then.
    OutputExport(const CaptionSource& captions, MessageService& messages, SaveFileService* files,
                 OutputPanel& outputs, OutcomesPanel& outcomes);

    // The caption key of the menu entry of `kind`.
    static std::string_view entryKey(Kind kind);

    // Asks for a file name and writes the file; a missing result or a file
    // that could not be written is reported in a message. True when a file
    // was written.
    bool run(Kind kind, const Source& source);

private:
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;
    QString suggestedPath(Kind kind, Strategy strategy) const;
    std::string tableCsv(Kind kind, const Source& source) const;

    const CaptionSource& captions_;
    MessageService& messages_;
    SaveFileService* files_;
    OutputPanel& outputs_;
    OutcomesPanel& outcomes_;
    QString lastFolder_;
};

} // namespace gw
