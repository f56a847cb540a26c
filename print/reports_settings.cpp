#include "reports_settings.h"

#include "settingsfile.h"
#include "textlayout.h"
#include "userfile.h"

#include <algorithm>

namespace gw {

AdvisorInfo ReadAdvisorInfo(const SettingLines& userLines)
{
    return {CleanAdvisorField(GetSettingValue(kAdvisorNameKey, userLines)),
            CleanAdvisorField(GetSettingValue(kAdvisorCompanyKey, userLines))};
}

PrintDefaults PrintDefaultsFrom(const ProgramSettings& settings)
{
    const InputDefaults& d = settings.defaults;
    PrintDefaults p;
    p.PrintSummaryChecklist = d.PrintSummaryChecklist;
    p.PrintLegalDisclaimer = d.PrintLegalDisclaimer;
    p.PrintSignatures = d.PrintSignatures;
    p.PrintSummary = d.PrintSummary;
    p.PrintProjection = d.PrintProjection;
    p.PrintChecklistPage = d.PrintChecklistPage;
    p.PrintName = d.PrintName;
    p.PrintCompanyName = d.PrintCompanyName;
    p.advisor = ReadAdvisorInfo(settings.UserLines);
    return p;
}

std::string CleanAdvisorField(std::string_view text)
{
    std::string flat;
    for (char c : text)
        flat += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    const std::string_view trimmed = TrimBlanks(flat);
    // Cut after kMaxAdvisorField UTF-8 characters.
    std::size_t count = 0;
    std::size_t end = 0;
    while (end < trimmed.size()) {
        if (count == kMaxAdvisorField)
            break;
        ++count;
        ++end;
        while (end < trimmed.size() && (static_cast<unsigned char>(trimmed[end]) & 0xC0) == 0x80)
            ++end;
    }
    return std::string(TrimBlanks(trimmed.substr(0, end)));
}

void ApplyPrintDefaults(const PrintDefaults& defaults, UserFileValues& values)
{
    values.PrintSummaryChecklist = defaults.PrintSummaryChecklist;
    values.PrintLegalDisclaimer = defaults.PrintLegalDisclaimer;
    values.PrintSignatures = defaults.PrintSignatures;
    values.PrintSummary = defaults.PrintSummary;
    values.PrintProjection = defaults.PrintProjection;
    values.PrintChecklistPage = defaults.PrintChecklistPage;
    values.PrintName = defaults.PrintName;
    values.PrintCompanyName = defaults.PrintCompanyName;

    auto& extra = values.extraSettings;
    std::erase_if(extra, [](const auto& setting) {
        return setting.first == kAdvisorNameKey || setting.first == kAdvisorCompanyKey;
    });
    extra.emplace_back(std::string(kAdvisorNameKey), CleanAdvisorField(defaults.advisor.name));
    extra.emplace_back(std::string(kAdvisorCompanyKey), CleanAdvisorField(defaults.advisor.companyName));
}

} // namespace gw
