// A console against the simulated unit over the real link: a whole download
// lands in the unit's settings, an upload takes them back, and a console
// the unit does not see stops its upload with one message. A hostile name
// keeps no more than its width, also where it is made unique, and no
// download sends more of it, nor of a longer name a project file holds.

#include "consolehandlers.h"
#include "consoles/cconsoleobject.h"
#include "consoletestsupport.h"
#include "link/ctransfer.h"
#include "support/hostiletext.h"
#include "support/projectbytes.h"
#include "support/simlinktest.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

using namespace constest;

namespace {

class ConsoleSimTest : public SimLinkTest {
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

TEST_F(ConsoleSimTest, SettingsAndKeysGoToTheUnitAndComeBack) {
  std::vector<CZone*> zones = AddZones(doc, 4);
  AddRoot(doc, zones);
  CGroup* group = AddGroup(doc, {zones[1], zones[2]});
  CConsole* console = AddConsole(doc, CConsProp::RCX6010);
  console->SetName("Front desk");
  console->GetProp().SetParamText(CConsProp::P_PTTPRIO, "0");
  ASSERT_TRUE(console->FindKey(3)->SetFunctionFromText(CConsKey::SEL, "4", true));
  ASSERT_TRUE(Connect());

  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*console), CTransfer::Result::Done);
  EXPECT_EQ(LinesUnder("/CONS/ADR1/").size(), 63);
  EXPECT_EQ(sim.Value("/CONS/ADR1/NAME"), "Front desk");
  EXPECT_EQ(sim.Value("/CONS/ADR1/PTTPRIO"), "FIRST");
  EXPECT_EQ(sim.Value("/CONS/ADR1/GROUP0"), "1-4");
  EXPECT_EQ(sim.Value("/CONS/ADR1/KEY3"), "SEL,4");
  EXPECT_EQ(sim.Value("/CONS/ADR1/PASSW"), "846,3971");
  EXPECT_TRUE(messages.Requests().empty());

  // Changed on site.
  sim.SetValue("/CONS/ADR1/BUZZER", "OFF");
  sim.SetValue("/CONS/ADR1/EXT", "AUX");
  sim.SetValue("/CONS/ADR1/KEY5", "SEL,2,0,0,UNPROT");
  sim.SetValue("/CONS/ADR1/KEY104", "STOP,3");
  sim.SetValue("/CONS/ADR1/GROUP7", "2-3");
  sim.SetValue("/CONS/ADR1/NAME", "Lobby");
  sim.ClearLog();
  ASSERT_EQ(transfer.UploadObject(*console), CTransfer::Result::Done);
  EXPECT_EQ(LinesUnder("/CONS/ADR1/").size(), 63);
  EXPECT_EQ(console->GetName(), "Lobby");
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_BUZZER), "0");
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_EXT), "1");
  EXPECT_EQ(console->FindKey(5)->GetFunctionText(), "SEL,2,0,0,UNPROT");
  EXPECT_EQ(console->FindKey(104)->GetFunctionText(), "STOP,3");
  EXPECT_EQ(console->FindKey(3)->GetFunctionText(), "SEL,4");
  EXPECT_EQ(console->GetGroupSlot(7), group);
  for (const MessageRequest& r : messages.Requests()) ADD_FAILURE() << r.id << " " << r.text.toStdString();
}

// Each key parameter is a signed byte: 200 from the unit is -56, written
// back as "-56".
TEST_F(ConsoleSimTest, KeyParametersComeBackAsSignedBytes) {
  std::vector<CZone*> zones = AddZones(doc, 4);
  AddRoot(doc, zones);
  CConsole* console = AddConsole(doc, CConsProp::RCX6010);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*console), CTransfer::Result::Done);
  sim.SetValue("/CONS/ADR1/KEY5", "TALK,4,0,200");
  ASSERT_EQ(transfer.UploadObject(*console), CTransfer::Result::Done);
  const CConsKey* key = console->FindKey(5);
  EXPECT_EQ(key->GetFunction().type, CConsKey::TALK);
  EXPECT_EQ(key->GetFunction().p1, 4);
  EXPECT_EQ(key->GetFunction().p3, -56);
  EXPECT_EQ(key->GetFunctionText(), "TALK,4,0,-56");
  sim.SetValue("/CONS/ADR1/KEY5", "DISABLED");
  ASSERT_EQ(transfer.DownloadObject(*console), CTransfer::Result::Done);
  EXPECT_EQ(sim.Value("/CONS/ADR1/KEY5"), "TALK,4,0,-56");
  for (const MessageRequest& r : messages.Requests()) ADD_FAILURE() << r.id << " " << r.text.toStdString();
}

