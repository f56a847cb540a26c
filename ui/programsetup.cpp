#include "programsetup.h"

#include "captionsource.h"
#include "fieldtext.h"
#include "fieldvalues.h"
#include "helpservice.h"
#include "messages.h"
#include "numformat.h"
#include "updown.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>
#include <initializer_list>

namespace gw {

namespace {

int yesNo(int index)
{
    return index == 0 ? 0 : 1;
}

// A field text written in `from` rewritten for `to` in the field's display
// pattern.
QString rewriteText(const QString& text, std::string_view pattern, Language from, Language to)
{
    if (!IsNumericText(text, from))
        return text;
    return FormatField(FieldNumber(text, from), pattern, to);
}

} // namespace

void ProgramSetup::watch(QLineEdit* box, std::function<bool()> leave, bool enterChecks)
{
    leaveChecks_.emplace_back(box, std::move(leave));
    if (enterChecks)
        enterChecks_.push_back(box);
    box->installEventFilter(this);
}

bool ProgramSetup::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = std::find_if(leaveChecks_.begin(), leaveChecks_.end(),
                                    [watched](const auto& entry) { return entry.first == watched; });
    if (found == leaveChecks_.end())
        return QDialog::eventFilter(watched, event);
    // Some fields check on Enter and keep the key from the OK button; in the
    // others Enter is OK, which checks every field first.
    const bool enterChecks = std::find(enterChecks_.begin(), enterChecks_.end(), watched) != enterChecks_.end();
    if (HandleFieldEvent(*static_cast<QLineEdit*>(watched), *event, enterChecks, [&] { runCheck(found->second); }))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool ProgramSetup::runCheck(const std::function<bool()>& check)
{
    // A check's own message box and writes must not start another check.
    if (inCheck_)
        return true;
    inCheck_ = true;
    const bool kept = check();
    inCheck_ = false;
    return kept;
}

void ProgramSetup::load(const SettingValues& read)
{
    load(read, StartValues(read));
}

void ProgramSetup::load(const SettingValues& read, const SettingValues& values)
{
    defaults_ = StartValues(read);
    writeFields(values);
    hasSnapshot_ = false;
}

namespace {

// The settings of a deduction frame: 0 federal, 1 provincial.
struct FrameSettings {
    Setting limited, deductible, includeCapGains, defer, expenses;
};
constexpr std::array<FrameSettings, 2> kFrameSettings{{
    {Setting::FedLimitedDeduct, Setting::FedInterestDeductibility, Setting::FedIncludeCapGains, Setting::FedDefer,
     Setting::FedInvestmentExpenses},
    {Setting::ProvLimitedDeduct, Setting::ProvInterestDeductibility, Setting::ProvIncludeCapGains, Setting::ProvDefer,
     Setting::ProvInvestmentExpenses},
}};

} // namespace

void ProgramSetup::writeFields(const SettingValues& values)
{
    const Language lang = language();
    const std::vector<QLineEdit*> fields = numberFields();
    const std::vector<Setting> settings = numberSettings();
    for (std::size_t k = 0; k < fields.size(); ++k)
        fields[k]->setText(FormatField(values[settings[k]], Row(settings[k]).pattern, lang));
    for (std::size_t j = 0; j < 2; ++j) {
        const FrameSettings& s = kFrameSettings[j];
        DeductionFrame& f = deduction[j];
        f.optLimitedDeduct->setChecked(values.flag(s.limited));
        f.optPercentDeduct->setChecked(!values.flag(s.limited));
        f.cmbIncludeCapGains->setCurrentIndex(yesNo(values.index(s.includeCapGains)));
        f.cmbDefer->setCurrentIndex(yesNo(values.index(s.defer)));
        applyVisibility(int(j));
    }
}

SettingValues ProgramSetup::values() const
{
    SettingValues v;
    storeValues(v);
    return v;
}

void ProgramSetup::storeValues(SettingValues& values) const
{
    const std::vector<QLineEdit*> fields = numberFields();
    const std::vector<Setting> settings = numberSettings();
    for (std::size_t k = 0; k < fields.size(); ++k)
        values[settings[k]] = number(*fields[k]);
    for (std::size_t j = 0; j < 2; ++j) {
        const FrameSettings& s = kFrameSettings[j];
        const DeductionFrame& f = deduction[j];
        values.setFlag(s.limited, f.optLimitedDeduct->isChecked());
        values[s.includeCapGains] = yesNo(f.cmbIncludeCapGains->currentIndex());
        values[s.defer] = yesNo(f.cmbDefer->currentIndex());
    }
}

int ProgramSetup::execOnTab(int tab)
{
    selectTab(tab);
    // Modal to the main window only, so that the help window stays usable.
    setWindowModality(Qt::WindowModal);
    return exec();
}

void ProgramSetup::selectTab(int tab)
{
    tabSetup->setCurrentIndex(std::clamp(tab, 1, tabSetup->count()) - 1);
}

int ProgramSetup::currentTab() const
{
    return tabSetup->currentIndex() + 1;
}

std::optional<Language> ProgramSetup::chosenLanguage() const
{
    return LanguageFromIndex(cboLanguages->currentIndex());
}

bool ProgramSetup::languageChanged() const
{
    const std::optional<Language> chosen = chosenLanguage();
    return chosen && *chosen != language();
}

void ProgramSetup::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Restoring a minimised window is not a new showing.
    if (!event->spontaneous())
        onShown();
}

