#include "app/dialogs/LoggerFileTitles.h"

#include "record/LoggerFile.h"

#include <QDir>
#include <QFile>

std::vector<std::string> ListLoggerTitles(const std::string& folder)
{
    const QDir dir(QFile::decodeName(folder.c_str()));
    const QStringList names
        = dir.entryList({QStringLiteral("*.arg")}, QDir::Files | QDir::CaseSensitive, QDir::Name);
    std::vector<std::string> titles;
    for (const QString& name : names) {
        std::string title = QFile::encodeName(name).toStdString();
        title.resize(title.size() - 4);
        if (IsValidLoggerName(title))
            titles.push_back(std::move(title));
    }
    return titles;
}
