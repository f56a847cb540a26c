#include "reports_settings.h"

#include "charset.h"
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
    return {settings.values, ReadAdvisorInfo(settings.UserLines)};
}

std::string CleanAdvisorField(std::string_view text)
{
    std::string flat;
    for (char c : text)
        flat += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    return std::string(TrimBlanks(Utf8Prefix(TrimBlanks(flat), kMaxAdvisorField)));
}

void ApplyPrintDefaults(const PrintDefaults& defaults, UserFileValues& values)
{
    for (Setting s : kPrintSettings)
        values.values[s] = defaults.values[s];

    auto& extra = values.extraSettings;
    std::erase_if(extra, [](const auto& setting) {
        return setting.first == kAdvisorNameKey || setting.first == kAdvisorCompanyKey;
    });
    extra.emplace_back(std::string(kAdvisorNameKey), CleanAdvisorField(defaults.advisor.name));
    extra.emplace_back(std::string(kAdvisorCompanyKey), CleanAdvisorField(defaults.advisor.companyName));
}

} // namespace gw