void ProgramSetup::onShown()
{
    reformatFields();
    fillLanguageList();
    snapshot_ = takeSnapshot();
    hasSnapshot_ = true;
    for (int j = 0; j < 2; ++j)
        applyVisibility(j);
}

void ProgramSetup::reformatFields()
{
    const Language lang = language();
    const std::vector<QLineEdit*> fields = numberFields();
    const std::vector<Setting> settings = numberSettings();
    for (std::size_t k = 0; k < fields.size(); ++k)
        fields[k]->setText(FormatField(number(*fields[k]), Row(settings[k]).pattern, lang));
}

void ProgramSetup::fillLanguageList()
{
    const QSignalBlocker blocker(cboLanguages);
    cboLanguages->clear();
    // In language order: the entry's index is the language's.
    cboLanguages->addItem(caption("English"));
    cboLanguages->addItem(caption("French"));
    cboLanguages->setCurrentIndex(Index(language()));
}

void ProgramSetup::applyVisibility(int j)
{
    DeductionFrame& f = deduction[std::size_t(j)];
    const bool limited = f.optLimitedDeduct->isChecked();
    // The expense and defer settings are kept and saved, but no strategy
    // reads them, so they are not offered.
    for (QWidget* widget : std::initializer_list<QWidget*>{f.lblInvestExpenseExplanation, f.txtInvestmentExpenses,
                                                            f.updInvestExpense, f.lblPercentSign,
                                                            f.cmdWTInvestFeeExplanantion, f.lblDefer, f.cmbDefer})
        widget->setVisible(false);
    f.lblIncludeCapitalGains->setVisible(limited);
    f.cmbIncludeCapGains->setVisible(limited);
    // With the limited option the whole interest is deductible within the
    // limit; the portion does not apply.
    f.txtInterestDeductibility->setEnabled(!limited);
    f.updInterestDeductibility->setEnabled(!limited);
}

std::vector<Setting> ProgramSetup::editedSettings()
{
    std::vector<Setting> settings = numberSettings();
    for (const FrameSettings& s : kFrameSettings)
        settings.insert(settings.end(), {s.limited, s.includeCapGains, s.defer});
    return settings;
}

std::vector<Setting> ProgramSetup::numberSettings()
{
    std::vector<Setting> settings;
    for (Setting first : {Setting::StartOfTaxBracket1, Setting::InterestTaxRate1, Setting::DividendTaxRate1})
        for (int n = 0; n < 4; ++n)
            settings.push_back(Nth(first, n));
    settings.insert(settings.end(), {Setting::CapGainsInclusionRate, Setting::FederalToMTRRatio});
    for (const FrameSettings& s : kFrameSettings)
        settings.insert(settings.end(), {s.deductible, s.expenses});
    return settings;
}

std::vector<QLineEdit*> ProgramSetup::numberFields() const
{
    std::vector<QLineEdit*> fields(txtStartOfTaxBracket.begin(), txtStartOfTaxBracket.end());
    fields.insert(fields.end(), txtTaxOnInterest.begin(), txtTaxOnInterest.end());
    fields.insert(fields.end(), txtTaxOnDividends.begin(), txtTaxOnDividends.end());
    fields.insert(fields.end(), {txtCapGainsInclusionRate, txtFederalToMTRRatio});
    for (const DeductionFrame& f : deduction)
        fields.insert(fields.end(), {f.txtInterestDeductibility, f.txtInvestmentExpenses});
    return fields;
}

