#include "fakes.h"
#include "updown.h"
#include "validation.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

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

TEST_F(ChecksTest, boundsRepairToTheNearerLegalEndWithOneMessage)
{
    // The tax-rate spinner: limits -1 and 100, so 0 to 99 are legal.
    struct Case {
        const char* typed;
        const char* after;
        bool message;
    } cases[] = {
        {"100", "99", true}, {"99.5", "99", true}, {"1e400", "99", true}, {"-5", "0", true},
        {"-0.5", "0", true}, {"99", "99", false},  {"0", "0", false},     {"37.5", "37.5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        UpDown spinner(&box, -1, 100);
        messages.messages.clear();
        box.setText(c.typed);
        EXPECT_EQ(checks.checkBounds(box, spinner, "Tax rate: 0 to 99", 0, 0), !c.message);
        EXPECT_EQ(box.text(), c.after);
        ASSERT_EQ(messages.messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(messages.messages[0].title, "[OutOfBoundsTitle]");
            EXPECT_EQ(messages.messages[0].text, "Tax rate: 0 to 99");
            EXPECT_EQ(spinner.value(), box.text().toInt());
        }
        EXPECT_EQ(status, "[stsbarPressF1]");
    }
}

TEST_F(ChecksTest, sponsorLimitsTurnTheTextRedAndNameTheSponsor)
{
    UpDown spinner(&box, -100, 51);
    struct Case {
        const char* typed;
        double above;
        double below;
        bool red;
    } cases[] = {
        {"15", 15, 0, true}, {"14.9", 15, 0, false}, {"40", 0, 0, false}, {"4", 0, 4, true}, {"4.5", 0, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        box.setText(c.typed);
        checks.checkBounds(box, spinner, "m", c.above, c.below);
        EXPECT_EQ(InputChecks::atSponsorLimit(box), c.red);
        EXPECT_EQ(status, c.red ? "Beyond the limit of Acme" : "[stsbarPressF1]");
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ChecksTest, formatChecksRepairInPlace)
{
    struct Case {
        const char* name;
        std::function<bool()> check;
        const char* typed;
        const char* after;
        const char* message;  // nullptr: none
    } cases[] = {
        {"value letters", [&] { return checks.checkValue(box, 5); }, "abc", "5", "[checkValue]"},
        {"value empty", [&] { return checks.checkValue(box, 7.5); }, "", "7.5", "[checkValue]"},
        {"value trailing letters", [&] { return checks.checkValue(box, 5); }, "12abc", "5", "[checkValue]"},
        {"value dollars", [&] { return checks.checkValue(box, 5); }, "$100,000", "$100,000", nullptr},
        {"value negative", [&] { return checks.checkValue(box, 5); }, "-3.5", "-3.5", nullptr},
        {"value blank after sign", [&] { return checks.checkValue(box, 5); }, "- 3", "5", "[checkValue]"},
        {"value grouped wrongly", [&] { return checks.checkValue(box, 5); }, "1,5", "5", "[checkValue]"},
        {"dollar zero", [&] { return checks.checkDollarValue(box, 100000); }, "$0", "100000", "[checkDollarValue]"},
        {"dollar under half", [&] { return checks.checkDollarValue(box, 100000); }, "0.4", "100000",
         "[checkDollarValue]"},
        {"dollar negative", [&] { return checks.checkDollarValue(box, 100000); }, "-5", "100000",
         "[checkDollarValue]"},
        {"dollar one", [&] { return checks.checkDollarValue(box, 100000); }, "$1", "$1", nullptr},
        {"integer decimals", [&] { return checks.checkIntegerValue(box); }, "10.7", "10", "[checkIntegerValue]"},
        {"integer whole", [&] { return checks.checkIntegerValue(box); }, "10", "10", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.messages.clear();
        box.setText(c.typed);
        EXPECT_EQ(c.check(), c.message == nullptr);
        EXPECT_EQ(box.text(), c.after);
        ASSERT_EQ(messages.messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(messages.messages[0].text, c.message);
            EXPECT_EQ(messages.messages[0].title, "[IncorrectInputTitle]");
        }
    }
}

TEST_F(ChecksTest, frenchFieldsTakeTheirOwnMoneyAndDecimalMark)
{
    captions.lang = 1;
    box.setText("100 000 $");
    EXPECT_TRUE(checks.checkValue(box, 5));
    box.setText("10,7");
    EXPECT_FALSE(checks.checkIntegerValue(box));
    EXPECT_EQ(box.text(), "10");
}

TEST_F(ChecksTest, timesRepeatedMayFillEightyYearsButNotMore)
{
    QLineEdit period;
    struct Case {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.period) + " years, " + c.times + " repeats, type " + std::to_string(Index(c.type)));
        messages.messages.clear();
        period.setText(c.period);
        box.setText(c.times);
        EXPECT_EQ(checks.checkTimesLoanRepeated(period, box, 0, c.type), c.accepted);
        EXPECT_EQ(box.text(), c.accepted ? QString(c.times) : QString("0"));
        ASSERT_EQ(messages.messages.size(), c.accepted ? 0u : 1u);
        if (!c.accepted) {
            EXPECT_EQ(messages.messages[0].text, "At most 80 years");
        }
    }
}

TEST(UpDownTest, clicksStepTheFieldAndStopAtTheLimits)
{
    QLineEdit box;
    UpDown spinner(&box, -1, 100);
    QSignalSpy clicks(&spinner, &UpDown::clicked);
    QToolButton* up = child<QToolButton>(spinner, "up");
    QToolButton* down = child<QToolButton>(spinner, "down");

    box.setText("40");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(box.text(), "41");
    box.setText("37.6");  // typed since: the click starts from the field
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(box.text(), "37");
    box.setText("99");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(box.text(), "100");  // the limit: the field's check repairs it
    EXPECT_EQ(clicks.count(), 3);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(box.text(), "100");
    EXPECT_EQ(clicks.count(), 3);  // nothing moved, nothing to check

    box.setText("250");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(box.text(), "100");
    EXPECT_EQ(clicks.count(), 4);
    box.setText("abc");  // no number: the spinner's own value counts
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(box.text(), "99");
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), "100");
    EXPECT_EQ(clicks.count(), 6);
}

} // namespace
} // namespace gw::test
