#pragma once

#include "captions.h"
#include "captionsource.h"

namespace gw {

// Captions from the loaded caption tables, in a language the program
// switches at run time. The tables must outlive it.
class TableCaptionSource : public CaptionSource {
public:
    TableCaptionSource(const CaptionTables& tables, Language language) : tables_(tables), language_(language) {}
    void setLanguage(Language language) { language_ = language; }

    std::string caption(std::string_view key) const override { return GetCaption(tables_, key, language_); }
    std::string fill(std::string_view text, const std::vector<std::string>& values) const override
    {
        return FillPlaceholders(text, values);
    }
    Language language() const override { return language_; }
    const CaptionTables* tables() const override { return &tables_; }

private:
    const CaptionTables& tables_;
    Language language_;
};

} // namespace gw