ProgramSetup::Snapshot ProgramSetup::takeSnapshot() const
{
    Snapshot s;
    for (const QLineEdit* box : numberFields())
        s.texts.push_back(box->text());
    for (std::size_t j = 0; j < 2; ++j) {
        s.limited[j] = deduction[j].optLimitedDeduct->isChecked();
        s.includeCapGains[j] = deduction[j].cmbIncludeCapGains->currentIndex();
        s.defer[j] = deduction[j].cmbDefer->currentIndex();
    }
    return s;
}

void ProgramSetup::restore(const Snapshot& s)
{
    const std::vector<QLineEdit*> fields = numberFields();
    for (std::size_t k = 0; k < fields.size() && k < s.texts.size(); ++k)
        fields[k]->setText(s.texts[k]);
    for (std::size_t j = 0; j < 2; ++j) {
        deduction[j].optLimitedDeduct->setChecked(s.limited[j]);
        deduction[j].optPercentDeduct->setChecked(!s.limited[j]);
        deduction[j].cmbIncludeCapGains->setCurrentIndex(s.includeCapGains[j]);
        deduction[j].cmbDefer->setCurrentIndex(s.defer[j]);
    }
}

void ProgramSetup::accept()
{
    // Enter in a tax-table cell presses OK without leaving the cell: no
    // value goes out unchecked, and a repaired one keeps the dialog open on
    // it for the user to see.
    if (!checkAllFields())
        return;
    if (languageChanged() && services_.applyLanguage)
        services_.applyLanguage(*chosenLanguage());
    hasSnapshot_ = false;
    emit settingsApplied(values());
    QDialog::accept();
}

void ProgramSetup::reject()
{
    if (hasSnapshot_)
        restore(snapshot_);
    // Cancel cancels the language choice too.
    fillLanguageList();
    hasSnapshot_ = false;
    emit settingsApplied(values());
    QDialog::reject();
}

void ProgramSetup::showHelp()
{
    if (services_.help)
        services_.help->showTopic(helpTopic());
}

bool ProgramSetup::checkAllFields()
{
    QLineEdit* repaired = nullptr;
    for (const auto& [field, check] : leaveChecks_) {
        if (!runCheck(check) && !repaired)
            repaired = static_cast<QLineEdit*>(field);
    }
    if (!repaired)
        return true;
    for (int k = 0; k < tabSetup->count(); ++k) {
        if (tabSetup->widget(k)->isAncestorOf(repaired))
            tabSetup->setCurrentIndex(k);
    }
    repaired->setFocus(Qt::OtherFocusReason);
    repaired->selectAll();
    return false;
}

double ProgramSetup::number(const QLineEdit& box) const
{
    return FieldNumber(box.text(), language());
}

FieldRule ProgramSetup::ruleFor(Setting setting, const QString& label) const
{
    const LegalRange range = RangeOf(setting, defaults_);
    return {label, std::string(Row(setting).pattern), range.low, range.high, Row(setting).unit == Unit::Dollars};
}

QString ProgramSetup::cellLabel(int row, const QLabel* column) const
{
    return FieldLabel(lblTaxBracket[std::size_t(row)]->text()) + QStringLiteral(", ") + FieldLabel(column->text());
}

bool ProgramSetup::checkRate(QLineEdit& box, Setting setting, const QString& label)
{
    const double fallback = defaults_[setting];
    const FieldRule rule = ruleFor(setting, label);
    bool kept = checks_.checkValue(box, fallback, rule);
    // One decimal first: 100.04 shows as 100.0 and is legal.
    const QString typed = box.text();
    box.setText(FormatField(number(box), "#0.0", language()));
    const bool inRange = number(box) >= rule.low && number(box) <= rule.high;
    if (!inRange) {
        box.setText(typed);
        kept = checks_.checkRange(box, rule, fallback, fallback) && kept;
    }
    return kept;
}

