// Downloads and uploads driven over the link to the simulated unit: single
// objects, whole projects, command files, and every way a transfer can end.
#include "link/ctransfer.h"
#include "link/ccommandfile.h"
#include "link/linkmode.h"
#include "model/cfilename.h"
#include "support/testtimelimit.h"
#include "linktestbench.h"
#include "linktestdevice.h"
#include "support/recordinglink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

class CTransferTest : public LinkTestBench {
 protected:
  // Lines the simulator received, without the link's own lines.
  QStringList ObjectLines() const {
    QStringList lines;
    for (const QString& line : sim.FullLines())
      if (line.startsWith("/TEST")) lines << line;
    return lines;
  }
};

TEST_F(CTransferTest, DownloadsOneObjectUnderTheMacroLock) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 3);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  std::vector<std::pair<int, int>> progress;
  transfer.SetProgressHandler([&](int done, int total) { progress.emplace_back(done, total); });
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::Done);
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  ASSERT_TRUE(WaitForLines(5));
  EXPECT_EQ(sim.ReceivedLines(),
            (QStringList{"/MACRO/LOCK ON", "/TEST1/V0 v0", "/TEST1/V1 v1", "/TEST1/V2 v2", "/MACRO/LOCK OFF"}));
  // The lock comes off only after the line has been quiet for a second.
  EXPECT_GE(link->GetTimeSinceLastOutput(), 0);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), std::make_pair(0, 3));
  EXPECT_EQ(progress.back(), std::make_pair(3, 3));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CTransferTest, WaitsForAQuietLineBeforeLeavingDownloadMode) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  ASSERT_TRUE(Connect());
  int lockOffAfterMs = -1;
  // Counted from the unit's last echo: the progress handler may run a
  // moment after it came.
  QElapsedTimer sinceLast;
  int64_t echoLagMs = 0;
  QObject::connect(link.get(), &CCommLink::linkModeChanged, [&](int mode) {
    if (mode == LINKMODE_NORMAL) lockOffAfterMs = static_cast<int>(sinceLast.elapsed() + echoLagMs);
  });
  CTransfer transfer;
  transfer.SetProgressHandler([&](int done, int total) {
    if (done != total) return;
    sinceLast.start();
    echoLagMs = link->GetTimeSinceLastInput();
  });
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::Done);
  EXPECT_GE(lockOffAfterMs, CTransfer::kQuietMs);
}

TEST_F(CTransferTest, RepeatsStepsWhileTheOutputBufferIsFull) {
  // The paced unit holds the line with XOFF until the output buffer has
  // filled, so the object's steps must wait.
  sim.SetPaced(true);
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 150, 40);
  ASSERT_TRUE(Connect());
  sim.SetStalled(true);
  Pump(30);
  int maxOut = 0;
  QTimer release;
  QObject::connect(&release, &QTimer::timeout, [&] {
    maxOut = qMax(maxOut, link->OutBufferCount());
    if (maxOut < CTransfer::kOutBufferLimit) return;
    sim.SetStalled(false);
    release.stop();
  });
  release.start(10);
  CTransfer transfer;
  transfer.SetProgressHandler([&](int, int) { maxOut = qMax(maxOut, link->OutBufferCount()); });
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::Done);
  EXPECT_GE(maxOut, CTransfer::kOutBufferLimit);
  // A step never adds to a full buffer: at most one line beyond the limit.
  EXPECT_LT(maxOut, CTransfer::kOutBufferLimit + 60);
  EXPECT_GT(device->m_calls, 150);
  ASSERT_TRUE(WaitForLines(152));
  const QStringList lines = ObjectLines();
  ASSERT_EQ(lines.size(), 150);
  for (int i = 0; i < 150; ++i) EXPECT_EQ(lines[i], QString("/TEST1/V%1 %2").arg(i).arg(device->m_values[i]));
  EXPECT_EQ(sim.ReceivedLines().last(), "/MACRO/LOCK OFF");
}

