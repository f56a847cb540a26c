// The setup dialog on fakes: its fields, options, language and help.
#include "fakes.h"

#include "fieldvalues.h"
#include "programsetup.h"
#include "updown.h"

namespace gw::test {
namespace {

// The defaults as read from a settings file that holds the rates as
// fractions.
SettingValues storedDefaults()
{
    using S = Setting;
    SettingValues d;
    const auto stored = [&d](Setting s, const char* text) { d[s] = ReadStored(Row(s), text); };
    const char* interest[] = {"0.22", "0.29", "0.40", "0.46"};
    const char* dividends[] = {"0.05", "0.12", "0.25", "0.31"};
    const char* starts[] = {"0", "50000", "100000", "200000"};
    for (int n = 0; n < 4; ++n) {
        stored(Nth(S::InterestTaxRate1, n), interest[n]);
        stored(Nth(S::DividendTaxRate1, n), dividends[n]);
        stored(Nth(S::StartOfTaxBracket1, n), starts[n]);
    }
    stored(S::CapGainsInclusionRate, "0.5");
    d[S::FederalToMTRRatio] = 60;
    d[S::FedInterestDeductibility] = 100;
    d.setFlag(S::ProvLimitedDeduct, true);
    d[S::ProvInterestDeductibility] = 100;
    d[S::ProvIncludeCapGains] = 5;  // not a list entry
    d[S::ProvInvestmentExpenses] = 2;
    return d;
}

class SetupTest : public ::testing::Test {
protected:
    MapCaptions captions;
    RecordingMessages messages;
    RecordingHelp help;
    std::vector<int> languagesApplied;
    std::vector<SettingValues> applied;
    SettingValues defaults = storedDefaults();
    std::unique_ptr<ProgramSetup> dialog;

    SetupTest()
    {
        captions.set("BoundsCapitalGainsInclusionRate", "Inclusion: <1> to <2>");
        captions.set("BoundsInterestDeductibility", "Deductible: <1> to <2>");
        captions.set("BoundsFederalToMTRRatio", "Share: <1> to <2>");
        ProgramSetup::Services services;
        services.captions = &captions;
        services.messages = &messages;
        services.help = &help;
        // What the program does: switch the captions, re-caption the windows.
        services.applyLanguage = [this](int language) {
            languagesApplied.push_back(language);
            captions.lang = language;
            dialog->formatCaptions();
        };
        dialog = std::make_unique<ProgramSetup>(services);
        QObject::connect(dialog.get(), &ProgramSetup::settingsApplied,
                         [this](const SettingValues& values) { applied.push_back(values); });
        dialog->load(defaults);
    }

    void open(int tab = 1)
    {
        dialog->selectTab(tab);
        dialog->show();
        messages.messages.clear();
    }
    QLineEdit* field(const QString& name) { return child<QLineEdit>(*dialog, name); }
    QString text(const QString& name) { return field(name)->text(); }
    void enter(const QString& name, const QString& typed)
    {
        typeInto(field(name), typed);
        leave(field(name));
    }
    bool shown(const char* name) { return child<QWidget>(*dialog, name)->isVisibleTo(dialog.get()); }
};

TEST_F(SetupTest, storedDefaultsBecomePerCentFields)
{
    EXPECT_EQ(dialog->defaults()[Setting::InterestTaxRate2], 29);  // not 28.999999999999996
    EXPECT_EQ(dialog->values()[Setting::ProvIncludeCapGains], 1);
    open();
    EXPECT_EQ(text("txtStartOfTaxBracket2"), "$100,000");
    EXPECT_EQ(text("txtTaxOnInterest1"), "29.0");
    EXPECT_EQ(text("txtCapGainsInclusionRate"), "50.0");
    EXPECT_EQ(text("txtFederalToMTRRatio"), "60.0");
    EXPECT_EQ(text("txtProvInvestmentExpenses"), "2.0");
    EXPECT_EQ(child<QComboBox>(*dialog, "cmbProvIncludeCapGains")->currentIndex(), 1);
}

TEST_F(SetupTest, enterChecksTheRateFieldsButIsOkInTheTable)
{
    open();
    typeInto(field("txtCapGainsInclusionRate"), "101");
    pressEnter(field("txtCapGainsInclusionRate"));
    EXPECT_EQ(text("txtCapGainsInclusionRate"), "100");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(applied.empty());

    // Enter in a cell presses OK without leaving the cell: OK checks it.
    typeInto(field("txtTaxOnInterest1"), "150");
    pressEnter(field("txtTaxOnInterest1"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0][Setting::InterestTaxRate2], 29);
    EXPECT_EQ(applied[0][Setting::CapGainsInclusionRate], 100);
}

TEST_F(SetupTest, cancelPutsBackExactlyWhatWasShown)
{
    SettingValues values = StartValues(defaults);
    values[Setting::CapGainsInclusionRate] = 66.7;
    values[Setting::DividendTaxRate3] = 24.5;
    dialog->load(defaults, values);
    open(2);
    EXPECT_EQ(text("txtCapGainsInclusionRate"), "66.7");

    enter("txtCapGainsInclusionRate", "80");
    enter("txtTaxOnDividends2", "10");
    child<QRadioButton>(*dialog, "optFedLimitedDeduct")->click();
    child<QComboBox>(*dialog, "cmbFedIncludeCapGains")->setCurrentIndex(1);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(text("txtCapGainsInclusionRate"), "66.7");
    EXPECT_EQ(text("txtTaxOnDividends2"), "24.5");
    EXPECT_TRUE(child<QRadioButton>(*dialog, "optFedPercentDeduct")->isChecked());
    EXPECT_EQ(child<QComboBox>(*dialog, "cmbFedIncludeCapGains")->currentIndex(), 0);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0][Setting::CapGainsInclusionRate], 66.7);
    EXPECT_FALSE(applied[0].flag(Setting::FedLimitedDeduct));

