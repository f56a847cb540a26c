// The help as a newcomer meets it, in English and in French: each entry of
// the help menu and each window's Help button or F1 opens the page its label
// names, the pages speak of the columns and fields in the windows' own words,
// the help window is titled with its page and closes with Esc, and every
// menu can be reached from the keyboard.
#include "window_test.h"

#include <QTextDocument>

namespace gw::test {
namespace {

constexpr std::array<Language, 2> kBothLanguages{English, French};

QString readPage(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Spaces (non-breaking ones too) collapsed, typographic apostrophes as plain
// ones: how a text reads.
QString normalized(QString text)
{
    return text.replace(QChar(0x00A0), u' ').replace(QChar(0x202F), u' ').replace(QChar(0x2019), u'\'').simplified();
}

// The text of HTML as a reader sees it.
QString asRead(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return normalized(document.toPlainText());
}

// The contents of a page's first `tag` element, as read.
QString element(const QString& html, const QString& tag)
{
    const QRegularExpression pattern(QStringLiteral("<%1>(.*?)</%1>").arg(tag), QRegularExpression::DotMatchesEverythingOption);
    return asRead(pattern.match(html).captured(1));
}

// The page the help window shows: of the language, with its <title> and
// <h1> the window's title. Returns that title.
QString checkShownPage(HelpWindow& help, Language language)
{
    EXPECT_TRUE(help.pageFound());
    EXPECT_TRUE(help.isVisible());
    const QFileInfo page(help.currentPage().toLocalFile());
    EXPECT_EQ(page.dir().dirName(), HelpSetFolder(language));
    const QString html = readPage(page.filePath());
    EXPECT_EQ(element(html, "title"), normalized(help.windowTitle()));
    EXPECT_EQ(element(html, "h1"), normalized(help.windowTitle()));
    const QString title = help.windowTitle();
    help.hide();
    return title;
}

// Every help menu entry opens the page titled with its label; every window's
// help opens the page titled with what the window shows (its name, the tab
// on show), or the label of the menu entry for the same subject.
TEST(HelpTopics, everyMenuEntryAndEveryWindowOpensThePageItsLabelNames)
{
    for (Language language : kBothLanguages) {
        SCOPED_TRACE(language == French ? "French" : "English");
        ProgramOnData data;
        MainWindow& window = data.start(language);
        Program& program = *data.program;
        HelpWindow& help = *program.helpWindow();
        const auto caption = [&](std::string_view key) { return lookUp(program.captions(), key); };
        const auto label = [](const QAction* entry) { return withoutMnemonic(entry->text()); };

        std::function<void(QMenu*)> openEntries = [&](QMenu* menu) {
            for (QAction* entry : menu->actions()) {
                if (entry->menu()) {
                    openEntries(entry->menu());
                } else if (!entry->isSeparator() && entry != window.mnuAboutSoftware && entry != window.mnuAboutSponsor) {
                    SCOPED_TRACE(entry->objectName().toStdString());
                    entry->trigger();
                    EXPECT_EQ(checkShownPage(help, language), label(entry));
                }
            }
        };
        openEntries(window.mnuHelp);

        // How a window asks for help, and the names its page's title holds.
        struct WindowHelp {
            std::string what;
            std::function<void()> ask;
            QStringList names;
        };
        std::vector<WindowHelp> rows;
        for (int type = 0; type < 3; ++type) {
            for (int tab = 0; tab < window.tabOutputs->count(); ++tab) {
                // The range of outcomes has one page for every strategy.
                QStringList names{caption(captionKey("tabOutputs.tab", tab))};
                if (tab != MainWindow::kOutcomesTab)
                    names << caption(captionKey("lstStrategyList.listindex", type));
                const auto select = [&window, type, tab] {
                    window.lstStrategyList->setCurrentRow(type);
                    window.tabOutputs->setCurrentIndex(tab);
                };
                rows.push_back({"cmdHelp, strategy " + std::to_string(type) + ", output tab " + std::to_string(tab),
                                [&window, select] { select(); window.cmdHelp->click(); }, names});
            }
        }
        // F1 in the main window, with the focus on `focus`.
        const auto pressF1 = [&window](QWidget* focus) {
            focus->setFocus();
            for (QShortcut* key : window.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
                if (key->key() == QKeySequence(Qt::Key_F1))
                    emit key->activated();
        };
        rows.push_back({"F1 on the output side", [&] {
                            window.tabOutputs->setCurrentIndex(3);
                            pressF1(window.tabOutputs);
                        }, {caption("tabOutputs.tab(3)")}});
        rows.push_back({"F1 on the input side", [&] { pressF1(window.inputs().txtTaxRate); },
                        {help.topicTitle(MainWindow::kInputsHelpTopic, language)}});
        ProgramSetup& setup = *program.setupDialog();
        for (int tab = 1; tab <= 3; ++tab)
            rows.push_back({"setup dialog, tab " + std::to_string(tab),
                            [&setup, tab] { setup.selectTab(tab); setup.cmdHelp->click(); },
                            {caption("frmProgramSetup"), caption(captionKey("tabSetup.tabcaption", tab))}});
        AdvancedDetails& advanced = program.detailDialogs()->advancedDetails();
        rows.push_back({"advanced details", [&] { advanced.cmdHelp->click(); },
                        {caption("frmAdvancedDetails"), caption("fraBreakdownOfGrossReturn")}});
        rows.push_back({"F1 in the custom investment mix", [&] {
                            window.lstStrategyList->setCurrentRow(0);
                            emit window.customInvestmentMixRequested();
                            CustomInvestmentMix* mix = program.detailDialogs()->customInvestmentMix();
                            ASSERT_NE(mix, nullptr);
                            QTest::keyClick(mix, Qt::Key_F1);
                            mix->cmdCancel->click();
                        }, {caption("fraBreakdownOfGrossReturn")}});
        rows.push_back({"print dialog", [&] { program.printDialog()->cmdHelp->click(); },
                        {label(window.mnuGeneralNotes1[5])}});
        rows.push_back({"F1 in the About box", [&] {
                            window.mnuAboutSoftware->trigger();
                            QTest::keyClick(program.aboutBox(), Qt::Key_F1);
                            program.aboutBox()->cmdOk->click();
                        }, {label(window.mnuAboutCorvin[0])}});

        for (const WindowHelp& row : rows) {
            SCOPED_TRACE(row.what);
            help.hide();
            row.ask();
            const QString title = checkShownPage(help, language);
            for (const QString& name : row.names)
                EXPECT_TRUE(title.contains(name, Qt::CaseInsensitive)) << title.toStdString() << " / " << name.toStdString();
        }
    }
}

// The captions a page must name verbatim, by topic: the columns of the
// tables and charts it explains, the fields and choices of its window.
struct PageWords {
    int topic;
    std::vector<const char*> keys;
};
const std::vector<PageWords> kPageWords{
    {201, {"optLoanAmount", "optAnnualInvestment_Int_RRSP", "optAnnualInvestment_Term", "lblTaxRate", "lblIntRate",
           "lblSavingsPeriod_Int", "lblSavingsPeriod_Term_RRSP", "lblReturnsHeader", "lblProjectionReturn",
           "lblInvestmentLoanType", "lblOtherUnlevInvest", "fraBasicBreakdown", "optRegularEquity", "optTaxEfficient",
           "optDeferredCapitalGains", "optBalancedFund", "optDividends", "optInterest", "optCustomInvestmentMix",
           "lblTimesLoanRepeated", "cmdAutoCalc_OFF", "cmdAutoCalc_ON"}},
    {104, {"fraBreakdownOfGrossReturn", "lblDeferredCapitalGains", "lblCapitalGains", "lblDividends", "lblInterest",
           "lblTimesLoanRepeated", "optCustomInvestmentMix"}},
    {108, {"lblTaxTableHeading", "lblTableColOne", "lblTableColTwo", "lblTableColThree", "lblCapitalGainsInclusionRate",
           "lblFederalToMTRRatio"}},
    {109, {"lblFedTaxInterestDeductibility", "lblProvTaxInterestDeductibility", "optPercentDeduct", "optLimitedDeduct",
           "lblIncludeCapitalGains"}},
    {110, {"lblCurrentLanguage"}},
    {106, {"chkPrint(0)", "chkPrint(1)", "chkPrint(2)", "chkName", "chkPrintCompanyName", "optPrintSignatures",
           "optPrintChecklist", "optPrintLegalDisclaimer", "lblCopies"}},
    {501, {"optLoanAmount", "optAnnualInvestment_Int_RRSP", "lblSavingsPeriod_Int", "NoLeverage", "Leverage"}},
    {502, {"optLoanAmount", "optAnnualInvestment_Term", "lblSavingsPeriod_Term_RRSP", "lblTimesLoanRepeated",
           "NoLeverage", "Leverage"}},
    {503, {"optLoanAmount", "optAnnualInvestment_Int_RRSP", "lblSavingsPeriod_Term_RRSP", "lblTimesLoanRepeated",
           "CatchUpLoan", "SpendRefund", "ReinvestRefund", "GrossUp"}},
    {105, {"NoLeverage", "Leverage", "$Increase", "%Increase", "cmdAdvancedSettings_Advanced"}},
    {801, {"Return", "NoLeverage", "Leverage", "$Increase", "%Increase"}},
    {805, {"Return", "NoLeverage", "Leverage", "$Increase", "%Increase"}},
    {809, {"Return", "CatchUpLoan", "SpendRefund", "ReinvestRefund", "GrossUp"}},
    {802, {"NoLeverage", "Leverage", "$Increase", "SummaryXAxis"}},
    {806, {"NoLeverage", "Leverage", "$Increase", "SummaryXAxis"}},
    {810, {"CatchUpLoan", "SpendRefund", "ReinvestRefund", "GrossUp", "SummaryXAxis"}},
    {804, {"NoLeverage", "Leverage", "ProjectionYAxis"}},
    {808, {"NoLeverage", "Leverage", "ProjectionYAxis"}},
    {812, {"CatchUpLoan", "SpendRefund", "ReinvestRefund", "GrossUp", "ProjectionYAxis"}},
    {803, {"EndOfYear", "NoLeverage", "Leverage", "$Increase", "%Increase", "cmdAdvancedSettings_Advanced",
           "cmdAdvancedSettings_Basic", "BTBalance", "ATDistrib", "ACB", "AfterTaxInvestment",
           "FederalInvestmentExpenseDeducted", "ProvincialInvestmentExpenseDeducted", "FederalTotalUndeductedExpenses",
           "ProvincialTotalUndeductedExpenses", "BalancePayoff", "Comparison"}},
    {807, {"EndOfYear", "NoLeverage", "Leverage", "$Increase", "%Increase", "cmdAdvancedSettings_Advanced",
           "cmdAdvancedSettings_Basic", "AnnInvest", "BTBalance", "ATDistrib", "ACB", "BalancePayoff", "LoanBalance",
           "IntPartOfPmt", "LoanReduction", "PmtDeduction", "AfterTaxInvestment", "FederalInvestmentExpenseDeducted",
           "ProvincialInvestmentExpenseDeducted", "FederalTotalUndeductedExpenses",
           "ProvincialTotalUndeductedExpenses", "Comparison"}},
    {813, {"tabOutputs.tab(4)", "lblVolatility", "lblOutcomePaths", "lblOutcomeSeed", "OutcomesChanceBehind",
           "OutcomesChanceBelowZero", "NoLeverage", "Leverage", "CatchUpLoan", "GrossUp", "ProjectionYAxis",
           "optRegularEquity", "optBalancedFund", "optInterest", "mnuSaveDefaults", "mnuExport"}},
    {811, {"EndOfYear", "CatchUpShort", "Spend", "Reinvest", "GrossUpShort", "Contrib", "RRSPValue", "%IncreaseShort"}},
};

// Names the windows do not show, which earlier pages used.
const std::array<std::vector<QString>, 2> kWrongWords{{
    {"No leverage", "$ Increase", "% Increase", "Before-tax balance", "Balance after payoff", "e-mail"},
    {"Augmentation ($)", "Augmentation (%)", "Solde avant impôt", "Solde après remboursement", "courriel"},
}};

// The pages name the windows' labels verbatim (a trailing colon aside) and
// none of the names the windows do not show; the menu paths they give are
// the menus' labels.
TEST(HelpPages, nameTheColumnsAndFieldsInTheWindowsOwnWords)
{
    MapCaptions captions;
    HelpWindow help(captions);
    for (Language language : kBothLanguages) {
        SCOPED_TRACE(language == French ? "French" : "English");
        const auto caption = [language](const char* key) {
            QString text = QString::fromStdString(GetCaption(SourceCaptions(), key, language));
            text.replace(QChar(0x2019), u'\'');
            return withoutMnemonic(text).remove(QRegularExpression(QStringLiteral("\\s*:$"))).simplified();
        };
        for (const PageWords& page : kPageWords) {
            SCOPED_TRACE("topic " + std::to_string(page.topic));
            const QString text = asRead(readPage(help.pagePath(page.topic, language)));
            ASSERT_FALSE(text.isEmpty());
            for (const char* key : page.keys)
                EXPECT_TRUE(text.contains(caption(key))) << key << ": " << caption(key).toStdString();
        }
        std::set<QString> menuLabels;
        const CaptionTables& tables = SourceCaptions();
        for (const std::string& line : language == French ? tables.french : tables.english) {
            const QString keyAndText = QString::fromStdString(line);
            if (keyAndText.startsWith("mnu"))
                menuLabels.insert(withoutMnemonic(keyAndText.section(u'=', 1)));
        }
        static const QRegularExpression menuPath(QStringLiteral("<b>([^<]*?) &gt; ([^<]*?)</b>"));
        const QDir folder(QDir(help.helpRoot()).filePath(HelpSetFolder(language)));
        for (const QString& name : folder.entryList({"*.html"})) {
            const QString html = readPage(folder.filePath(name));
            const QString text = asRead(html);
            for (const QString& wrong : kWrongWords[std::size_t(Index(language))])
                EXPECT_FALSE(text.contains(wrong, Qt::CaseInsensitive)) << name.toStdString() << ": " << wrong.toStdString();
            for (auto it = menuPath.globalMatch(html); it.hasNext();) {
                const auto path = it.next();
                for (int part : {1, 2})
                    EXPECT_TRUE(menuLabels.count(path.captured(part).simplified()))
                        << name.toStdString() << ": " << path.captured(0).toStdString();
            }
        }
    }
}

// The window is titled with the page on show, also one a link leads to, and
// with its own name while it shows a message; Esc closes it.
TEST(HelpWindow, isTitledWithThePageOnShowAndClosesWithEsc)
{
    MapCaptions captions;
    captions.set("frmHelp", "The Help");
    HelpWindow help(captions);
    help.showTopic(105);
    EXPECT_EQ(help.windowTitle(), help.topicTitle(105, English));
    EXPECT_EQ(help.windowTitle(), help.txtHelp->documentTitle());
    help.txtHelp->setSource(QUrl::fromLocalFile(help.pagePath(102, English)));
    EXPECT_EQ(help.windowTitle(), help.topicTitle(102, English));
    help.showContents();
    EXPECT_EQ(help.windowTitle(), help.topicTitle(0, English));
    help.showTopic(999);
    EXPECT_EQ(help.windowTitle(), "The Help");

    help.showTopic(101);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(help.txtHelp, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
    help.showTopic(102);
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.cmdHelpBack->isEnabled());
}

// Every menu title and entry has one mnemonic, unique within its menu, and
// Alt with a title's letter opens that menu instead of typing into a field.
TEST(Menus, haveOneMnemonicEachUniqueWithinTheirMenuInBothLanguages)
{
    for (Language language : kBothLanguages) {
        SCOPED_TRACE(language == French ? "French" : "English");
        ProgramOnData data({{"SponsorName", "Smith & Co"}, {"helpPath", "Smith.hlp"}});
        MainWindow& window = data.start(language);
        static const QRegularExpression marker(QStringLiteral("&([^&])"));
        std::function<void(const QList<QAction*>&, const std::string&)> checkMenu = [&](const QList<QAction*>& entries,
                                                                                         const std::string& where) {
            std::set<QString> letters;
            for (const QAction* entry : entries) {
                if (entry->isSeparator())
                    continue;
                const QString text = QString(entry->text()).replace(QStringLiteral("&&"), QString());
                QStringList marks;
                for (auto it = marker.globalMatch(text); it.hasNext();)
                    marks << it.next().captured(1).toLower();
                EXPECT_EQ(marks.size(), 1) << where << " > " << entry->text().toStdString();
                if (marks.size() == 1) {
                    EXPECT_TRUE(letters.insert(marks[0]).second) << where << ": " << marks[0].toStdString() << " twice";
                }
                if (entry->menu())
                    checkMenu(entry->menu()->actions(), where + " > " + entry->text().toStdString());
            }
        };
        checkMenu(window.menuBar()->actions(), "menu bar");
        EXPECT_EQ(withoutMnemonic(window.mnuAboutSponsor->text()).toStdString(),
                  language == French ? "À propos de Smith & Co" : "About Smith & Co");

        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QLineEdit* field = window.inputs().txtTaxRate;
        field->setFocus();
        const QString before = field->text();
        const QRegularExpressionMatch fileMnemonic = marker.match(window.mnuFile->title());
        ASSERT_TRUE(fileMnemonic.hasMatch());
        const QChar letter = fileMnemonic.captured(1).at(0).toUpper();
        QTest::keyClick(field, Qt::Key(letter.unicode()), Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.mnuFile->isVisible(); }));
        EXPECT_EQ(field->text(), before);
        window.mnuFile->close();
    }
}

} // namespace
} // namespace gw::test
