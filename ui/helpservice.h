#pragma once

#include <string>

namespace gw {

// Opens the help of the current language. Topics are the context numbers of
// the help file; a topic the file lacks is the viewer's business.
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void showTopic(int contextNumber) = 0;
    virtual void showContents() = 0;
    // The contents of another help file (the sponsor's own); the program's
    // help file stays the current one afterwards.
    virtual void showFileContents(const std::string& path) = 0;
};

} // namespace gw
