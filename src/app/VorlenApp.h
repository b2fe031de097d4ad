#pragma once

#include <memory>

class CMainFrame;
class CVorlenDoc;

// The application: the settings names, the data folder, the empty document and the main
// frame with its main screen. Built after the QApplication, before its event loop runs.
class CVorlenApp final
{
public:
    CVorlenApp();
    ~CVorlenApp();
    CVorlenApp(const CVorlenApp&) = delete;
    CVorlenApp& operator=(const CVorlenApp&) = delete;

    // Builds and shows the main frame; false when the program cannot start.
    bool InitInstance();
    // After the event loop: the frame is gone and the port closed.
    int ExitInstance();

    CMainFrame* MainFrame() const { return m_frame.get(); }

    // The settings names the program keeps its own state under (QSettings).
    static void SetSettingsNames();

private:
    std::unique_ptr<CVorlenDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};
