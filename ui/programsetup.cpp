#include "programsetup.h"

#include "captionsource.h"
#include "fieldtext.h"
#include "fieldvalues.h"
#include "helpservice.h"
#include "messages.h"
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

// A number written plainly in the language's decimal mark.
QString plainIn(double value, Language language)
{
    QString text = PlainNumber(value);
    if (language == French)
        text.replace(u'.', u',');
    return text;
}

// A field text written in `from` rewritten for `to`: a text in the field's
// display pattern keeps the pattern, anything else becomes a plain number.
QString rewriteText(const QString& text, std::string_view pattern, Language from, Language to)
{
    if (!IsNumericText(text, from))
        return text;
    const double value = FieldNumber(text, from);
    if (FormatField(value, pattern, from) == text)
        return FormatField(value, pattern, to);
    return plainIn(value, to);
}

} // namespace

void ProgramSetup::watch(QLineEdit* box, std::function<void()> leave, bool enterChecks)
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

void ProgramSetup::runCheck(const std::function<void()>& check)
{
    // A check's own message box and writes must not start another check.
    if (inCheck_)
        return;
    inCheck_ = true;
    check();
    inCheck_ = false;
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
    // value goes out unchecked.
    checkAllFields();
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

void ProgramSetup::checkAllFields()
{
    for (const auto& entry : leaveChecks_)
        runCheck(entry.second);
}

double ProgramSetup::number(const QLineEdit& box) const
{
    return FieldNumber(box.text(), language());
}

void ProgramSetup::checkAboveZero(QLineEdit& box, double replacement)
{
    if (number(box) < 0)
        box.setText(PlainNumber(replacement));
}

void ProgramSetup::clampRate(QLineEdit& box, double low, double high, double replacement)
{
    box.setText(FormatField(number(box), "#0.0", language()));
    if (number(box) > high)
        box.setText(PlainNumber(replacement));
    if (number(box) < low)
        box.setText(PlainNumber(replacement));
}

void ProgramSetup::leaveStartOfTaxBracket(int row)
{
    QLineEdit& box = *txtStartOfTaxBracket[std::size_t(row)];
    const double fallback = defaults_[Nth(Setting::StartOfTaxBracket1, row)];
    checks_.checkValue(box, fallback);
    checkAboveZero(box, fallback);
    box.setText(FormatField(number(box), "$#,##0", language()));
}

void ProgramSetup::leaveTaxOnInterest(int row)
{
    QLineEdit& box = *txtTaxOnInterest[std::size_t(row)];
    const Setting setting = Nth(Setting::InterestTaxRate1, row);
    const double fallback = defaults_[setting];
    const LegalRange range = RangeOf(setting, defaults_);
    checks_.checkValue(box, fallback);
    clampRate(box, range.low, range.high, fallback);
    box.setText(FormatField(number(box), "#0.0", language()));
}

void ProgramSetup::leaveTaxOnDividends(int row)
{
    QLineEdit& box = *txtTaxOnDividends[std::size_t(row)];
    const Setting setting = Nth(Setting::DividendTaxRate1, row);
    const double fallback = defaults_[setting];
    const LegalRange range = RangeOf(setting, defaults_);
    checks_.checkValue(box, fallback);
    clampRate(box, range.low, range.high, fallback);
    box.setText(FormatField(number(box), "#0.0", language()));
}

void ProgramSetup::leaveCapGainsInclusionRate()
{
    QLineEdit& box = *txtCapGainsInclusionRate;
    UpDown& spinner = *updCapGainsInclusionRate;
    checks_.checkValue(box, defaults_[Setting::CapGainsInclusionRate]);
    const QString message = caption("BoundsCapitalGainsInclusionRate",
                                    {std::to_string(spinner.min() + 1), std::to_string(spinner.max() - 1)});
    checks_.checkBounds(box, spinner, message, 0, 0);
}

void ProgramSetup::leaveFederalToMTRRatio()
{
    // Typed text is not kept inside 0 to 100 by the spinner: a share over 100
    // would give the province a negative tax rate.
    QLineEdit& box = *txtFederalToMTRRatio;
    const Language lang = language();
    const LegalRange range = RangeOf(Setting::FederalToMTRRatio, defaults_);
    checks_.checkValue(box, defaults_[Setting::FederalToMTRRatio]);
    box.setText(FormatField(number(box), "#0.0", lang));
    const double value = number(box);
    if (!range.contains(value)) {
        messages_.information(caption("OutOfBoundsTitle"),
                              caption("BoundsFederalToMTRRatio", {PlainNumber(range.low).toStdString(),
                                                                  PlainNumber(range.high).toStdString()}));
        box.setText(FormatField(std::clamp(value, range.low, range.high), "#0.0", lang));
    }
}

void ProgramSetup::leaveInterestDeductibility(int j)
{
    const Setting setting = kFrameSettings[std::size_t(j)].deductible;
    QLineEdit& box = *deduction[std::size_t(j)].txtInterestDeductibility;
    const double fallback = defaults_[setting];
    const LegalRange range = RangeOf(setting, defaults_);
    const Language lang = language();
    checks_.checkValue(box, fallback);
    checkAboveZero(box, fallback);
    box.setText(FormatField(number(box), "##0.0", lang));
    // More than the whole interest cannot be deducted.
    if (number(box) > range.high) {
        messages_.information(caption("OutOfBoundsTitle"),
                              caption("BoundsInterestDeductibility", {PlainNumber(range.low).toStdString(),
                                                                      PlainNumber(range.high).toStdString()}));
        box.setText(FormatField(range.high, "##0.0", lang));
    }
}

void ProgramSetup::leaveInvestmentExpenses(int j)
{
    const Setting setting = kFrameSettings[std::size_t(j)].expenses;
    QLineEdit& box = *deduction[std::size_t(j)].txtInvestmentExpenses;
    const double fallback = defaults_[setting];
    const double high = RangeOf(setting, defaults_).high;
    const Language lang = language();
    checks_.checkValue(box, fallback);
    checkAboveZero(box, fallback);
    box.setText(FormatField(number(box), "##0.0", lang));
    if (number(box) > high)
        box.setText(FormatField(high, "##0.0", lang));
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
