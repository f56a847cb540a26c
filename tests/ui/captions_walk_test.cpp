// Opens windows on the shipped caption files, in English and in French, and
// walks everything they show: no text may read "!!!Caption Not Found!!!",
// and no control that carries a caption may show none. To walk another
// window, add a WalkedWindow to windowsToWalk(): how to open it and the
// views of it worth looking at.
#include "fakes.h"
#include "sample_settings.h"
#include "shown_texts.h"
#include "data_sources.h"

#include "mainwindow.h"
#include "outputpanel.h"
#include "tablecaptions.h"
#include "tablewriters.h"

#include <gtest/gtest.h>

#include <QChartView>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

namespace gw::test {
namespace {

// The problems of one view, one line each.
std::vector<std::string> captionProblems(QWidget& window, const std::string& view)
{
    std::vector<std::string> problems;
    const QString notFound = QString::fromUtf8(kCaptionNotFound.data(), qsizetype(kCaptionNotFound.size()));
    for (const ShownText& t : shownTexts(window)) {
        if (t.text.contains(notFound))
            problems.push_back(view + ": " + t.where.toStdString() + " reads \"" + t.text.toStdString() + "\"");
        else if (t.captionExpected && t.text.trimmed().isEmpty())
            problems.push_back(view + ": " + t.where.toStdString() + " shows no text");
    }
    return problems;
}

struct WalkedWindow {
    std::string name;
    // Opens the window on the captions; the fakes answer its messages.
    std::function<std::unique_ptr<QWidget>(const CaptionSource&, RecordingMessages&)> open;
    // Brings the window into each view worth walking and calls walk(view).
    std::function<void(QWidget&, const std::function<void(const std::string&)>& walk)> views;
};

std::unique_ptr<QWidget> openMainWindow(const CaptionSource& captions, RecordingMessages& messages)
{
    MainWindowServices services;
    services.captions = &captions;
    services.messages = &messages;
    auto window = std::make_unique<MainWindow>(services);
    MainWindowSetup setup;
    setup.values = SampleSettingValues();
    setup.sponsor.SponsorName = "Acme";
    setup.isSponsored = true;
    setup.values.setFlag(Setting::FedLimitedDeduct, true);  // shows the limited-deduction inputs and columns
    window->start(setup);
    return window;
}

void mainWindowViews(QWidget& widget, const std::function<void(const std::string&)>& walk)
{
    auto& window = static_cast<MainWindow&>(widget);
    for (int type = 0; type < 3; ++type) {
        window.lstStrategyList->setCurrentRow(type);
        for (int input = 0; input < window.tabInputs->count(); ++input) {
            window.tabInputs->setCurrentIndex(input);
            for (int output = 0; output < window.tabOutputs->count(); ++output) {
                window.tabOutputs->setCurrentIndex(output);
                walk("strategy " + std::to_string(type) + ", input tab " + std::to_string(input) + ", output tab " +
                     std::to_string(output));
            }
        }
    }
    window.tabOutputs->setCurrentIndex(2);
    child<QPushButton>(window, "cmdAdvancedSettings_Output")->click();
    for (int type = 0; type < 2; ++type) {
        window.lstStrategyList->setCurrentRow(type);
        walk("advanced columns, strategy " + std::to_string(type));
    }
    child<QPushButton>(window, "cmdAutoCalc")->click();
    walk("auto-calculation off");
}

std::vector<WalkedWindow> windowsToWalk()
{
    return {{"frmMain", openMainWindow, mainWindowViews}};
}

TEST(CaptionsWalk, everyShownTextIsACaptionInBothLanguages)
{
    for (const WalkedWindow& walked : windowsToWalk()) {
        for (Language language : {English, French}) {
            SCOPED_TRACE(walked.name + (language == French ? " in French" : " in English"));
            TableCaptionSource captions(SourceCaptions(), language);
            RecordingMessages messages;
            std::unique_ptr<QWidget> window = walked.open(captions, messages);
            std::vector<std::string> problems;
            int views = 0;
            walked.views(*window, [&](const std::string& view) {
                ++views;
                for (std::string& p : captionProblems(*window, view))
                    problems.push_back(std::move(p));
            });
            EXPECT_GT(views, 0);
            std::ostringstream report;
            for (std::size_t i = 0; i < problems.size() && i < 40; ++i)
                report << problems[i] << "\n";
            EXPECT_TRUE(problems.empty()) << problems.size() << " problems:\n" << report.str();
            EXPECT_EQ(messages.count("critical"), 0) << messages.lastText().toStdString();
        }
    }
}

// The walk itself must see what it is meant to check.
TEST(CaptionsWalk, findsAMissingCaptionInAMenuAHeadAndAChart)
{
    TableCaptionSource captions(SourceCaptions(), English);
    RecordingMessages messages;
    std::unique_ptr<QWidget> window = openMainWindow(captions, messages);
    auto& main = static_cast<MainWindow&>(*window);
    main.mnuExit->setText(QString::fromUtf8(kCaptionNotFound.data(), qsizetype(kCaptionNotFound.size())));
    main.outputs().gridProjectionTable_Basic[1]->horizontalHeaderItem(2)->setText(QString());
    main.lstStrategyList->setCurrentRow(1);
    main.tabOutputs->setCurrentIndex(1);
    main.outputs().chartSummaryChart_IntTerm->chart()->axes(Qt::Vertical).front()->setTitleText(QString());
    const std::vector<std::string> problems = captionProblems(*window, "view");
    const auto reported = [&](const std::string& part) {
        return std::any_of(problems.begin(), problems.end(),
                           [&](const std::string& p) { return p.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(reported("mnuExit reads"));
    EXPECT_TRUE(reported("gridProjectionTable_Basic1 column 2 shows no text"));
    EXPECT_TRUE(reported("chartSummaryChart_IntTerm axis shows no text"));
}

} // namespace
} // namespace gw::test
