#include "DataViewFixture.h"

#include "data/AccFile.h"
#include "data/CsvFile.h"
#include "res/DataViewIds.h"

#include "loggersim/LoggerSim.h"

#include <QComboBox>
#include <QDir>
#include <QFile>

void DataViewFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    record = NewLoggerRecord("Site1", dir.path().toStdString() + "/");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(LoggerFolderPath(record))));
}

void DataViewFixture::WriteTable(int id, const QByteArray& bytes) const
{
    QFile file(QString::fromStdString(Path(id)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray DataViewFixture::CrLf(std::initializer_list<const char*> lines)
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

void DataViewFixture::BuildTableFromSim(int id, int records) const
{
    loggersim::LoggerSim sim;
    sim.SetLoggers({id});
    sim.SetRecordCount(id, records);
    AccFile raw(AccFilePath(record, id));
    ASSERT_TRUE(raw.Open());
    for (const std::string& line : sim.Records(id))
        ASSERT_TRUE(raw.AppendLine(line));
    ASSERT_TRUE(RebuildCsvFile(record, id, raw));
}

CDataViewDlg& DataViewFixture::Open()
{
    dlg = std::make_unique<CDataViewDlg>(record);
    dlg->Create();
    return *dlg;
}

std::vector<std::string> DataViewFixture::ListedIds() const
{
    auto* combo = dlg->ItemAs<QComboBox>(DataViewIds::IDC_LOGGER_ID);
    std::vector<std::string> ids;
    for (int i = 0; i < combo->count(); ++i)
        ids.push_back(combo->itemText(i).toStdString());
    return ids;
}

std::vector<std::string> DataViewFixture::Row(int row) const
{
    std::vector<std::string> texts;
    for (int col = 0; col < dlg->Grid().GetColumnCount(); ++col)
        texts.push_back(dlg->Grid().GetCellText(row, col));
    return texts;
}
