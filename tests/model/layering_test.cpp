#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

// The headless model is the bottom layer: the link, the device folders and
// the widgets are built on it, so a model file that includes one of them
// turns the layers upside down (and drags the link into every model test).
// Its dialogs (model/ui) belong to the widget library and may use the shell.
TEST(ModelLayeringTest, ModelIncludesNothingFromTheFoldersAboveIt) {
  const QDir modelDir(QStringLiteral(SELV_TEST_DATA_DIR "/../../src/model"));
  ASSERT_TRUE(modelDir.exists()) << modelDir.absolutePath().toStdString();
  const QRegularExpression projectInclude(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"/]+)/"));
  int files = 0;
  QDirIterator it(modelDir.absolutePath(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.contains(QLatin1String("/model/ui/"))) continue;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    ++files;
    int lineNo = 0;
    while (!file.atEnd()) {
      const QString line = QString::fromUtf8(file.readLine());
      ++lineNo;
      const QRegularExpressionMatch match = projectInclude.match(line);
      if (match.hasMatch()) {
        EXPECT_EQ(match.captured(1).toStdString(), "model")
            << path.toStdString() << ":" << lineNo << ": " << line.trimmed().toStdString();
      }
    }
  }
  EXPECT_GT(files, 10);
}
