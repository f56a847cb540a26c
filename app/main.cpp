// The desktop program. For now it loads the data files of the program's
// folder and opens the main window in the saved language; the start-up
// window and the dialogs come later.
#include "captions.h"
#include "inputpanel.h"
#include "mainwindow.h"
#include "messages.h"
#include "reporter.h"
#include "settingsfile.h"
#include "settingssetup.h"
#include "tablecaptions.h"
#include "userfile.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class BoxReporter : public gw::SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon icon) override
    {
        const QMessageBox::Icon boxIcon = icon == Icon::Critical ? QMessageBox::Critical
            : icon == Icon::Exclamation                         ? QMessageBox::Warning
                                                                : QMessageBox::Information;
        QMessageBox box(boxIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
        box.exec();
    }
};

// What Save Defaults writes: the start-up values, overwritten by what the
// window's fields hold now.
gw::UserFileValues currentUserValues(const gw::ProgramSettings& settings, const gw::MainWindow& window)
{
    gw::UserFileValues values = gw::UserFileValuesFrom(settings);
    const gw::AnalysisInputs in = window.currentInputs();
    values.LoanAmount = in.loanAmount;
    values.TaxRate = in.taxRate;
    values.InterestRateOnLoan = in.interestRate;
    values.SavingsPeriod = in.savingsPeriod;
    values.InvestmentType = in.investmentType;
    values.OtherUnleveragedIncome = in.otherUnleveraged;
    values.ProjectionReturn = in.projectionReturn;
    values.TimesLoanRepeated = in.timesRepeated;
    values.DeferredCapitalGains = in.breakdown[gw::kDeferredCapGains];
    values.CapitalGains = in.breakdown[gw::kCapGains];
    values.Dividends = in.breakdown[gw::kDividends];
    values.Interest = in.breakdown[gw::kInterest];
    values.ShowAdvancedDetails = window.advancedView();
    values.ProjectedReturn = in.returns;
    const gw::TaxSettings& tax = window.inputs().taxSettings();
    values.FedInterestDeductibility = tax.fedDeductible;
    values.ProvInterestDeductibility = tax.provDeductible;
    values.FedLimitedDeduct = tax.fedLimited;
    values.ProvLimitedDeduct = tax.provLimited;
    values.FedInvestmentExpenses = tax.fedExpenses;
    values.ProvInvestmentExpenses = tax.provExpenses;
    values.FedIncludeCapGains = tax.fedIncludeCG ? 0 : 1;
    values.ProvIncludeCapGains = tax.provIncludeCG ? 0 : 1;
    values.FederalToMTRRatio = tax.federalToMarginalRatio;
    values.CapGainsInclusionRatePercent = tax.capGainsInclusionRate;
    for (int n = 0; n < 4; ++n) {
        values.StartOfTaxBracket[n] = tax.taxTable[n].start;
        values.InterestTaxRatePercent[n] = tax.taxTable[n].interestRate;
        values.DividendTaxRatePercent[n] = tax.taxTable[n].dividendRate;
    }
    return values;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    BoxReporter reporter;
    gw::ProgramSettings settings;
    settings.folder = QCoreApplication::applicationDirPath().toStdString();
    if (!gw::LoadStartUpSettings(settings, reporter))
        return 1;
    gw::ReadMainWindowSettings(settings, reporter);

    gw::TableCaptionSource captions(settings.captions, settings.CurrentLanguage);
    gw::QtMessageService messages;
    gw::MainWindowServices services;
    services.captions = &captions;
    services.messages = &messages;
    services.windowTitle = [&settings] { return QString::fromStdString(gw::BuildWindowTitle(settings)); };
    gw::MainWindow* mainWindow = nullptr;
    services.saveDefaults = [&settings, &reporter, &mainWindow] {
        gw::SaveUserFile(settings, currentUserValues(settings, *mainWindow), reporter);
    };
    gw::MainWindow window(services);
    mainWindow = &window;
    messages.setParent(&window);
    window.start(gw::SetupFromSettings(settings));
    window.show();
    return app.exec();
}
