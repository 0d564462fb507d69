// Lines of the project's error file.
#include "model/errorfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ErrorFileTest, MissingAndMismatchLinesAreAppendedAsLatin1) {
  QTemporaryDir dir;
  const QString path = dir.filePath("project.err");
  ASSERT_TRUE(AppendMissingLine(path, 32802, 7, QStringLiteral("12")));
  ASSERT_TRUE(AppendMismatchLine(path, "/VMX/COLLCALL3/RELAY", "r5", QStringLiteral("r6 \u00b5")));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("Zone 7 : 12 is missing\r\n"
                                       "ERROR: /VMX/COLLCALL3/RELAY >>r6 \xb5<< should be >>r5<<\r\n"));
}

TEST(ErrorFileTest, AnEmptyPathWritesNothing) {
  EXPECT_FALSE(AppendMissingLine(QString(), 32802, 1, "x"));
  EXPECT_FALSE(AppendMismatchLine(QString(), "x", "1", "2"));
  EXPECT_FALSE(QFile::exists(" is missing"));
}
