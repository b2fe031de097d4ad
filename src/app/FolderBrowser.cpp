#include "app/FolderBrowser.h"

#include "data/FolderUtils.h"

#include <QFile>
#include <QFileDialog>

bool BrowseForFolder(QWidget* parent, const BrowseFolderParams& params, std::string& folder)
{
    const QString chosen
        = QFileDialog::getExistingDirectory(parent, QString::fromLocal8Bit(params.title.c_str()),
            QFile::decodeName(params.initial.c_str()), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return false;
    const std::string path = QFile::encodeName(chosen).toStdString();
    // Only a folder that is there can be chosen, whatever the dialog let through.
    if (!FolderExists(path.c_str()))
        return false;
    folder = path;
    return true;
}
