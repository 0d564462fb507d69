// A whole project down to the paced simulated unit and back again, three
// times: what an installer does first with a new unit. A program of its own
// because three paced rounds take minutes of the line. Every wait has a
// limit that only catches a hang.
#include "everyfamilyproject.h"
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linktestbench.h"
#include "support/projectbytes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString ErrorFileText(const QString& projectPath) {
  const QFileInfo info(projectPath);
  QFile file(info.path() + QStringLiteral("/") + info.completeBaseName() + QStringLiteral(".err"));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromLatin1(file.readAll());
}

}  // namespace

class RoundTripTest : public LinkTestBench {
 protected:
  void SetUp() override {
    LinkTestBench::SetUp();
    TeachEveryFamily(sim);
    sim.SetPaced(!qEnvironmentVariableIsSet("SELV_ROUNDTRIP_UNPACED"));
    FillEveryFamilyProject(*doc, EveryFamilySize::Small);
    ASSERT_TRUE(dir.isValid());
    projectPath = dir.filePath(QStringLiteral("every-family.sxm"));
    doc->SetPathName(projectPath);
  }

  QTemporaryDir dir;
  QString projectPath;
};

TEST_F(RoundTripTest, DownloadThenUploadChangesNothingThreeTimesInARow) {
  ASSERT_TRUE(Connect());
  const QByteArray before = SaveProject(*doc);
  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    sim.ClearLog();
    CTransfer transfer;
    ASSERT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
    ASSERT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
    // No difference reported: not one message.
    for (const MessageRequest& request : messages.Requests()) ADD_FAILURE() << request.text.toStdString();
    messages.Clear();
    EXPECT_EQ(ErrorFileText(projectPath), QString());
    EXPECT_TRUE(link->IsConnected());
    EXPECT_TRUE(SaveProject(*doc) == before) << "the project changed in the round trip";
  }
}
