#include "display/TableFileText.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// The reader takes files in blocks of a mebibyte: line ends, empty lines and long first
// lines across the blocks' borders read as anywhere else.
class TableFileTextTest : public ::testing::Test
{
protected:
    static constexpr int Block = 1 << 20;

    TableFileText::Status Read(const std::string& bytes)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
        file.close();
        return table.Read(path.toStdString());
    }
    // Lines of "x,y" filling the text up to length, the last one padded and without its
    // end: (length - 1) / 5 + 1 lines.
    static std::string FillTo(size_t length)
    {
        std::string text;
        while (text.size() + 5 < length)
            text += "x,y\r\n";
        text += std::string(length - text.size(), 'x');
        return text;
    }

    QTemporaryDir dir;
    QString path = dir.filePath("t.csv");
    TableFileText table;
};

TEST_F(TableFileTextTest, LinesAcrossTheBlocksOfTheRead)
{
    // A CR LF split by the border: the line before it keeps no CR.
    std::string text = FillTo(Block - 1) + "\r\nlast,z\r\n";
    ASSERT_EQ(Read(text), TableFileText::Status::Read);
    const long long lines = (Block - 2) / 5 + 2;
    EXPECT_EQ(table.Rows(), lines);
    EXPECT_EQ(table.Columns(), 2);
    EXPECT_EQ(table.Line(lines - 2).back(), 'x');
    EXPECT_EQ(table.Line(lines - 1), "last,z");
    // An empty line split by the border ends the table there.
    text = FillTo(Block - 1);
    text.back() = '\n';
    text += "\r\nafter,it\r\n";
    ASSERT_EQ(Read(text), TableFileText::Status::Read);
    EXPECT_EQ(table.Rows(), (Block - 2) / 5 + 1);
    // A first line longer than a block gives its columns.
    text = std::string(Block, 'a') + "," + std::string(Block, 'b') + ",c\nd\n";
    ASSERT_EQ(Read(text), TableFileText::Status::Read);
    EXPECT_EQ(table.Rows(), 2);
    EXPECT_EQ(table.Columns(), 3);
    EXPECT_EQ(table.Line(1), "d");
}

TEST_F(TableFileTextTest, WhatCannotBeReadOrHoldsNoLine)
{
    EXPECT_EQ(
        table.Read(dir.filePath("missing.csv").toStdString()), TableFileText::Status::Unreadable);
    EXPECT_EQ(table.Read(dir.path().toStdString()), TableFileText::Status::Unreadable);
    EXPECT_EQ(Read(""), TableFileText::Status::Empty);
    EXPECT_EQ(Read("\n"), TableFileText::Status::Empty);
    EXPECT_EQ(Read("\r"), TableFileText::Status::Empty);
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(Read("\r\r\n"), TableFileText::Status::Read); // a CR is text but before the end
    EXPECT_EQ(table.Line(0), "\r");
}

} // namespace