// The error file sits beside the project under the project's own name, byte
// for byte: also a name written in another encoding than the system's.
TEST_F(CTransferTest, UploadsOneObjectAndShowsANonEmptyErrorFile) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 2, 3);
  ASSERT_TRUE(Connect());
  for (const QByteArray& base : {QByteArray("site"), QByteArray("caf\xe9 site")}) {
    SCOPED_TRACE(base.toStdString());
    QTemporaryDir dir;
    const QByteArray folder = CFileName::ToSystem(dir.path());
    doc->SetPathName(CFileName::FromSystem(folder + '/' + base + ".sxm"));
    const QString errorFile = CFileName::FromSystem(folder + '/' + base + ".err");
    sim.SetValue("/TEST2/V0", "alpha");
    sim.SetValue("/TEST2/V1", "What?");
    sim.RemoveValue("/TEST2/V2");
    sim.ClearLog();
    device->m_values = QStringList{"v0", "v1", "v2"};
    QStringList shown;
    link->SetFileViewer([&](const QString& path) { shown << path; });
    CTransfer transfer;
    // V2 is unknown to the unit: it answers with an error line, the value stays.
    EXPECT_EQ(transfer.UploadObject(*device), CTransfer::Result::Done);
    EXPECT_EQ(device->m_values, (QStringList{"alpha", "What?", "v2"}));
    EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
    EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/TEST2/V0 ?", "/TEST2/V1 ?", "/TEST2/V2 ?"}));
    // Nothing was written to the error file: it is not shown.
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(CFileName::Size(errorFile), 0);

    // A mismatch noted by the object: the file is shown afterwards.
    sim.SetValue("/TEST2/V2", "MISMATCH");
    EXPECT_EQ(transfer.UploadObject(*device), CTransfer::Result::Done);
    EXPECT_EQ(shown, QStringList{errorFile});
    EXPECT_GT(CFileName::Size(errorFile), 0);
    // Nothing beside it under a name of the program's making.
    QList<QByteArray> names;
    if (DIR* listing = ::opendir(folder.constData())) {
      while (const dirent* entry = ::readdir(listing))
        if (entry->d_name[0] != '.') names << QByteArray(entry->d_name);
      ::closedir(listing);
    }
    EXPECT_EQ(names, QList<QByteArray>{base + ".err"});
    ::unlink(CFileName::ToSystem(errorFile).constData());
  }
}

TEST_F(CTransferTest, DownloadsAndUploadsAWholeProjectInListOrder) {
  CLinkTestDevice* a = AddLinkTestDevice(*doc, 1, 2);
  CLinkTestDevice* b = AddLinkTestDevice(*doc, 2, 3);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  ASSERT_TRUE(WaitForLines(7));
  EXPECT_EQ(ObjectLines(),
            (QStringList{"/TEST1/V0 v0", "/TEST1/V1 v1", "/TEST2/V0 v0", "/TEST2/V1 v1", "/TEST2/V2 v2"}));
  // The unit now holds the project; change it there and upload.
  sim.SetValue("/TEST1/V1", "one");
  sim.SetValue("/TEST2/V2", "two");
  doc->SetModifiedFlag(false);
  ASSERT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
  EXPECT_EQ(a->m_values, (QStringList{"v0", "one"}));
  EXPECT_EQ(b->m_values, (QStringList{"v0", "v1", "two"}));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CTransferTest, RefusesASecondTransferWhileOneRuns) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  ASSERT_TRUE(Connect());
  CTransfer outer;
  CTransfer::Result inner = CTransfer::Result::Done;
  bool tried = false;
  outer.SetProgressHandler([&](int, int) {
    if (tried) return;
    tried = true;
    EXPECT_TRUE(CTransfer::IsRunning());
    CTransfer second;
    inner = second.DownloadObject(*device);
  });
  EXPECT_EQ(outer.DownloadObject(*device), CTransfer::Result::Done);
  EXPECT_EQ(inner, CTransfer::Result::Busy);
  EXPECT_FALSE(CTransfer::IsRunning());
  EXPECT_TRUE(messages.SawText("already running"));
}

