#include <QApplication>

#include <gtest/gtest.h>

// Qt and the font libraries keep caches until exit that the leak checker would report.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

// Every test program runs with a QApplication on the offscreen platform, so that dialogs,
// timers and the serial port's notifiers behave as in the program. Plain "offscreen" gets a
// desktop-sized screen (the platform's own is 800 x 600, smaller than the main window), so
// that windows keep their own layout; a test that needs another screen names its own
// configuration file.
int main(int argc, char* argv[])
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" QUORBEL_TEST_SOURCE_DIR "/support/screens/desktop.json");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