    // The next showing snapshots what OK kept.
    open();
    enter("txtCapGainsInclusionRate", "33.3");
    child<QPushButton>(*dialog, "cmdOk")->click();
    open();
    enter("txtCapGainsInclusionRate", "40");
    child<QPushButton>(*dialog, "cmdCancel")->click();
    EXPECT_EQ(text("txtCapGainsInclusionRate"), "33.3");
    EXPECT_EQ(applied.back()[Setting::CapGainsInclusionRate], 33.3);
}

TEST_F(SetupTest, cancelledLanguageChoiceIsNotAppliedByTheNextOk)
{
    open(3);
    auto* list = child<QComboBox>(*dialog, "cboLanguages");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), "[French]");
    list->setCurrentIndex(1);
    EXPECT_TRUE(dialog->languageChanged());
    child<QPushButton>(*dialog, "cmdCancel")->click();
    EXPECT_EQ(list->currentIndex(), 0);

    open(3);
    child<QPushButton>(*dialog, "cmdOk")->click();
    EXPECT_TRUE(languagesApplied.empty());
    EXPECT_EQ(captions.lang, 0);

    // Chosen and confirmed: switched, with the fields rewritten in French.
    open(3);
    list->setCurrentIndex(1);
    child<QPushButton>(*dialog, "cmdOk")->click();
    EXPECT_EQ(languagesApplied, std::vector<int>{1});
    EXPECT_EQ(text("txtTaxOnInterest1"), "29,0");
    EXPECT_EQ(text("txtStartOfTaxBracket2"), "100 000 $");
    EXPECT_EQ(applied.back()[Setting::StartOfTaxBracket3], 100000);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_FALSE(dialog->languageChanged());
}

TEST_F(SetupTest, visibilityFollowsTheDeductionOption)
{
    open(2);
    // Federal: percentage; provincial: limited.
    EXPECT_FALSE(shown("cmbFedIncludeCapGains"));
    EXPECT_TRUE(field("txtFedInterestDeductibility")->isEnabled());
    EXPECT_TRUE(shown("cmbProvIncludeCapGains"));
    EXPECT_FALSE(field("txtProvInterestDeductibility")->isEnabled());
    EXPECT_FALSE(child<UpDown>(*dialog, "updProvInterestDeductibility")->isEnabled());
    for (const char* hidden : {"txtFedInvestmentExpenses", "updFedInvestExpense", "cmbFedDefer",
                               "cmdWTFedInvestFeeExplanantion", "txtProvInvestmentExpenses", "cmbProvDefer"})
        EXPECT_FALSE(shown(hidden)) << hidden;

    child<QRadioButton>(*dialog, "optFedLimitedDeduct")->click();
    EXPECT_TRUE(shown("cmbFedIncludeCapGains"));
    EXPECT_FALSE(field("txtFedInterestDeductibility")->isEnabled());
    EXPECT_FALSE(shown("cmbFedDefer"));
    child<QRadioButton>(*dialog, "optFedPercentDeduct")->click();
    EXPECT_FALSE(shown("cmbFedIncludeCapGains"));
    EXPECT_TRUE(field("txtFedInterestDeductibility")->isEnabled());
}

TEST_F(SetupTest, okHandsOnTheFieldsAsTaxSettings)
{
    open(2);
    child<QRadioButton>(*dialog, "optFedLimitedDeduct")->click();
    child<QComboBox>(*dialog, "cmbFedIncludeCapGains")->setCurrentIndex(1);
    // Disabled under the limited option, yet still kept.
    field("txtProvInterestDeductibility")->setText("50");
    leave(field("txtProvInterestDeductibility"));
    child<QPushButton>(*dialog, "cmdOk")->click();
    ASSERT_EQ(applied.size(), 1u);
    const AnalysisInputs tax = InputsFrom(applied[0]);
    EXPECT_TRUE(tax.fedLimited);
    EXPECT_FALSE(tax.fedIncludeCG);
    EXPECT_TRUE(tax.provLimited);
    EXPECT_FALSE(tax.provIncludeCG);
    EXPECT_EQ(tax.provDeductible, 50);
    EXPECT_EQ(tax.provExpenses, 2);
    EXPECT_EQ(tax.taxTable[3].dividendRate, 31);
    EXPECT_EQ(tax.capGainsInclusionRate, 50);
}

TEST_F(SetupTest, explanationButtonsShowTheirCaptions)
{
    open();
    for (const char* button : {"cmdWTCapitalGainsInclusionRate", "cmdWTFederalToMTRRatio", "cmdWTProvInvestFeeExplanantion"})
        child<QPushButton>(*dialog, button)->click();
    EXPECT_EQ(messages.take(), "[SoftwareName]: [WTCapitalGainsInclusionRate] | [SoftwareName]: [WTFederalToMTRRatio] | "
                               "[SoftwareName]: [WTInvestFeeExplanantion]");
}

} // namespace
} // namespace gw::test
