// Every window of the program, started in English and in French on the
// shipped caption files, walked through its pages and made to give its
// messages: no text may read "!!!Caption Not Found!!!" or keep an unfilled
// "<n>", and no control that carries a caption may show none. A language
// switch leaves the windows as a program started in that language shows
// them. The start window is left out: its texts are fixed.
#include "program_fixture.h"
#include "sample_settings.h"

namespace gw::test {
namespace {

class Walk {
public:
    std::vector<std::string> problems;
    int views = 0;

    void look(QWidget& window, const std::string& view)
    {
        ++views;
        for (const ShownText& t : shownTexts(window)) {
            // The times-loan-repeated frame only groups its captioned field.
            const bool uncaptioned = t.where == QLatin1String("fraTimesLoanRepeated");
            check(view + ": " + t.where.toStdString(), t.text, t.captionExpected && !uncaptioned);
        }
    }
    void check(const std::string& at, const QString& text, bool captionExpected)
    {
        static const QRegularExpression placeholder(QStringLiteral("<[1-9][0-9]?>"));
        if (text.contains(QString::fromUtf8(kCaptionNotFound.data(), qsizetype(kCaptionNotFound.size()))))
            problems.push_back(at + " reads \"" + text.toStdString() + "\"");
        else if (text.contains(placeholder))
            problems.push_back(at + " keeps a placeholder: \"" + text.toStdString() + "\"");
        else if (captionExpected && text.trimmed().isEmpty())
            problems.push_back(at + " shows no text");
    }
};

void walkMainWindow(MainWindow& window, Walk& walk, const std::string& stage)
{
    for (int type = 0; type < 3; ++type) {
        window.lstStrategyList->setCurrentRow(type);
        for (int input = 0; input < window.tabInputs->count(); ++input) {
            window.tabInputs->setCurrentIndex(input);
            for (int output = 0; output < window.tabOutputs->count(); ++output) {
                window.tabOutputs->setCurrentIndex(output);
                walk.look(window, stage + ", strategy " + std::to_string(type) + ", input tab " +
                                      std::to_string(input) + ", output tab " + std::to_string(output));
            }
        }
    }
    window.tabOutputs->setCurrentIndex(2);
    for (int type = 0; type < 2; ++type) {
        window.lstStrategyList->setCurrentRow(type);
        window.cmdAdvancedSettings_Output->click();
        walk.look(window, stage + ", detailed projection, strategy " + std::to_string(type));
        window.cmdAdvancedSettings_Output->click();
    }
    window.cmdAutoCalc->click();
    walk.look(window, stage + ", auto-calculation off");
    window.cmdAutoCalc->click();
}

// Every tab with each deduction option, and the messages of its fields;
// leaves the federal deduction limited, so that the main window shows its
// limited-deduction inputs.
void walkSetup(Program& program, Walk& walk)
{
    ProgramSetup& setup = *program.setupDialog();
    whenShown(&setup, [&] {
        for (int tab = 1; tab <= 3; ++tab) {
            setup.selectTab(tab);
            walk.look(setup, "setup, tab " + std::to_string(tab));
        }
        setup.selectTab(2);
        setup.deduction[0].optLimitedDeduct->click();
        walk.look(setup, "setup, federal deduction limited");
        setup.deduction[1].optLimitedDeduct->click();
        walk.look(setup, "setup, both deductions limited");
        setup.deduction[1].optPercentDeduct->click();
        for (QLineEdit* box : {setup.txtCapGainsInclusionRate, setup.txtFederalToMTRRatio,
                               setup.deduction[0].txtInterestDeductibility})
        {
            enter(box, "abc");
            enter(box, "150");
        }
        setup.cmdOk->click();
    });
    program.mainWindow()->mnuSetupItem[1]->trigger();
}

// Every field of the input panel past its ends, and past the sponsor's
// warning levels.
void provokeInputMessages(MainWindow& window)
{
    InputPanel& in = window.inputs();
    window.lstStrategyList->setCurrentRow(1);
    for (QLineEdit* box : {in.txtTaxRate, in.txtIntRate, in.txtSavingsPeriod, in.txtReturn[0], in.txtLoanAmount})
    {
        enter(box, "abc");
        enter(box, "-1000");
    }
    enter(in.txtSavingsPeriod, "1.5");
    enter(in.txtReturn[1], "1000");
    window.inputs().timesLoanRepeatedBox()->setText("3");
    enter(in.txtSavingsPeriod, "30");
    in.optAnnualInvestment->click();
    enter(in.txtAnnualInvestment, "-5");
    for (QPushButton* explanation : window.findChildren<QPushButton*>(QRegularExpression("^cmdWT")))
        explanation->click();
}

void walkDetailDialogs(Program& program, Walk& walk)
{
    MainWindow& window = *program.mainWindow();
    AdvancedDetails& advanced = program.detailDialogs()->advancedDetails();
    for (int type = 0; type < 3; ++type) {
        window.lstStrategyList->setCurrentRow(type);
        for (int input = 0; input < window.tabInputs->count(); ++input) {
            window.tabInputs->setCurrentIndex(input);
            emit window.advancedDetailsRequested();
            walk.look(advanced, "advanced details, strategy " + std::to_string(type) + ", input tab " +
                                    std::to_string(input));
            // Every message the dialog can give.
            advanced.txtTimesLoanRepeated->setText("90");
            advanced.leaveTimesLoanRepeated();
            for (const char* typed : {"101", "x", "1.5"}) {
                advanced.breakdown.fields[0]->setText(typed);
                advanced.leaveBreakdownField(0);
            }
            advanced.checkDistributions();
            advanced.cmdTimesLoanRepeated->click();
            advanced.cmdCancel->click();
        }
    }
    window.lstStrategyList->setCurrentRow(0);
    emit window.customInvestmentMixRequested();
    if (CustomInvestmentMix* mix = program.detailDialogs()->customInvestmentMix()) {
        walk.look(*mix, "custom investment mix");
        mix->cmdCancel->click();
    } else {
        walk.problems.push_back("the custom investment mix dialog did not open");
    }
}

void walkPrintAboutAndHelp(Program& program, Walk& walk)
{
    MainWindow& window = *program.mainWindow();
    PrintOptions& print = *program.printDialog();
    whenShown(&print, [&] {
        walk.look(print, "print dialog");
        enter(print.txtCopies, "150");
        print.cmdCancel->click();
    });
    window.mnuPrint->trigger();

    window.mnuAboutSoftware->trigger();
    walk.look(*program.aboutBox(), "About box");
    program.aboutBox()->cmdDisclaimer->click();
    program.aboutBox()->cmdOk->click();

    window.mnuHelpMenu0->trigger();
    walk.look(*program.helpWindow(), "help window");
}

TEST(Captions, everyWindowAndMessageShowsCaptionsInBothLanguages)
{
    const std::pair<const char*, ConfigEdits> sponsors[] = {{"not sponsored", {}}, {"QZX sponsor", qzxSponsor()}};
    for (const auto& [sponsor, edits] : sponsors) {
        for (int language : {English, French}) {
            SCOPED_TRACE(std::string(sponsor) + (language == French ? ", French" : ", English"));
            ProgramOnData data(edits);
            MainWindow& window = data.start(language);
            Program& program = *data.program;
            Walk walk;
            walkMainWindow(window, walk, "main window");
            walkSetup(program, walk);
            walkMainWindow(window, walk, "main window, federal deduction limited");
            walkDetailDialogs(program, walk);
            walkPrintAboutAndHelp(program, walk);
            provokeInputMessages(window);

            EXPECT_GT(walk.views, 50);
            EXPECT_GT(data.messages.count("information"), 40);
            EXPECT_EQ(data.messages.count("question"), 2);  // the sponsor's return and loan-rate warnings
            for (const auto& m : data.messages.messages) {
                walk.check("message title", m.title, true);
                walk.check("message \"" + m.text.left(40).toStdString() + "\"", m.text, true);
            }
            std::ostringstream report;
            for (std::size_t i = 0; i < walk.problems.size() && i < 40; ++i)
                report << walk.problems[i] << "\n";
            EXPECT_TRUE(walk.problems.empty()) << walk.problems.size() << " problems:\n" << report.str();
            EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();
            EXPECT_EQ(data.messages.count("critical"), 0) << data.messages.lastText().toStdString();
        }
    }
}

// On captions that read "[key]", every text the windows show is a caption:
// nothing is written into a window past the caption files. Numbers, symbols
// and the sponsor's name aside.
TEST(Captions, everyTextOfTheWindowsIsACaption)
{
    MapCaptions captions;
    RecordingMessages messages;
    RecordingHelp help;
    MainWindowServices services;
    services.captions = &captions;
    services.messages = &messages;
    services.help = &help;
    MainWindow window(services);
    DetailDialogs* dialogs = attachDetailDialogs(window, &help);
    MainWindowSetup values;
    values.values = SampleSettingValues();
    values.values.setFlag(Setting::FedLimitedDeduct, true);
    values.sponsor.SponsorName = "Acme";
    values.isSponsored = true;
    window.start(values);
    ProgramSetup setup(ProgramSetup::Services{&captions, &messages, &help, {}});
    setup.load(values.values);
    dialogs->openCustomInvestmentMix();
    ASSERT_NE(dialogs->customInvestmentMix(), nullptr);
    static const QRegularExpression caption(QStringLiteral(R"(^(\[[^\]]+\] ?|[?%]|[0-9:%]+|Acme)$)"));
    for (QWidget* shown : std::initializer_list<QWidget*>{&window, &setup, &dialogs->advancedDetails(),
                                                          dialogs->customInvestmentMix()}) {
        for (const ShownText& t : shownTexts(*shown)) {
            if (!t.field && !t.text.isEmpty() && !caption.match(t.text).hasMatch())
                ADD_FAILURE() << t.where.toStdString() << " shows \"" << t.text.toStdString() << "\"";
        }
    }
}

// ---- language switch ----

// What a user has done before switching: the About box and the advanced
// details opened and closed (both are kept hidden), help on topic 101 left
// open, the term loan selected.
void useTheWindows(Program& program)
{
    MainWindow& window = *program.mainWindow();
    window.lstStrategyList->setCurrentRow(1);
    window.mnuAboutSoftware->trigger();
    program.aboutBox()->cmdOk->click();
    emit window.advancedDetailsRequested();
    program.detailDialogs()->advancedDetails().cmdCancel->click();
    window.mnuGeneralNotes1[0]->trigger();
}

void switchThroughSetup(Program& program, int language)
{
    ProgramSetup& setup = *program.setupDialog();
    whenShown(&setup, [&] {
        setup.cboLanguages->setCurrentIndex(language);
        setup.cmdOk->click();
    });
    program.mainWindow()->mnuSetupItem[3]->trigger();
}

// The texts by place, for comparing two windows.
std::map<QString, ShownText> textsByPlace(QWidget& window)
{
    std::map<QString, ShownText> texts;
    for (const ShownText& t : shownTexts(window)) {
        QString key = t.where;
        for (int n = 2; texts.count(key); ++n)
            key = t.where + " #" + QString::number(n);
        texts[key] = t;
    }
    return texts;
}

// Every text, field and table head of the switched windows, the open help
// page included, equals what the same windows show when the program starts
// in French.
TEST(LanguageSwitch, switchedWindowsShowWhatAFrenchStartShows)
{
    ProgramOnData switched;
    switched.start(English);
    useTheWindows(*switched.program);
    switchThroughSetup(*switched.program, French);
    EXPECT_EQ(switched.program->settings().CurrentLanguage, French);

    ProgramOnData french;
    french.start(French);
    useTheWindows(*french.program);
    switchThroughSetup(*french.program, French);  // the setup dialog has been shown once in both

    const auto windowsOf = [](Program& p) {
        return std::vector<std::pair<std::string, QWidget*>>{
            {"main window", p.mainWindow()},       {"setup dialog", p.setupDialog()},
            {"print dialog", p.printDialog()},     {"About box", p.aboutBox()},
            {"advanced details", &p.detailDialogs()->advancedDetails()}, {"help window", p.helpWindow()},
        };
    };
    const auto got = windowsOf(*switched.program);
    const auto want = windowsOf(*french.program);
    for (std::size_t w = 0; w < got.size(); ++w) {
        SCOPED_TRACE(got[w].first);
        const std::map<QString, ShownText> a = textsByPlace(*got[w].second);
        const std::map<QString, ShownText> b = textsByPlace(*want[w].second);
        ASSERT_EQ(a.size(), b.size());
        int differences = 0;
        for (const auto& [where, shown] : b) {
            const auto found = a.find(where);
            const QString text = found == a.end() ? QStringLiteral("(none)") : found->second.text;
            // A rate the switch left as "8.0" reads as 8 in French too; the
            // number must be the same, the writing may differ.
            const bool same = shown.field ? IsNumericText(text, French) == IsNumericText(shown.text, French) &&
                                                FieldNumber(text, French) == FieldNumber(shown.text, French)
                                          : text == shown.text;
            if (!same && ++differences <= 20)
                ADD_FAILURE() << where.toStdString() << ": \"" << text.toStdString() << "\", a French start shows \""
                              << shown.text.toStdString() << "\"";
        }
        EXPECT_EQ(differences, 0);
    }
    EXPECT_TRUE(switched.program->helpWindow()->isVisible());
    EXPECT_EQ(switched.messages.count("critical"), 0) << switched.messages.lastText().toStdString();
}

// The returns keep their one-decimal writing both ways ("8,0" in French,
// "8.0" back in English), a typed "6.25" its two decimals, and the next
// analysis reads the same figures.
TEST(LanguageSwitch, fieldsAreRewrittenSoThatTheyReadTheSame)
{
    ProgramOnData data;
    MainWindow& window = data.start(English);
    InputPanel& inputs = window.inputs();
    inputs.txtReturn[0]->setText("8");
    inputs.txtReturn[1]->setText("6.25");
    const AnalysisInputs before = window.currentInputs();
    const auto returns = [&] {
        QStringList texts;
        for (QLineEdit* box : {inputs.txtReturn[0], inputs.txtReturn[1], inputs.txtReturn[2], inputs.txtReturn[3],
                               inputs.txtProjectionReturn[0], inputs.txtProjectionReturn[1], inputs.txtLoanAmount})
            texts << box->text();
        return texts.join(" ").toStdString();
    };
    // The shipped defaults: returns of 4, 6, 8 and 10 %, the projection at
    // the third, a loan of $100,000.
    switchThroughSetup(*data.program, French);
    EXPECT_EQ(returns(), "8,0 6,25 8,0 10,0 8,0 8,0 100 000 $");
    EXPECT_EQ(window.currentInputs(), before);
    switchThroughSetup(*data.program, English);
    EXPECT_EQ(returns(), "8.0 6.25 8.0 10.0 8.0 8.0 $100,000");
    EXPECT_EQ(window.currentInputs(), before);
    EXPECT_TRUE(data.messages.messages.empty()) << data.messages.lastText().toStdString();
}

} // namespace
} // namespace gw::test
