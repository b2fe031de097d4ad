#include <QApplication>

#include <gtest/gtest.h>

// Qt and the font libraries keep caches until exit that the leak checker would report.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

// Every test program runs with a QApplication on the offscreen platform, so that dialogs,
// timers and the serial port's notifiers behave as in the program.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
