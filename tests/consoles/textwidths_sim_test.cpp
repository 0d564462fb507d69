// A hostile console name from the simulated unit over the real link: the
// console keeps no more than the name's width, cleaned of control
// characters, also where the name is made unique, and the next download
// sends it back no longer; nor does a download send more of a name that a
// project file holds.
#include "consolehandlers.h"
#include "consoletestsupport.h"
#include "link/ctransfer.h"
#include "support/hostiletext.h"
#include "support/projectbytes.h"
#include "support/simlinktest.h"

#include <gtest/gtest.h>

using namespace constest;

namespace {

class ConsoleTextWidthSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterConsoleHandlers);
    SetActiveDoc(&doc);
  }

  void TearDown() override {
    SimLinkTest::TearDown();
    SetActiveDoc(nullptr);
  }
};

}  // namespace

TEST_F(ConsoleTextWidthSimTest, TheNameIsCutToItsWidthAndSentBackNoLonger) {
  CConsole* first = AddConsole(doc, CConsProp::RCX6010);
  CConsole* second = AddConsole(doc, CConsProp::RCX6010, 2000);
  ASSERT_TRUE(first && second);
  // The unit holds the same name for both: the second is made unique
  // within the width.
  sim.SetValue("/CONS/ADR1/NAME", HostileText());
  sim.SetValue("/CONS/ADR2/NAME", HostileText());
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.UploadObject(*first), CTransfer::Result::Done);
  ASSERT_EQ(transfer.UploadObject(*second), CTransfer::Result::Done);
  const QString cut = HostileTextCut(32);
  EXPECT_EQ(first->GetName(), cut);
  EXPECT_EQ(second->GetName(), cut.left(30) + "_1");
  EXPECT_TRUE(messages.Saw(34213));  // the user learns of the changed name

  sim.ClearLog();
  ASSERT_EQ(transfer.DownloadObject(*first), CTransfer::Result::Done);
  ASSERT_EQ(transfer.DownloadObject(*second), CTransfer::Result::Done);
  EXPECT_EQ(LinesUnder("/CONS/ADR1/NAME "), QStringList{"/CONS/ADR1/NAME " + cut});
  EXPECT_EQ(LinesUnder("/CONS/ADR2/NAME "), QStringList{"/CONS/ADR2/NAME " + cut.left(30) + "_1"});
}

TEST_F(ConsoleTextWidthSimTest, AnOverLongNameOfAProjectFileIsSentNoLonger) {
  CSelvantisDoc source;
  CConsole* console = AddConsole(source, CConsProp::RCX6010);
  ASSERT_NE(console, nullptr);
  console->SetName("NameMark");
  QByteArray bytes = SaveProject(source);
  const QString longer = "NameMark" + QString(300, QChar('x'));
  ASSERT_TRUE(ReplaceText(bytes, "NameMark", longer));
  ASSERT_TRUE(LoadProject(doc, bytes));
  CBaseDevice* loaded = doc.FindObjectByPath("/CONS/ADR1");
  ASSERT_NE(loaded, nullptr);
  // The project keeps what its file holds; the unit gets what its field holds.
  EXPECT_EQ(loaded->GetName(), longer);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*loaded), CTransfer::Result::Done);
  EXPECT_EQ(LinesUnder("/CONS/ADR1/NAME "), QStringList{"/CONS/ADR1/NAME " + longer.left(32)});
}
