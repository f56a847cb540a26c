// Runs the device tests on one QGuiApplication; the offscreen platform is the
// default so that listing the tests at build time needs no display.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
