// The field checks the windows share, and the spinner.
#include "fakes.h"

#include "updown.h"
#include "validation.h"

namespace gw::test {
namespace {

class ChecksTest : public ::testing::Test {
protected:
    MapCaptions captions;
    RecordingMessages messages;
    InputChecks checks{captions, messages};
    QString status;
    QLineEdit box;

    ChecksTest()
    {
        checks.setStatusSink([this](const std::string& key, const std::vector<std::string>& values) {
            status = lookUp(checks.captions(), key, values);
        });
        checks.setSponsorName("Acme");
    }
};

// The legal range is one step inside the spinner's limits; the sponsor's
// levels (0: none) turn the text red with the hint naming the sponsor.
TEST_F(ChecksTest, boundsRepairToTheNearerLegalEndAndMarkTheSponsorsLevels)
{
    const struct {
        const char* typed;
        double above;
        double below;
        const char* after;
        bool message;
        bool red;
    } cases[] = {
        {"100", 0, 0, "99", true, false},   {"99.5", 0, 0, "99", true, false}, {"1e400", 0, 0, "99", true, false},
        {"-5", 0, 0, "0", true, false},     {"-0.5", 0, 0, "0", true, false},  {"99", 0, 0, "99", false, false},
        {"0", 0, 0, "0", false, false},     {"37.5", 0, 0, "37.5", false, false},
        {"15", 15, 0, "15", false, true},   {"14.9", 15, 0, "14.9", false, false},
        {"4", 0, 4, "4", false, true},      {"4.5", 0, 4, "4.5", false, false},
        {"150", 98, 0, "99", true, true},   {"-3", 0, 1, "0", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        UpDown spinner(&box, -1, 100);
        box.setText(c.typed);
        EXPECT_EQ(checks.checkBounds(box, spinner, "Tax rate: 0 to 99", c.above, c.below), !c.message);
        EXPECT_EQ(box.text(), c.after);
        EXPECT_EQ(messages.take(), c.message ? "[OutOfBoundsTitle]: Tax rate: 0 to 99" : "");
        if (c.message) {
            EXPECT_EQ(spinner.value(), box.text().toInt());
        }
        EXPECT_EQ(InputChecks::atSponsorLimit(box), c.red);
        EXPECT_EQ(status, c.red ? "Beyond the limit of Acme" : "[stsbarPressF1]");
    }
}

TEST_F(ChecksTest, formatChecksRepairInPlace)
{
    const auto value = [&] { return checks.checkValue(box, 5); };
    const auto dollars = [&] { return checks.checkDollarValue(box, 100000); };
    const auto whole = [&] { return checks.checkIntegerValue(box); };
    const struct {
        std::function<bool()> check;
        int language;
        const char* typed;
        const char* after;
        const char* message;  // empty: none
    } cases[] = {
        {value, English, "abc", "5", "[checkValue]"},
        {[&] { return checks.checkValue(box, 7.5); }, English, "", "7.5", "[checkValue]"},
        {value, English, "12abc", "5", "[checkValue]"},
        {value, English, "$100,000", "$100,000", ""},
        {value, English, "-3.5", "-3.5", ""},
        {value, English, "- 3", "5", "[checkValue]"},
        {value, English, "1,5", "5", "[checkValue]"},
        {value, French, "100 000 $", "100 000 $", ""},
        {dollars, English, "$0", "100000", "[checkDollarValue]"},
        {dollars, English, "0.4", "100000", "[checkDollarValue]"},
        {dollars, English, "-5", "100000", "[checkDollarValue]"},
        {dollars, English, "$1", "$1", ""},
        {whole, English, "10.7", "10", "[checkIntegerValue]"},
        {whole, English, "10", "10", ""},
        {whole, French, "10,7", "10", "[checkIntegerValue]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in language " + std::to_string(c.language));
        captions.lang = c.language;
        box.setText(c.typed);
        EXPECT_EQ(c.check(), *c.message == 0);
        EXPECT_EQ(box.text(), c.after);
        EXPECT_EQ(messages.take(), *c.message ? "[IncorrectInputTitle]: " + std::string(c.message) : "");
    }
}

TEST_F(ChecksTest, timesRepeatedMayFillEightyYearsButNotMore)
{
    QLineEdit period;
    const struct {
        Strategy type;
        const char* period;
        const char* times;
        bool accepted;
    } cases[] = {
        {Strategy::TermLoan, "20", "3", true}, {Strategy::TermLoan, "20", "4", false},
        {Strategy::RRSP, "40", "1", true},     {Strategy::RRSP, "41", "1", false},
        {Strategy::RRSP, "80", "0", true},
        {Strategy::InterestOnly, "20", "4", true},  // interest-only loans are never repeated
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.period) + " years, " + c.times + " repeats, type " + std::to_string(Index(c.type)));
        period.setText(c.period);
        box.setText(c.times);
        EXPECT_EQ(checks.checkTimesLoanRepeated(period, box, 0, c.type), c.accepted);
        EXPECT_EQ(box.text(), c.accepted ? QString(c.times) : QString("0"));
        EXPECT_EQ(messages.take(), c.accepted ? "" : "[IncorrectInputTitle]: At most 80 years");
    }
}

TEST(UpDownTest, clicksStepTheFieldAndStopAtTheLimits)
{
    QLineEdit box;
    UpDown spinner(&box, -1, 100);
    QSignalSpy clicks(&spinner, &UpDown::clicked);
    const struct {
        const char* typed;  // null: the field as it is
        bool up;
        const char* after;
        int clicks;
    } steps[] = {
        {"40", true, "41", 1},
        {"37.6", false, "37", 2},  // typed since: the click starts from the field
        {"99", true, "100", 3},    // the limit: the field's check repairs it
        {nullptr, true, "100", 3}, // nothing moved, nothing to check
        {"250", true, "100", 4},
        {"abc", false, "99", 5},   // no number: the spinner's own value counts
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed ? s.typed : "(as it is)");
        if (s.typed)
            box.setText(s.typed);
        clickArrow(spinner, s.up);
        EXPECT_EQ(box.text(), s.after);
        EXPECT_EQ(clicks.count(), s.clicks);
    }
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), "100");
    EXPECT_EQ(clicks.count(), 6);
}

} // namespace
} // namespace gw::test