bool ProgramSetup::checkBracketOrder(int row)
{
    QLineEdit& box = *txtStartOfTaxBracket[std::size_t(row)];
    const double value = RoundHalfAwayFromZero(number(box));
    const QString typed = box.text();
    const auto neighbour = [this](int n) { return RoundHalfAwayFromZero(number(*txtStartOfTaxBracket[std::size_t(n)])); };
    const auto money = [this](double amount) { return FormatField(amount, "$#,##0", language()).toStdString(); };
    const auto repair = [&](const char* key, int n, double repaired) {
        box.setText(FormatField(repaired, "$#,##0", language()));
        checks_.tell("OutOfBoundsTitle", key,
                     {cellLabel(row, lblTableColOne).toStdString(), typed.toStdString(),
                      FieldLabel(lblTaxBracket[std::size_t(n)]->text()).toStdString(), money(neighbour(n)),
                      box.text().toStdString()});
        return false;
    };
    if (row > 0 && value <= neighbour(row - 1))
        return repair("FieldNotAboveBracket", row - 1, std::min(neighbour(row - 1) + 1, kMostDollars));
    if (row < 3 && value >= neighbour(row + 1))
        return repair("FieldNotBelowBracket", row + 1, std::max(neighbour(row + 1) - 1, 0.0));
    return true;
}

bool ProgramSetup::leaveStartOfTaxBracket(int row)
{
    QLineEdit& box = *txtStartOfTaxBracket[std::size_t(row)];
    const Setting setting = Nth(Setting::StartOfTaxBracket1, row);
    const double fallback = defaults_[setting];
    const FieldRule rule = ruleFor(setting, cellLabel(row, lblTableColOne));
    bool kept = checks_.checkValue(box, fallback, rule);
    // Past the highest amount the next bracket binds first: one message,
    // naming it.
    const bool nextBinds = row < 3 && number(box) > rule.high;
    if (!nextBinds)
        kept = checks_.checkRange(box, rule, std::nullopt, fallback) && kept;
    kept = checkBracketOrder(row) && kept;
    box.setText(FormatField(number(box), "$#,##0", language()));
    return kept;
}

bool ProgramSetup::leaveTaxOnInterest(int row)
{
    QLineEdit& box = *txtTaxOnInterest[std::size_t(row)];
    const bool kept = checkRate(box, Nth(Setting::InterestTaxRate1, row), cellLabel(row, lblTableColTwo));
    box.setText(FormatField(number(box), "#0.0", language()));
    return kept;
}

bool ProgramSetup::leaveTaxOnDividends(int row)
{
    QLineEdit& box = *txtTaxOnDividends[std::size_t(row)];
    const bool kept = checkRate(box, Nth(Setting::DividendTaxRate1, row), cellLabel(row, lblTableColThree));
    box.setText(FormatField(number(box), "#0.0", language()));
    return kept;
}

bool ProgramSetup::leaveCapGainsInclusionRate()
{
    QLineEdit& box = *txtCapGainsInclusionRate;
    const FieldRule rule = ruleFor(Setting::CapGainsInclusionRate, FieldLabel(lblCapitalGainsInclusionRate->text()));
    bool kept = checks_.checkValue(box, defaults_[Setting::CapGainsInclusionRate], rule);
    kept = checks_.checkBounds(box, *updCapGainsInclusionRate, rule, 0, 0) && kept;
    box.setText(FormatField(number(box), "#0.0", language()));
    return kept;
}

bool ProgramSetup::leaveFederalToMTRRatio()
{
    // Typed text is not kept inside 0 to 100 by the spinner: a share over 100
    // would give the province a negative tax rate.
    QLineEdit& box = *txtFederalToMTRRatio;
    const FieldRule rule = ruleFor(Setting::FederalToMTRRatio, FieldLabel(lblFederalToMTRRatio->text()));
    bool kept = checks_.checkValue(box, defaults_[Setting::FederalToMTRRatio], rule);
    kept = checks_.checkRange(box, rule) && kept;
    box.setText(FormatField(number(box), "#0.0", language()));
    return kept;
}

bool ProgramSetup::leaveInterestDeductibility(int j)
{
    const Setting setting = kFrameSettings[std::size_t(j)].deductible;
    const DeductionFrame& f = deduction[std::size_t(j)];
    QLineEdit& box = *f.txtInterestDeductibility;
    const double fallback = defaults_[setting];
    const FieldRule rule =
        ruleFor(setting, FieldLabel(f.frame->title()) + QStringLiteral(", ") + FieldLabel(f.optPercentDeduct->text()));
    bool kept = checks_.checkValue(box, fallback, rule);
    // Below nothing: the default; more than the whole interest cannot be
    // deducted.
    kept = checks_.checkRange(box, rule, rule.high, fallback) && kept;
    box.setText(FormatField(number(box), "#0.0", language()));
    return kept;
}

