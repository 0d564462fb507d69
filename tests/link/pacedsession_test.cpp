// One whole session with the unit at its own speed: 19200 baud both ways and
// XON/XOFF when its receive buffer fills. What works on the fast simulator
// must work here too, where echoes and answers trail the commands by tens of
// milliseconds and the output buffer really backs up.
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "linktestbench.h"
#include "linktestdevice.h"

#include <QObject>

#include <gtest/gtest.h>

class PacedSessionTest : public LinkTestBench {
 protected:
  void SetUp() override {
    LinkTestBench::SetUp();
    sim.SetPaced(true);
  }

  QStringList ObjectLines() const {
    QStringList lines;
    for (const QString& line : sim.FullLines())
      if (line.startsWith("/TEST")) lines << line;
    return lines;
  }
};

TEST_F(PacedSessionTest, ConnectListsExchangesTransfersAndDisconnect) {
  // 2 x 60 lines of about 40 characters: far more than the unit buffers, so
  // the download meets XOFF and a full output buffer.
  CLinkTestDevice* a = AddLinkTestDevice(*doc, 1, 60, 30);
  CLinkTestDevice* b = AddLinkTestDevice(*doc, 2, 60, 30);
  const QStringList original = a->m_values;
  sim.SetValue("/SERVICE/VER", "V0.8");
  ASSERT_TRUE(Connect());
  EXPECT_EQ(CProfile::GetInt(LinkProfile::kUnitSection, "MONI_CLR", -1), 1);

  // A command list: every echo and answer reaches the observer, in order.
  QObject window;
  QStringList seen;
  int seenTag = -1;
  QObject::connect(link.get(), &CCommLink::commReply, &window, [&](QObject* target, int tag, const QStringList& lines) {
    if (target != &window) return;
    seenTag = tag;
    seen = lines;
  });
  ASSERT_TRUE(link->SendCommandList({"/SERVICE/VER ?", "/SERVICE/DEVID ?"}, true, 0, &window, 3));
  EXPECT_EQ(link->ExpectedReplyCount(), 4);
  ASSERT_TRUE(WaitUntil([&] { return seen.size() == 4; }));
  EXPECT_EQ(seenTag, 3);
  EXPECT_EQ(seen, (QStringList{"/SERVICE/VER ?", "/SERVICE/VER V0.8", "/SERVICE/DEVID ?", "/SERVICE/DEVID 10337"}));
  link->SetLinkMode(LINKMODE_NORMAL);

  // The synchronous exchanges wait long enough for the slow line.
  EXPECT_EQ(link->SendAndRead("/SERVICE/DEVID ?", kAnswerWaitMs), "/SERVICE/DEVID ?\r\n/SERVICE/DEVID 10337\r\n");
  QStringList replies;
  ASSERT_TRUE(link->SendListAndWait({"/SERVICE/VER ?", "/NONE ?"}, &replies));
  EXPECT_EQ(replies, (QStringList{"/SERVICE/VER V0.8", "ERROR /NONE"}));

  // The whole project down, changed on the unit, and up again.
  sim.ClearLog();
  int maxOut = 0;
  CTransfer transfer;
  transfer.SetProgressHandler([&](int, int) { maxOut = qMax(maxOut, link->OutBufferCount()); });
  ASSERT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_GT(maxOut, 0);
  EXPECT_LT(maxOut, CTransfer::kOutBufferLimit + 60);
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }));
  const QStringList down = ObjectLines();
  ASSERT_EQ(down.size(), 120);
  EXPECT_EQ(down.first(), "/TEST1/V0 " + original.first());
  EXPECT_EQ(down.last(), "/TEST2/V59 " + b->m_values.last());
  EXPECT_EQ(sim.ReceivedLines().first(), "/MACRO/LOCK ON");

  sim.SetValue("/TEST1/V7", "seven");
  sim.SetValue("/TEST2/V59", "last");
  ASSERT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
  EXPECT_EQ(a->m_values[7], "seven");
  EXPECT_EQ(a->m_values[8], original[8]);
  EXPECT_EQ(b->m_values[59], "last");
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);

  // The shut-down sequence goes out whole before the port closes.
  sim.ClearLog();
  link->Disconnect(true);
  EXPECT_FALSE(link->IsConnected());
  EXPECT_FALSE(doc->IsConnected());
  ASSERT_TRUE(WaitForLines(8));
  const QStringList lines = sim.ReceivedLines();
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[0], "/CLOCK/MAIN/TIME ?");
  EXPECT_EQ(lines[6], "/PROTECT ON");
  EXPECT_EQ(lines[7], "/SERVICE/START FASTSAVE");
  EXPECT_TRUE(messages.Requests().empty());
}
