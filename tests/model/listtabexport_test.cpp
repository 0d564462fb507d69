#include "model/listtabexport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

}  // namespace

TEST(ListTabExportTest, RowsFollowTheTitleLineWithTabsAndCrLf) {
  ListTableText table;
  table.titles = QStringList{"Trigger", "ID", "Condition"};
  table.columnCount = 3;
  table.rows.push_back(QStringList{"Trigger 1", "1", "Fire"});
  table.rows.push_back(QStringList{"Trigger 2", "2", ""});
  EXPECT_EQ(ListTabText(table), QByteArray("Trigger\tID\tCondition\r\nTrigger 1\t1\tFire\r\nTrigger 2\t2\t\r\n"));
}

TEST(ListTabExportTest, EmptyListHasOnlyItsTitleLineAndNoColumnsNothing) {
  ListTableText table;
  table.titles = QStringList{"A", "B"};
  table.columnCount = 2;
  EXPECT_EQ(ListTabText(table), QByteArray("A\tB\r\n"));
  EXPECT_EQ(ListTabText(ListTableText{}), QByteArray());
}

TEST(ListTabExportTest, TabsAreNotEscapedAndLongCellsAreCutTo255Latin1Characters) {
  ListTableText table;
  table.titles = QStringList{"X"};
  table.columnCount = 2;
  table.rows.push_back(QStringList{QString(300, QChar('a')), QString::fromUtf8("Gr\u00fc\tn")});
  const QByteArray text = ListTabText(table);
  EXPECT_EQ(text, QByteArray("X\r\n") + QByteArray(255, 'a') + "\tGr\xfc\tn\r\n");
}

TEST(ListTabExportTest, UnwritableFileLeavesNothingAndReportsIt) {
  QTemporaryDir dir;
  ListTableText table;
  table.titles = QStringList{"A"};
  table.columnCount = 1;
  QString error;
  EXPECT_FALSE(WriteListTabText(dir.filePath("missing/list.txt"), table, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(dir.filePath("missing/list.txt")));
}

TEST(ListTabExportTest, ExistingFileIsReplacedWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath("list.txt");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old contents that are longer than the new ones\r\n");
  }
  ListTableText table;
  table.titles = QStringList{"A"};
  table.columnCount = 1;
  table.rows.push_back(QStringList{"1"});
  ASSERT_TRUE(WriteListTabText(path, table));
  EXPECT_EQ(ReadAll(path), QByteArray("A\r\n1\r\n"));
}
