#pragma once

#include "fakes.h"
#include "advanceddetails.h"
#include "custommix.h"
#include "detaildialogs.h"
#include "inputpanel.h"
#include "mainwindow.h"
#include "sample_settings.h"
#include "updown.h"

namespace gw::test {

// A started main window on fakes, with sponsor limits that make the warnings
// reachable: returns warned at 15, loan rates at 4.
class WindowTest : public ::testing::Test {
protected:
    MapCaptions captions;
    RecordingMessages messages;
    RecordingHelp help;
    FakeRunner runner;
    std::unique_ptr<MainWindow> window;
    MainWindowSetup setup;
    DetailDialogs* dialogs = nullptr;  // attached before start-up, as the program does

    WindowTest()
    {
        setup.values = SampleSettingValues();
        setup.values[Setting::MaxReturnAllowed] = 25;
        setup.values[Setting::ReturnWarningLevel] = 15;
        setup.values[Setting::MinInterestRateAllowed] = 2;
        setup.values[Setting::InterestRateWarningLevel] = 4;
        setup.sponsor.SponsorName = "Acme";
        setup.isSponsored = true;
    }

    void open()
    {
        MainWindowServices services;
        services.captions = &captions;
        services.messages = &messages;
        services.help = &help;
        services.runAnalysis = runner.function();
        window = std::make_unique<MainWindow>(services);
        dialogs = attachDetailDialogs(*window, &help);
        window->start(setup);
        messages.messages.clear();
    }

    // Shortcuts need the window shown and active.
    void showActive()
    {
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QLineEdit* field(const QString& name) { return child<QLineEdit>(*window, name); }
    UpDown* spinner(const QString& name) { return child<UpDown>(*window, name); }
    void clickSpinner(const QString& name, bool up)
    {
        clickArrow(*spinner(name), up);
    }
    // Types over the field and leaves it with Tab.
    void enter(const QString& name, const QString& text)
    {
        typeInto(field(name), text);
        leave(field(name));
    }
    QString text(const QString& name) { return field(name)->text(); }
    // The texts of the fields, space-separated.
    std::string texts(const QStringList& names)
    {
        QStringList shown;
        for (const QString& name : names)
            shown << text(name);
        return shown.join(' ').toStdString();
    }
    bool shown(const QString& name) { return child<QWidget>(*window, name)->isVisibleTo(window.get()); }
};

} // namespace gw::test
