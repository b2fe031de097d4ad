#include "app/MainFrame.h"
#include "app/VorlenApp.h"
#include "display/DisplayOpeners.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CVorlenApp app;
    if (!app.InitInstance())
        return 1;

    // The data display's windows, from the library above the main screen's.
    app.MainFrame()->SetDisplayWindows(DisplayOpeners());

    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
