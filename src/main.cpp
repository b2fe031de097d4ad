#include "app/MainFrame.h"
#include "app/VorlenApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CVorlenApp app;
    if (!app.InitInstance())
        return 1;

    // The data display's windows: the data window and the graph window are opened through
    // here once they are part of the program.
    app.MainFrame()->SetDisplayWindows(DisplayWindows{});

    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
