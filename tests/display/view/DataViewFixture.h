#pragma once

#include "data/DataFilePaths.h"
#include "record/LoggerRecord.h"
#include "display/DataViewDlg.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// A configuration "Site1" whose logger folder lies in a temporary folder, table files
// written into it, and the data window on it.
class DataViewFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    // Writes the table file of a logger ID byte for byte.
    void WriteTable(int id, const QByteArray& bytes) const;
    // The table lines joined with CR LF, as the table build writes them.
    static QByteArray CrLf(std::initializer_list<const char*> lines);
    // Builds the table file of a logger ID from the simulator's stored records.
    void BuildTableFromSim(int id, int records) const;

    // Makes the window and runs its initialisation, as DoModal does before its loop.
    CDataViewDlg& Open();
    std::string Path(int id) const { return CsvFilePath(record, id); }
    std::vector<std::string> ListedIds() const;
    // The texts of a grid row.
    std::vector<std::string> Row(int row) const;

    QTemporaryDir dir;
    LoggerRecord record{};
    std::unique_ptr<CDataViewDlg> dlg;
};
