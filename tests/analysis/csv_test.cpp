#include "csv.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(Csv, quotesOnlyFieldsThatNeedItAndDoublesTheirQuotes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"7.5", "7.5"},
        {"", ""},
        {"Fin d\u2019ann\u00e9e", "Fin d\u2019ann\u00e9e"},  // UTF-8 as it is
        {" spaced ", " spaced "},
        {"Comparison, %", "\"Comparison, %\""},
        {"a \"b\"", "\"a \"\"b\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(CsvField(text), field) << text;
    EXPECT_EQ(CsvRecord({"Year", "a,b", "", "1"}), "Year,\"a,b\",,1");
    EXPECT_EQ(CsvRecord({}), "");
}

} // namespace
} // namespace gw
