// Hostile fault texts from the simulated unit over the real link: each of
// the five user texts of the ready inputs keeps no more than its width,
// cleaned of control characters, and the next download sends it back no
// longer; nor does a download send more of a text that a project file
// holds.
#include "link/ctransfer.h"
#include "logic/cglobalreadyinput.h"
#include "logichandlers.h"
#include "model/devicetype.h"
#include "support/hostiletext.h"
#include "support/projectbytes.h"
#include "support/simlinktest.h"

#include <gtest/gtest.h>

namespace {

class LogicTextWidthSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    StartSim(RegisterLogicHandlers);
  }
};

}  // namespace

TEST_F(LogicTextWidthSimTest, EveryUserFaultTextIsCutToItsWidthAndSentBackNoLonger) {
  auto* global = dynamic_cast<CGlobalReadyInput*>(doc.GetIDManager().FindBaseDevice(1, DT_GLOBALREADYINPUT));
  ASSERT_NE(global, nullptr);
  const int count = CGlobalReadyInput::kUserTextCount;
  // Each text of another length: the cut does not depend on it.
  for (int i = 1; i <= count; ++i) sim.SetValue(QStringLiteral("/READYINP/TEXT%1").arg(i), HostileText(300 + i));
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.UploadObject(*global), CTransfer::Result::Done);
  const QString cut = HostileTextCut(16);
  for (int i = 0; i < count; ++i) EXPECT_EQ(global->GetText(i), cut) << i;

  sim.ClearLog();
  ASSERT_EQ(transfer.DownloadObject(*global), CTransfer::Result::Done);
  for (int i = 1; i <= count; ++i) {
    const QString path = QStringLiteral("/READYINP/TEXT%1").arg(i);
    EXPECT_EQ(LinesUnder(path + " "), QStringList{path + " " + cut}) << i;
  }
}

TEST_F(LogicTextWidthSimTest, OverLongUserTextsOfAProjectFileAreSentNoLonger) {
  CSelvantisDoc source;
  ASSERT_TRUE(source.OnNewDocument());
  auto* sourceGlobal = dynamic_cast<CGlobalReadyInput*>(source.GetIDManager().FindBaseDevice(1, DT_GLOBALREADYINPUT));
  ASSERT_NE(sourceGlobal, nullptr);
  const int count = CGlobalReadyInput::kUserTextCount;
  for (int i = 0; i < count; ++i) sourceGlobal->SetColumnText((i << 16) | 1, QStringLiteral("FaultMark%1").arg(i));
  QByteArray bytes = SaveProject(source);
  const QString tail(300, QChar('x'));
  for (int i = 0; i < count; ++i) {
    const QString mark = QStringLiteral("FaultMark%1").arg(i);
    ASSERT_TRUE(ReplaceText(bytes, mark, mark + tail)) << i;
  }
  ASSERT_TRUE(LoadProject(doc, bytes));
  CBaseDevice* global = doc.GetIDManager().FindBaseDevice(1, DT_GLOBALREADYINPUT);
  ASSERT_NE(global, nullptr);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*global), CTransfer::Result::Done);
  for (int i = 0; i < count; ++i) {
    const QString path = QStringLiteral("/READYINP/TEXT%1").arg(i + 1);
    const QString text = (QStringLiteral("FaultMark%1").arg(i) + tail).left(16);
    EXPECT_EQ(LinesUnder(path + " "), QStringList{path + " " + text}) << i;
  }
}