// How the unit answers the upload of a console it does not see, and whether
// the user reads the message a while. A box that stays open runs its own
// event loop inside the handling of the answer that brought it, as a modal
// box does: what the unit answers meanwhile must still be taken, and the
// upload ends as it would have without the pause.
struct AbsentConsoleRow {
  const char* name;
  const char* delayedPath;  // answers under it come this late (none: at once)
  int delayMs;
  int boxOpenMs;  // how long the user leaves the message open
};

const AbsentConsoleRow kAbsentConsoleRows[] = {
    {"answers at once, box closed at once", nullptr, 0, 0},
    {"every answer late, box closed at once", "/CONS/ADR2/", 300, 0},
    {"answers at once, box read a while", nullptr, 0, 1000},
    {"every answer late, box read a while", "/CONS/ADR2/", 300, 1000},
    {"the first query answered last, box read a while", "/CONS/ADR2/NAME", 600, 1000},
};

TEST_F(ConsoleSimTest, ConsoleTheUnitDoesNotSeeStopsItsUploadWithOneMessage) {
  AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* absent = AddConsole(doc, CConsProp::RCX6010, 900);
  SetConsoleConnected(sim, 2, false);
  ASSERT_TRUE(Connect());
  for (const AbsentConsoleRow& row : kAbsentConsoleRows) {
    SCOPED_TRACE(row.name);
    sim.ClearFaults();
    if (row.delayedPath != nullptr) sim.SetAnswerDelay(row.delayedPath, row.delayMs);
    sim.ClearLog();
    messages.Clear();
    messages.SetOnShow([&row](const MessageRequest&) {
      if (row.boxOpenMs == 0) return;
      QEventLoop box;
      QTimer::singleShot(row.boxOpenMs, &box, &QEventLoop::quit);
      box.exec();
    });
    CTransfer transfer;
    EXPECT_EQ(transfer.UploadObject(*absent), CTransfer::Result::Done)
        << transfer.Unanswered() << " queries unanswered, the first " << transfer.FirstUnanswered().toStdString();
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].id, 34173u);
    EXPECT_TRUE(absent->IsTransferAborted());
    // However many queries went out before the first answer came back, each
    // answered "CONSOLE NOT CONNECTED": the user is told once, and none is
    // left owed.
    EXPECT_GE(LinesUnder("/CONS/ADR2/").size(), 1);
    EXPECT_EQ(link->OwedAnswers(), 0);
  }
  messages.SetOnShow(nullptr);
}

TEST_F(ConsoleSimTest, ReferenceListGoesBothWays) {
  CConsoleObject* object = CConsoleObject::EnsureIn(doc);
  ASSERT_NE(object, nullptr);
  object->SetReferenceList("1-3");
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*object), CTransfer::Result::Done);
  EXPECT_EQ(sim.Value("/CONS/REFERENCE"), "1-3");
  sim.SetValue("/CONS/REFERENCE", "2,16");
  ASSERT_EQ(transfer.UploadObject(*object), CTransfer::Result::Done);
  EXPECT_EQ(object->GetReferenceList(), "2,16");
}

TEST_F(ConsoleSimTest, TheNameIsCutToItsWidthAndSentBackNoLonger) {
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

TEST_F(ConsoleSimTest, AnOverLongNameOfAProjectFileIsSentNoLonger) {
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
