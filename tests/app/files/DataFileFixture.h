#pragma once

#include "app/AccFile.h"
#include "app/CsvFile.h"
#include "app/DataFilePaths.h"
#include "app/record/LoggerRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

// A configuration "Site1" whose logger folder lies in a temporary folder, on fixed time zone
// rules so that table times do not depend on the machine.
class DataFileFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        qputenv("TZ", "UTC");
        tzset();
        record = NewLoggerRecord("Site1", dir.path().toStdString() + "/");
        record.m_nDateFormat = 0;
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(LoggerFolderPath(record))));
    }

    static QByteArray Lines(const std::vector<std::string>& lines, const char* end = "\r\n")
    {
        QByteArray bytes;
        for (const std::string& line : lines)
            bytes += QByteArray::fromStdString(line) + end;
        return bytes;
    }

    void WriteRaw(const QByteArray& bytes, int loggerId = 1)
    {
        QFile file(QString::fromStdString(AccFilePath(record, loggerId)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // Rebuilds the table of logger 1 from the raw file as it stands and returns the table.
    QByteArray Rebuild(const CsvBuildOptions& options = {})
    {
        AccFile raw(AccFilePath(record, 1));
        EXPECT_TRUE(raw.Open());
        EXPECT_TRUE(RebuildCsvFile(record, 1, raw, options));
        return ReadTable();
    }

    QByteArray BuildFrom(const std::vector<std::string>& lines)
    {
        WriteRaw(Lines(lines));
        return Rebuild();
    }

    QByteArray ReadTable(int loggerId = 1)
    {
        QFile file(QString::fromStdString(CsvFilePath(record, loggerId)));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    QTemporaryDir dir;
    LoggerRecord record{};
};