TEST_F(CTransferTest, CancelEndsTheTransferAndUnlocksTheMacros) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 50);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  transfer.SetProgressHandler([&](int done, int) {
    if (done >= 10) transfer.Cancel();
  });
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::Canceled);
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }));
  // The ten the unit had confirmed, and what was on its way: not the rest.
  EXPECT_GE(ObjectLines().size(), 10);
  EXPECT_LT(ObjectLines().size(), 50);
  // The user learns what the cancel left on the unit.
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("part of the project"));
}

TEST_F(CTransferTest, StalledOutputEndsTheTransferWithAMessage) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 200, 40);
  ASSERT_TRUE(Connect());
  sim.SetStalled(true);
  Pump(30);
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(800);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::Unconfirmed);
  EXPECT_LT(timer.elapsed(), kHangLimitMs);
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_TRUE(messages.SawText("stopped"));
  EXPECT_TRUE(messages.SawText("holds the line"));
  // Once the unit takes data again the lock is lifted.
  sim.SetStalled(false);
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }));
}

// The unit holds the line and the user cancels: the transfer stops waiting
// for it at once (well within its limit, which is long here), says that the
// unit may still have its macros locked, and the unlock reaches the unit
// once it takes data again.
TEST_F(CTransferTest, ACancelWhileTheUnitHoldsTheLineDoesNotWaitForIt) {
  const TestTimeLimit limit(std::chrono::seconds(180));
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 200, 40);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(60000);
  QElapsedTimer sinceCancel;
  bool stalled = false;
  QTimer hold;
  QObject::connect(&hold, &QTimer::timeout, [&] {
    if (!stalled && sim.ReceivedCount() >= 20) {
      stalled = true;
      sim.SetStalled(true);
    }
    if (!sinceCancel.isValid() && link->IsLineHeld()) {
      sinceCancel.start();
      transfer.Cancel();
    }
  });
  hold.start(1);
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::Canceled);
  hold.stop();
  ASSERT_TRUE(sinceCancel.isValid());
  // Half the limit: only a transfer that waits for the unit takes that long.
  EXPECT_LT(sinceCancel.elapsed(), 30000);
  EXPECT_FALSE(transfer.Closed());
  EXPECT_TRUE(messages.SawText("may still have its macros locked"));
  EXPECT_FALSE(sim.ReceivedLines().contains("/MACRO/LOCK OFF"));
  sim.SetStalled(false);
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }));
}

// The connection goes in the middle of an upload, which locks nothing: the
// message says what the unit may still have, its protection lifted, and not
// that its macros may be locked.
TEST_F(CTransferTest, ALostUploadSaysOnlyThatTheUnitMayStillBeUnprotected) {
  const TestTimeLimit limit(std::chrono::seconds(180));
  sim.SetPaced(true);
  for (int id = 1; id <= 3; ++id) AddLinkTestDevice(*doc, id, 40);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  transfer.SetProgressHandler([&](int done, int) {
    // A progress report may pass over any one count on a busy machine.
    if (done >= 30 && sim.IsRunning()) sim.HangUp();
  });
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::LinkLost);
  ASSERT_TRUE(WaitUntil([&] { return !messages.Requests().empty(); }));
  const QString text = messages.Requests().front().text;
  EXPECT_TRUE(text.contains("may still have its settings unprotected")) << text.toStdString();
  EXPECT_FALSE(text.contains("macros")) << text.toStdString();
  EXPECT_TRUE(transfer.Closed());
}

