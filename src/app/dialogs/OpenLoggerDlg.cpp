#include "app/dialogs/OpenLoggerDlg.h"

#include "app/TimedMessageBox.h"
#include "app/dialogs/NewLoggerDlg.h"
#include "app/dialogs/TimerConfirmDlg.h"
#include "app/dialogs/ConfigList.h"
#include "app/dialogs/LoggerFileTitles.h"
#include "record/LoggerFile.h"
#include "record/DataFolder.h"
#include "record/LoggerTable.h"
#include "platform/Format.h"
#include "res/DialogTemplates.h"
#include "res/OpenLoggerIds.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

using namespace OpenLoggerIds;

namespace {

constexpr size_t ArgEndingLength = 4; // ".arg", or whatever four characters end the name
} // namespace

COpenLoggerDlg::COpenLoggerDlg(QWidget* parent)
    : CDialogBase(Dialog311(), parent)
{
    m_fileList = ItemAs<QTreeWidget>(IDC_FILE_LIST);
    m_openList = ItemAs<QTreeWidget>(IDC_OPEN_LIST);
    Controls().OnClicked(IDC_OPEN, this, &COpenLoggerDlg::OnBnClickedOpen);
    Controls().OnClicked(IDC_ADD_NEW, this, &COpenLoggerDlg::OnBnClickedAddNew);
    Controls().OnClicked(IDC_DELETE, this, &COpenLoggerDlg::OnBnClickedDelete);
    Controls().OnClicked(IDC_REMOVE, this, &COpenLoggerDlg::OnBnClickedRemove);
    Controls().OnClicked(IDC_APPLY, this, &COpenLoggerDlg::OnBnClickedApply);
    Controls().OnClicked(IDC_CANCEL, this, &COpenLoggerDlg::OnOK);
    connect(m_fileList, &QTreeWidget::itemDoubleClicked, this,
        [this](QTreeWidgetItem* row) { OnDblclkFileList(row); });
}

bool COpenLoggerDlg::OnInitDialog()
{
    m_font = font();
    m_font.setPixelSize(13);
    m_font.setWeight(QFont::Normal);
    SetupConfigList(m_fileList, "Using Logger list (*.arg)", m_font);
    SetupConfigList(m_openList, "Open Logger", m_font);
    FillFileList();
    FitConfigColumn(m_fileList);
    // Rows of open records carry their index in the table, so that Apply can keep them.
    for (int i = 0; i < g_nLoggerCount; ++i)
        AppendConfigRow(m_openList, FieldText(g_loggers[i].m_szName), i);
    FitConfigColumn(m_openList);
    return true;
}

void COpenLoggerDlg::FillFileList()
{
    m_fileList->clear();
    for (const std::string& title : ListLoggerTitles(g_strDataFolder))
        AppendConfigRow(m_fileList, title);
}

bool COpenLoggerDlg::ChooseFile(std::string& path)
{
    const QString chosen
        = QFileDialog::getOpenFileName(this, QString(), QFile::decodeName(g_strDataFolder.c_str()),
            QStringLiteral("Arg File (*.arg);;All File (*)"));
    if (chosen.isEmpty())
        return false;
    path = QFile::encodeName(chosen).toStdString();
    return true;
}

void COpenLoggerDlg::OnBnClickedOpen()
{
    std::string chosen;
    if (!ChooseFile(chosen))
        return;
    const size_t slash = chosen.find_last_of('/');
    const std::string fileName = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    // The entry is the path without its four-character ending; a name no longer than that
    // would leave no title (or cut into the folder).
    const std::string path
        = chosen.substr(0, chosen.size() - std::min(chosen.size(), ArgEndingLength));
    const std::string title = path.substr(std::min(path.size(), slash + 1));
    if (fileName.size() <= ArgEndingLength || slash == std::string::npos
        || !IsValidLoggerName(title)) {
        TimedMessageBox(
            FormatString("%s is not a configuration file.", chosen.c_str()), TimedBoxForm::Warning);
        return;
    }
    for (const std::string& row : ConfigRowTexts(m_fileList)) {
        if (row == title || row == path) {
            ShowTimedMessage(false, FormatString("%s had opened already.", row.c_str()), "Error");
            return;
        }
    }
    AppendConfigRow(m_fileList, path);
    FitConfigColumn(m_fileList);
}

