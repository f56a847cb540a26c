#pragma once

#include "data_sources.h"
#include "charset.h"
#include "recordfile.h"
#include "reporter.h"
#include "textveil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace gw::test {

struct Message {
    std::string title;
    std::string text;
    SettingsReporter::Icon icon;
};

class RecordingReporter : public SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon icon) override
    {
        messages.push_back({title, text, icon});
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const Message& m : messages)
            out.push_back(m.text);
        return out;
    }
    std::vector<Message> messages;
};

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("gearwise-settings-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A record file from plain lines.
inline void writeRecordFile(const std::filesystem::path& path, const std::vector<std::string>& lines)
{
    WritePlainRecordFile(path, lines);
}

// Writes a caption file as shipped: each UTF-8 line in Windows-1252, masked.
inline void writeCaptionFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                      const char* lineEnd = "\r\n")
{
    RecordingReporter reporter;
    const VeilRandom random = SeededRandom(9);
    std::string bytes;
    int level = 1;
    for (const std::string& line : lines) {
        bytes += TextVeilEncode(*Cp1252FromUtf8(line), level, reporter, random) + lineEnd;
        level = level % 3 + 1;
    }
    writeBytes(path, bytes);
}

// A complete sponsor file, as plain lines.
inline std::vector<std::string> sponsorFileLines(const std::string& sponsorName = "Acme Wealth")
{
    return {
        "[SponsorInfo]",
        sponsorName + "= SponsorName",
        "presented by= AppTitle",
        "Acme Wealth - for discussion only= PrintoutFooter",
        "acme.hlp= helpPath",
        "Acme help= helpCaption",
        "acme.jpg= logoPath",
        "0= PrevLanguage",
        "[AnalysisRestrictions]",
        "1= showIntOnlyAnalysis",
        "1= showTermLoanAnalysis",
        "0= showRRSPAnalysis",
        "[InputLimits]",
        "25= Maximum Return Allowed",
        "15= Return at which Warning Issued",
        "2= Minimum Interest Rate Allowed",
        "3.5= Interest Rate at which Warning Issued",
        "[InputDefaults]",
        "50000= Loan Amount ($)",
        "40= Tax Rate (%)",
        "7.5= Interest Rate on Loan (%)",
        "20= Savings Period (years)",
        "0= Investment Type",
        "0= Other Unleveraged Income ($)",
        "8= Projection Return",
        "1= Times Loan Repeated",
        "40= Capital Gains",
        "50= Deferred Capital Gains",
        "5= Dividends",
        "5= Interest",
        "False= Show Advanced Details",
        "True= Print Summary Checklist",
        "False= Print Legal Disclaimer",
        "True= Print Signatures",
        "1= Print Summary",
        "1= Print Projection",
        "0= Print Checklist Page",
        "1= Print Name",
        "0= Print Company Name",
        "100= Portion of Interest Rate Deductible (%)        ",
        "100= Federal Portion of Interest Rate Deductible (%)",
        "100= Provincial Portion of Interest Rate Deductible (%)",
        "False= Federal Deductibility Limited to Taxable Income",
        "True= Provincial Deductibility Limited to Taxable Income",
        "2= Federal Investment Expenses (%)",
        "2.5= Provincial Investment Expenses (%)",
        "1= Federal Defer Undeducted Expenses",
        "0= Provincial Defer Undeducted Expenses",
        "0= Federal Include Capital Gains",
        "1= Provincial Include Capital Gains",
        "58= Federal To Marginal Tax Rate Ratio (%)",
        "4= Projected Return 1 (%)",
        "6= Projected Return 2 (%)",
        "8= Projected Return 3 (%)",
        "10= Projected Return 4 (%)",
        "0.5= Capital Gains Inclusion Rate (%)",
        "0.2505= Interest Tax Rate 1 (%)",
        "0.3115= Interest Tax Rate 2 (%)",
        "0.4341= Interest Tax Rate 3 (%)",
        "0.4641= Interest Tax Rate 4 (%)",
        "0.0= Dividend Tax Rate 1 (%)",
        "0.0575= Dividend Tax Rate 2 (%)",
        "0.2212= Dividend Tax Rate 3 (%)",
        "0.2915= Dividend Tax Rate 4 (%)",
        "0= Start of Tax Bracket 1 ($)",
        "35000= Start of Tax Bracket 2 ($)",
        "70000= Start of Tax Bracket 3 ($)",
        "113804= Start of Tax Bracket 4 ($)",
        "[LegalDisclaimer]",
        "This illustration is not advice.=LegalDisclaimerEnglish1",
        "Cette illustration n'est pas un conseil.=LegalDisclaimerFrench1",
    };
}

} // namespace gw::test