TEST_F(CTransferTest, AnUnansweredQueryEndsTheUploadAndLeavesTheProjectAsItWas) {
  CLinkTestDevice* waiting = AddLinkTestDevice(*doc, 1, 2);
  CLinkTestDevice* plain = AddLinkTestDevice(*doc, 2, 2);
  waiting->m_waitForAnswer = true;
  ASSERT_TRUE(Connect());
  sim.SetValue("/TEST2/V0", "changed");
  sim.SetDropAnswers("/TEST1/V0");
  doc->SetModifiedFlag(false);
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(600);
  // Object 2 comes after object 1 in the list, so it is never asked; put
  // it first to see that its uploaded value is taken back.
  doc->MoveInList(plain, 0);
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Unanswered);
  EXPECT_EQ(transfer.Unanswered(), 1);
  EXPECT_EQ(transfer.FirstUnanswered(), "/TEST1/V0");
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_TRUE(messages.SawText("left as it was"));
  EXPECT_TRUE(messages.SawText("1 queries stayed unanswered, the first: /TEST1/V0"));
  EXPECT_FALSE(doc->IsModified());
  // The project was read back from its snapshot: find the objects again.
  auto* again = dynamic_cast<CLinkTestDevice*>(doc->FindObjectById(CAT_MISC, 2));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->m_values, (QStringList{"v0", "v1"}));
}

TEST_F(CTransferTest, HangUpInTheMiddleOfADownloadEndsItCleanly) {
  sim.SetPaced(true);
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 300, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  transfer.SetProgressHandler([&](int done, int) {
    // A progress report may pass over any one count on a busy machine.
    if (done >= 40 && sim.IsRunning()) sim.HangUp();
  });
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::LinkLost);
  EXPECT_FALSE(link->IsConnected());
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_FALSE(doc->IsConnected());
  // One message: the loss with the system's reason, and what it left on the
  // unit.
  Pump(200);  // a second message would come now
  ASSERT_EQ(messages.Requests().size(), 1u);
  const QString text = messages.Requests().front().text;
  EXPECT_TRUE(text.contains("lost")) << text.toStdString();
  EXPECT_TRUE(text.contains("part of the project")) << text.toStdString();
  // The pseudo-terminal's node goes with its far end.
  EXPECT_TRUE(text.contains("lost (No such device).") || text.contains("lost (Input/output error).")) << text.toStdString();
  EXPECT_EQ(device->m_values.size(), 300);
}

TEST_F(CTransferTest, HangUpInTheMiddleOfAnUploadPutsTheProjectBack) {
  sim.SetPaced(true);
  for (int id = 1; id <= 3; ++id) AddLinkTestDevice(*doc, id, 40);
  ASSERT_TRUE(Connect());
  for (int id = 1; id <= 3; ++id)
    for (int v = 0; v < 40; ++v) sim.SetValue(QString("/TEST%1/V%2").arg(id).arg(v), "unit");
  doc->SetModifiedFlag(true);
  CTransfer transfer;
  transfer.SetProgressHandler([&](int done, int) {
    // A progress report may pass over any one count on a busy machine.
    if (done >= 60 && sim.IsRunning()) sim.HangUp();
  });
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::LinkLost);
  EXPECT_TRUE(WaitUntil([&] { return messages.SawText("left as it was"); }));
  EXPECT_TRUE(doc->IsModified());
  for (int id = 1; id <= 3; ++id) {
    auto* device = dynamic_cast<CLinkTestDevice*>(doc->FindObjectById(CAT_MISC, id));
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(device->m_values.contains("unit")) << id;
  }
}

TEST_F(CTransferTest, RefusesToStartWithoutAConnection) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::NotConnected);
  EXPECT_TRUE(messages.SawText("not connected"));
}