bool ProgramSetup::leaveInvestmentExpenses(int j)
{
    const Setting setting = kFrameSettings[std::size_t(j)].expenses;
    const DeductionFrame& f = deduction[std::size_t(j)];
    QLineEdit& box = *f.txtInvestmentExpenses;
    const double fallback = defaults_[setting];
    const FieldRule rule = ruleFor(setting, FieldLabel(f.frame->title()) + QStringLiteral(", ") +
                                                FieldLabel(f.lblInvestExpenseExplanation->text()));
    bool kept = checks_.checkValue(box, fallback, rule);
    kept = checks_.checkRange(box, rule, rule.high, fallback) && kept;
    box.setText(FormatField(number(box), "#0.0", language()));
    return kept;
}

void ProgramSetup::rewriteForLanguage(Language previousLanguage)
{
    const Language lang = language();
    const std::vector<QLineEdit*> fields = numberFields();
    const std::vector<Setting> settings = numberSettings();
    for (std::size_t k = 0; k < fields.size(); ++k)
        fields[k]->setText(rewriteText(fields[k]->text(), Row(settings[k]).pattern, previousLanguage, lang));
    for (std::size_t k = 0; k < snapshot_.texts.size() && k < settings.size(); ++k)
        snapshot_.texts[k] = rewriteText(snapshot_.texts[k], Row(settings[k]).pattern, previousLanguage, lang);
}

void ProgramSetup::formatCaptions()
{
    const Language lang = language();
    if (captionLanguage_ && *captionLanguage_ != lang)
        rewriteForLanguage(*captionLanguage_);
    captionLanguage_ = lang;

    setWindowTitle(caption("frmProgramSetup"));
    for (int k = 1; k <= tabSetup->count(); ++k)
        tabSetup->setTabText(k - 1, caption(captionKey("tabSetup.tabcaption", k)));

    lblTaxTableHeading->setText(caption("lblTaxTableHeading"));
    lblTableColOne->setText(caption("lblTableColOne"));
    lblTableColTwo->setText(caption("lblTableColTwo"));
    lblTableColThree->setText(caption("lblTableColThree"));
    for (std::size_t row = 0; row < 4; ++row)
        lblTaxBracket[row]->setText(caption("lblTaxBracket" + std::to_string(row + 1)));
    lblMiscParametersHeader->setText(caption("lblMiscParametersHeader"));
    lblCapitalGainsInclusionRate->setText(caption("lblCapitalGainsInclusionRate"));
    lblFederalToMTRRatio->setText(caption("lblFederalToMTRRatio"));

    deduction[0].frame->setTitle(caption("lblFedTaxInterestDeductibility"));
    deduction[1].frame->setTitle(caption("lblProvTaxInterestDeductibility"));
    for (DeductionFrame& f : deduction) {
        f.lblAnnualDeductibility->setText(caption("lblAnnualDeductibility"));
        f.optPercentDeduct->setText(caption("optPercentDeduct"));
        f.optLimitedDeduct->setText(caption("optLimitedDeduct"));
        f.lblIncludeCapitalGains->setText(caption("lblIncludeCapitalGains"));
        f.lblDefer->setText(caption("lblDefer"));
        f.lblInvestExpenseExplanation->setText(caption("lblInvestExpenseExplanation"));
        for (QComboBox* list : {f.cmbIncludeCapGains, f.cmbDefer}) {
            list->setItemText(0, caption("InvestmentExpense_Yes"));
            list->setItemText(1, caption("InvestmentExpense_No"));
        }
        f.updInterestDeductibility->setLanguage(lang);
        f.updInvestExpense->setLanguage(lang);
    }
    updCapGainsInclusionRate->setLanguage(lang);
    updFederalToMTRRatio->setLanguage(lang);
    for (UpDown* spinner : {updCapGainsInclusionRate, updFederalToMTRRatio, deduction[0].updInterestDeductibility,
                            deduction[0].updInvestExpense, deduction[1].updInterestDeductibility,
                            deduction[1].updInvestExpense})
        spinner->setPattern("#0.0");

    lblLanguageHeader->setText(caption("lblLanguageHeader"));
    lblCurrentLanguage->setText(caption("lblCurrentLanguage"));
    fillLanguageList();

    cmdOk->setText(caption("cmdOK"));
    cmdCancel->setText(caption("cmdCancel"));
    cmdHelp->setText(caption("cmdHelp"));
}

QString ProgramSetup::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

Language ProgramSetup::language() const
{
    return captions_.language();
}

} // namespace gw
