// A second program that opens the unit's terminal under another name while
// this one downloads: it is refused before it touches the line, says which
// device is in use, and the download goes on to its end with the unit
// closed. The second program is the real one, run as a child.
#include "link/ccommlink.h"
#include "link/cportlock.h"
#include "link/ctransfer.h"
#include "linktestbench.h"
#include "linktestdevice.h"
#include "support/testtimelimit.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PortLockTest : public LinkTestBench {
 protected:
  void SetUp() override {
    LinkTestBench::SetUp();
    ASSERT_TRUE(dir.isValid());
    other = dir.filePath(QStringLiteral("ttyOther"));
    ASSERT_TRUE(QFile::link(sim.PtyPath(), other));
    otherProject = dir.filePath(QStringLiteral("other.sxm"));
    CSelvantisDoc empty;
    ASSERT_TRUE(empty.OnSaveDocument(otherProject));
  }

  TestTimeLimit limit{std::chrono::seconds(240), [this] { sim.HangUp(); }};
  QTemporaryDir dir;
  QString other;
  QString otherProject;
};

}  // namespace

TEST_F(PortLockTest, ASecondProgramOnTheSameTerminalUnderAnotherNameIsRefused) {
  sim.SetPaced(true);
  AddLinkTestDevice(*doc, 1, 150, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  QProcess second;
  bool started = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (done < 10 || started) return;
    started = true;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(SELV_PROGRAM_PATH), {"--compare", otherProject, "--port", other, "--language", "en"});
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(transfer.Closed());
  ASSERT_TRUE(started);
  ASSERT_TRUE(second.state() == QProcess::NotRunning || second.waitForFinished(kHangLimitMs));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 2);
  const QString err = QString::fromLocal8Bit(second.readAllStandardError());
  EXPECT_TRUE(err.contains(CPortLock::ResolvedDevice(other) + " is in use by another program")) << err.toStdString();
  // Nothing of the second program reached the unit.
  EXPECT_EQ(sim.FullLines().filter("/SERVICE/").size(), 0) << sim.FullLines().join(" | ").toStdString();
  EXPECT_EQ(sim.FullLines().count("/MACRO/LOCK ON"), 1);
  EXPECT_TRUE(link->Disconnect());
  EXPECT_TRUE(messages.Requests().empty());
}