TEST_F(CTransferTest, ExportsTheProjectsDownloadAndSendsTheFileLineByLine) {
  QTemporaryDir dir;
  doc->SetPathName(dir.filePath("hall.sxm"));
  CLinkTestDevice* a = AddLinkTestDevice(*doc, 1, 3);
  a->m_shorten = true;
  AddLinkTestDevice(*doc, 2, 1);
  const QString path = CCommandFile::PathFor(doc->GetPathName());
  EXPECT_EQ(path, dir.filePath("hall.txt"));
  QString error;
  // Offline: the export needs no unit.
  ASSERT_TRUE(CCommandFile::Export(*doc, path, &error)) << error.toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // Shortened lines continue the path of the line before them.
  EXPECT_EQ(file.readAll(), "/TEST1/V0 v0\r\n/TEST1/V1 v1\r\n/TEST1/V2 v2\r\n/TEST2/V0 v0\r\n");

  ASSERT_TRUE(Connect());
  CTransfer transfer;
  EXPECT_EQ(transfer.SendCommandFile(path), CTransfer::Result::Done);
  ASSERT_TRUE(WaitForLines(6));
  EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/MACRO/LOCK ON", "/TEST1/V0 v0", "/TEST1/V1 v1", "/TEST1/V2 v2",
                                              "/TEST2/V0 v0", "/MACRO/LOCK OFF"}));
  EXPECT_EQ(transfer.SendCommandFile(dir.filePath("missing.txt")), CTransfer::Result::Failed);
  EXPECT_TRUE(messages.SawText("missing.txt"));
}

TEST(CTransferRecordingTest, DrivesObjectsThroughAnyInstalledLink) {
  RecordingLink link;
  CSelvantisDoc doc;
  CLinkTestDevice* device = AddLinkTestDevice(doc, 4, 2);
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::Done);
  EXPECT_EQ(link.Lines(), (QStringList{"/MACRO/LOCK ON", "/TEST4/V0 v0", "/TEST4/V1 v1", "/MACRO/LOCK OFF"}));
  EXPECT_EQ(link.Modes(), (QList<int>{LINKMODE_DOWNLOAD, LINKMODE_NORMAL}));
  // The error file keeps what the last upload found: a download leaves it.
  EXPECT_EQ(link.ErrorFileRequests(), 0);
  EXPECT_EQ(link.ErrorFileShows(), 0);

  link.Clear();
  link.SetResponder(
      [](const QString& line) {
        return QStringList{line, line.left(line.indexOf(' ')) + " fromunit"};
      },
      &doc);
  EXPECT_EQ(transfer.UploadObject(*device), CTransfer::Result::Done);
  EXPECT_EQ(device->m_values, (QStringList{"fromunit", "fromunit"}));
  EXPECT_EQ(link.ErrorFileShows(), 1);
}

TEST(CTransferRecordingTest, AFullOutputBufferThatNeverDrainsEndsTheTransfer) {
  MessageRecorder messages;
  RecordingLink link;
  link.SetOutBufferCount(600);
  CSelvantisDoc doc;
  CLinkTestDevice* device = AddLinkTestDevice(doc, 1, 2);
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(200);
  EXPECT_EQ(transfer.DownloadObject(*device), CTransfer::Result::NoProgress);
  EXPECT_EQ(link.Lines(), (QStringList{"/MACRO/LOCK ON", "/MACRO/LOCK OFF"}));
  EXPECT_EQ(link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_EQ(messages.Requests().size(), 1u);
}

TEST(CTransferRecordingTest, SkipsAnObjectDeletedDuringTheTransfer) {
  RecordingLink link;
  CSelvantisDoc doc;
  CLinkTestDevice* first = AddLinkTestDevice(doc, 1, 3);
  CLinkTestDevice* second = AddLinkTestDevice(doc, 2, 3);
  CTransfer transfer;
  bool deleted = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (done == 1 && !deleted) {
      deleted = true;
      doc.DeleteObject(second);
    }
  });
  EXPECT_EQ(transfer.DownloadProject(doc), CTransfer::Result::Done);
  EXPECT_EQ(link.Lines(),
            (QStringList{"/MACRO/LOCK ON", "/TEST1/V0 v0", "/TEST1/V1 v1", "/TEST1/V2 v2", "/MACRO/LOCK OFF"}));
  (void)first;
}
