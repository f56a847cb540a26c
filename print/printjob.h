#pragma once

#include <string>

namespace gw {

// The print options the print dialog edits and the reports read.
struct PrintJob {
    std::string PreparedForName;     // the client name(s)
    int Copies = 1;                  // copies of each chosen report
    bool PrintName = false;          // print the Prepared-for line
    bool PrintCompanyName = false;   // add the advisor's company to the Prepared-by line
    // Last page of the one-page summary; the dialog keeps exactly one set.
    bool PrintCheckList = false;
    bool PrintSignatures = false;
    bool PrintLegalDisclaimer = false;
};

// Who prepared the report; the reports only read it.
struct AdvisorInfo {
    std::string name;
    std::string companyName;

    bool operator==(const AdvisorInfo&) const = default;
};

} // namespace gw
