#pragma once

#include "captions.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The texts of the current language, looked up by caption key (UTF-8). The
// program backs it with the caption tables; tests use a map.
class CaptionSource {
public:
    virtual ~CaptionSource() = default;
    virtual std::string caption(std::string_view key) const = 0;
    // `text` with each "<n>" replaced by values[n - 1]; values go in as they
    // are and are never expanded again.
    virtual std::string fill(std::string_view text, const std::vector<std::string>& values) const = 0;
    // Decides how money is written in the fields.
    virtual Language language() const = 0;
    // The caption tables behind the texts, for the routines that look
    // captions up themselves (the notes); null when there are none.
    virtual const CaptionTables* tables() const { return nullptr; }
};

// Key of one member of a control array: captionKey("mnuSetupItem", 2) is
// "mnuSetupItem(2)".
std::string captionKey(std::string_view base, int index);

// Object name of one member of a control array: the base name followed by
// the index, so txtReturn(2) is "txtReturn2" and gridSummaryTable(0) is
// "gridSummaryTable0". Every window and test uses this convention.
QString arrayName(std::string_view base, int index);

// The caption of `key`, filled with `values` when there are any.
QString lookUp(const CaptionSource& captions, std::string_view key, const std::vector<std::string>& values = {});

} // namespace gw