void COpenLoggerDlg::OnBnClickedAddNew()
{
    CNewLoggerDlg dialog(this);
    dialog.DoModal();
    // Whatever the editor did, the list shows the folder as it is now.
    FillFileList();
}

void COpenLoggerDlg::OnBnClickedDelete()
{
    for (QTreeWidgetItem* row : SelectedConfigRows(m_fileList)) {
        const std::string text = ConfigRowText(row);
        bool open = false;
        for (int i = 0; i < g_nLoggerCount; ++i) {
            if (FieldText(g_loggers[i].m_szName) == text) {
                open = true;
                ShowTimedMessage(false, "Do not delete logger of open", "Error");
            }
        }
        if (open)
            continue;
        // A file that stays (a folder in its place, a medium that refuses) keeps its row.
        const std::string path = LoggerFilePath(text);
        const QString file = QFile::decodeName(path.c_str());
        if (!QFile::remove(file) && QFileInfo::exists(file)) {
            TimedMessageBox(FormatString("The file %s could not be deleted.", path.c_str()),
                TimedBoxForm::Warning);
            continue;
        }
        delete row;
    }
}

void COpenLoggerDlg::OnBnClickedRemove()
{
    const std::vector<QTreeWidgetItem*> selected = SelectedConfigRows(m_openList);
    if (!selected.empty())
        delete selected.front();
}

void COpenLoggerDlg::OnDblclkFileList(QTreeWidgetItem* row)
{
    if (!row)
        return;
    const std::string text = ConfigRowText(row);
    const std::vector<std::string> open = ConfigRowTexts(m_openList);
    if (std::find(open.begin(), open.end(), text) == open.end()) {
        if (open.size() >= static_cast<size_t>(MaxOpenLoggers)) {
            TimedMessageBox(
                FormatString("No more than %d loggers can be opened at once.", MaxOpenLoggers),
                TimedBoxForm::Warning);
            return;
        }
        AppendConfigRow(m_openList, text);
    }
    FitConfigColumn(m_openList);
}

void COpenLoggerDlg::OnBnClickedApply()
{
    // Records that stay open keep what they hold in memory (changes not yet saved among it)
    // instead of being read again from a file that may not be the one they came from.
    const std::vector<LoggerRecord> before(g_loggers, g_loggers + g_nLoggerCount);
    std::vector<std::string> beforeFiles;
    for (int i = 0; i < g_nLoggerCount; ++i)
        beforeFiles.push_back(LoggerSourceFile(i));
    ClearLoggerTable();
    const int rows = std::min(m_openList->topLevelItemCount(), MaxOpenLoggers);
    int taken = 0;
    for (int i = 0; i < rows; ++i) {
        const QTreeWidgetItem* row = m_openList->topLevelItem(i);
        const int openIndex = ConfigRowTag(row);
        if (openIndex >= 0 && openIndex < static_cast<int>(before.size())) {
            g_loggers[taken] = before[static_cast<size_t>(openIndex)];
            SetLoggerSourceFile(taken++, beforeFiles[static_cast<size_t>(openIndex)]);
            continue;
        }
        // A file that is no configuration is named and left out; the others still open.
        std::string refusal;
        LoadLoggerFile(taken, ConfigRowText(row), &refusal);
        if (refusal.empty())
            ++taken;
        else
            TimedMessageBox(refusal, TimedBoxForm::Warning);
    }
    g_nLoggerCount = taken;
    OnOK();
}
