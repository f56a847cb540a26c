#pragma once

// What every window test uses: the Qt modules, fakes of the window services
// and the user's gestures.
#include "captionsource.h"
#include "helpservice.h"
#include "messages.h"
#include "windowsetup.h"

#include <gtest/gtest.h>

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <cctype>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace gw::test {

// Captions from a small table; any other key reads "[key]". Placeholders
// "<n>" are filled like the caption files' own.
class MapCaptions : public CaptionSource {
public:
    MapCaptions()
    {
        set("BoundsTaxRate", "Tax rate: <1> to <2>");
        set("BoundsInterestRate", "Interest rate: <1> to <2>, warning at <3>");
        set("BoundsSavingsPeriod", "Savings period: <1> to <2>");
        set("BoundsReturns", "Return: <1> to <2>");
        set("BoundsTimesLoanRepeated", "At most <1> years");
        set("BoundsTimesLoanRepeatedRange", "Repeats: <1> to <2>");
        set("BoundsBreakdownOfGrossReturn", "Part: <1> to <2>");
        set("stsbarRecommendedSponsorLimit", "Beyond the limit of <1>");
    }
    std::map<std::string, std::string> texts;  // lower-case keys
    int lang = 0;

    void set(const std::string& key, const std::string& text) { texts[lower(key)] = text; }
    std::string caption(std::string_view key) const override
    {
        const auto found = texts.find(lower(std::string(key)));
        return found != texts.end() ? found->second : "[" + std::string(key) + "]";
    }
    std::string fill(std::string_view text, const std::vector<std::string>& values) const override
    {
        std::string out(text);
        for (std::size_t n = values.size(); n >= 1; --n) {
            const std::string mark = "<" + std::to_string(n) + ">";
            for (std::size_t at = out.find(mark); at != std::string::npos; at = out.find(mark, at + values[n - 1].size()))
                out.replace(at, mark.size(), values[n - 1]);
        }
        return out;
    }
    // Any number, so that a test can pose a language that has no help set.
    Language language() const override { return static_cast<Language>(lang); }

private:
    static std::string lower(std::string s)
    {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return s;
    }
};

// Records every message; questions take the queued answers (Yes when none
// is queued).
class RecordingMessages : public MessageService {
public:
    struct Message {
        QString kind;  // "information", "warning", "critical", "question"
        QString title;
        QString text;
    };
    std::vector<Message> messages;
    std::deque<bool> answers;

    void setNextAnswer(bool yes) { answers.push_back(yes); }
    void show(Icon icon, const QString& title, const QString& text) override
    {
        const QString kind = icon == Icon::Critical ? "critical" : icon == Icon::Warning ? "warning" : "information";
        messages.push_back({kind, title, text});
    }
    bool askYesNo(const QString& title, const QString& text) override
    {
        messages.push_back({"question", title, text});
        if (answers.empty())
            return true;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    int count(const QString& kind) const
    {
        return int(std::count_if(messages.begin(), messages.end(), [&](const Message& m) { return m.kind == kind; }));
    }
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    // "title: text" of each message since the last call, "|"-separated, and
    // forgets them.
    std::string take()
    {
        QStringList texts;
        for (const Message& m : messages)
            texts << m.title + ": " + m.text;
        messages.clear();
        return texts.join(" | ").toStdString();
    }
};

class RecordingHelp : public HelpService {
public:
    std::vector<int> topics;
    int contentsShown = 0;
    void showTopic(int contextNumber) override { topics.push_back(contextNumber); }
    void showContents() override { ++contentsShown; }
    void showFileContents(const std::string&) override {}
};

// Counts the analyses the window asks for; fails the next ones on demand.
struct FakeRunner {
    int runs = 0;
    std::vector<int> types;
    std::vector<AnalysisInputs> inputs;
    std::string failWith;

    AnalysisRunner function()
    {
        return [this](Strategy strategy, const AnalysisInputs& in) {
            ++runs;
            types.push_back(static_cast<int>(strategy));
            inputs.push_back(in);
            AnalysisOutcome outcome;
            if (failWith.empty())
                outcome.results = AnalysisResults{};
            else
                outcome.error = failWith;
            return outcome;
        };
    }
};

// The child of `parent` with that object name; throws naming it when there
// is none, so a renamed control fails the test instead of crashing it.
template <class T>
T* child(QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no " + std::string(T::staticMetaObject.className()) + " named " + name.toStdString());
    return found;
}

// What a user does: select the field's text and type over it.
inline void typeInto(QLineEdit* box, const QString& text)
{
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

// Leaving the field with Tab.
inline void leave(QLineEdit* box)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

inline void pressEnter(QLineEdit* box)
{
    QTest::keyClick(box, Qt::Key_Return);
}

inline void clickArrow(QWidget& spinner, bool up)
{
    QTest::mouseClick(child<QToolButton>(spinner, up ? "up" : "down"), Qt::LeftButton);
}

} // namespace gw::test
