#pragma once

#include "platform/DialogBase.h"

#include <QFont>

#include <string>

class QTreeWidget;
class QTreeWidgetItem;

// "Open Logger": the configuration files of the data folder beside the list of
// configurations to open; Apply makes that list the table of open records, leaving out (and
// naming) any file whose record holds values the program never stores.
// Use: COpenLoggerDlg dlg; dlg.DoModal(); (the result means nothing; only Apply changes
// g_loggers).
class COpenLoggerDlg : public CDialogBase
{
    Q_OBJECT

public:
    explicit COpenLoggerDlg(QWidget* parent = nullptr);

    QFont m_font;
    QTreeWidget* m_fileList = nullptr; // 1001: data-folder titles, and full paths from Open
    QTreeWidget* m_openList = nullptr; // 1002: entries to open and names of open records

protected:
    bool OnInitDialog() override;
    // Asks for a configuration file to open; true with its full path. Tests supply the path.
    virtual bool ChooseFile(std::string& path);

private:
    void FillFileList();
    void OnBnClickedOpen();
    void OnBnClickedAddNew();
    void OnBnClickedDelete();
    void OnBnClickedRemove();
    void OnBnClickedApply();
    void OnDblclkFileList(QTreeWidgetItem* row);
};
