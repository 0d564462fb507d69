// The key view's geometry, commands, transfer and version query.
#include "consoles/ui/ckeyviewlogic.h"

#include "../consoletestsupport.h"
#include "consoles/cconsprop.h"
#include "link/linkmode.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

namespace {

struct KeyViewLogicFakeHost final : IKeyViewHost {
  bool AskKeyRange(int* first, int* stop, int* startLine) override {
    offeredStop = *stop;
    (void)first;
    (void)startLine;
    return false;
  }
  bool AskCopyDestination(const std::vector<CBaseDevice*>& consoles, CConsole*, const QString& text,
                          CConsole** destination) override {
    ++asked;
    shownText = text;
    offered = consoles.size();
    *destination = chosen;
    return true;
  }
  void ApplyPage() override { ++applied; }
  void SetModelCommitted() override { ++committed; }
  int offeredStop = 0;
  int asked = 0;
  int applied = 0;
  int committed = 0;
  size_t offered = 0;
  QString shownText;
  CConsole* chosen = nullptr;
};

TEST(CKeyViewLogicTest, NameOfTwentyCharactersIsShownWhole) {
  EXPECT_EQ(CKeyViewLogic::DisplayName(QStringLiteral("12345678901234567890")), QStringLiteral("12345678901234567890"));
  EXPECT_EQ(CKeyViewLogic::DisplayName(QStringLiteral("123456789012345678901")),
            QStringLiteral("12345678901234567890..."));
}

TEST(CKeyViewLogicTest, ExtensionFromFiftyOneKeys) {
  EXPECT_FALSE(CKeyViewLogic::HasExtension(50));
  EXPECT_TRUE(CKeyViewLogic::HasExtension(51));
  EXPECT_EQ(CKeyViewLogic::MasterTitle("A", false), QStringLiteral("A"));
  EXPECT_EQ(CKeyViewLogic::MasterTitle("A", true), QStringLiteral("A  'Master'"));
  EXPECT_EQ(CKeyViewLogic::SlaveTitle("A"), QStringLiteral("A  'Slave'"));
}

TEST(CKeyViewLogicTest, OnlyModelsWithADisplayShowTheName) {
  CSelvantisDoc doc;
  CConsole* plain = constest::AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* display = constest::AddConsole(doc, CConsProp::RCX6510, 400);
  CConsole* extended = constest::AddConsole(doc, CConsProp::RCX6550X, 800);
  EXPECT_FALSE(CKeyViewLogic::HasNameDisplay(plain->GetProp()));
  EXPECT_TRUE(CKeyViewLogic::HasNameDisplay(display->GetProp()));
  EXPECT_TRUE(CKeyViewLogic::HasNameDisplay(extended->GetProp()));
}

TEST(CKeyViewLogicTest, ExtensionFieldEndsWellLeftOfKeyOne) {
  // Key 1 from 1000 to 1080: the field ends at 1000 - 20 - 150.
  const KeyBox field = CKeyViewLogic::ExtensionField(KeyBox{10, 5, 866, 300}, KeyBox{1000, 40, 1080, 100}, 4, 8);
  EXPECT_EQ(field, (KeyBox{20, 13, 830, 292}));
}

TEST(CKeyViewLogicTest, LabelStripLiesAtTheFootOfTheKeyCell) {
  // Base units 8 x 16: 2 in from each side, 13 high, 3 up from the bottom.
  EXPECT_EQ(CKeyViewLogic::LabelArea(KeyBox{100, 50, 164, 106}, 8, 16), (KeyBox{102, 90, 162, 103}));
}

TEST(CKeyViewLogicTest, KeyFacesFollowModelNumberAndUse) {
  CSelvantisDoc doc;
  constest::AddZones(doc, 2);
  constest::AddSignal(doc, CAudioSignal::kKindAlarm);
  CConsole* small = constest::AddConsole(doc, CConsProp::RCX6106, 100);
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010, 600);
  using Face = CKeyViewLogic::KeyFace;
  EXPECT_EQ(CKeyViewLogic::FaceOf(*small->FindKey(101)), Face::Hidden);
  EXPECT_EQ(CKeyViewLogic::FaceOf(*small->FindKey(102)), Face::Hidden);
  EXPECT_EQ(CKeyViewLogic::FaceOf(*small->FindKey(103)), Face::Label);
  EXPECT_EQ(CKeyViewLogic::FaceOf(*console->FindKey(101)), Face::Label);
  EXPECT_EQ(CKeyViewLogic::FaceOf(*console->FindKey(1)), Face::Label);
  // The picture keys show nothing until they do something.
  EXPECT_EQ(CKeyViewLogic::FaceOf(*console->FindKey(110)), Face::Blank);
  EXPECT_EQ(CKeyViewLogic::FaceOf(*console->FindKey(112)), Face::Blank);
  ASSERT_TRUE(console->FindKey(109)->SetFunctionFromText(CConsKey::ALARM, "1,1,90,UNPROT", true));
  EXPECT_EQ(CKeyViewLogic::FaceOf(*console->FindKey(109)), Face::Picture);
  ASSERT_TRUE(console->FindKey(110)->SetFunctionFromText(CConsKey::SEL, "2", true));
  EXPECT_EQ(CKeyViewLogic::FaceOf(*console->FindKey(110)), Face::Picture);
}

TEST(CKeyViewLogicTest, KeyViewChoiceSwitchesThePictureOfKeysTenAndEleven) {
  CSelvantisDoc doc;
  constest::AddZones(doc, 2);
  CConsole* console = constest::AddConsole(doc);
  CConsKey* key110 = console->FindKey(110);
  CConsKey* key111 = console->FindKey(111);
  // Only while they are in use.
  EXPECT_FALSE(CKeyViewLogic::HasKeyViewMenu(*key110));
  EXPECT_FALSE(CKeyViewLogic::HasKeyViewMenu(*console->FindKey(1)));
  ASSERT_TRUE(key110->SetFunctionFromText(CConsKey::SEL, "1", true));
  ASSERT_TRUE(key111->SetFunctionFromText(CConsKey::SEL, "2", true));
  ASSERT_TRUE(console->FindKey(1)->SetFunctionFromText(CConsKey::SEL, "1", true));
  EXPECT_TRUE(CKeyViewLogic::HasKeyViewMenu(*key110));
  EXPECT_TRUE(CKeyViewLogic::HasKeyViewMenu(*key111));
  EXPECT_FALSE(CKeyViewLogic::HasKeyViewMenu(*console->FindKey(1)));
  EXPECT_FALSE(CKeyViewLogic::HasKeyViewMenu(*console->FindKey(109)));

  EXPECT_EQ(key110->GetPicture(), CConsKey::kPictureAlarmSwitch);
  EXPECT_EQ(CKeyViewLogic::CheckedKeyView(*key110), CKeyViewLogic::ID_KEY_ALARM_SWITCH);
  EXPECT_EQ(CKeyViewLogic::CheckedKeyView(*key111), CKeyViewLogic::ID_KEY_KEY_SWITCH);
  doc.SetModifiedFlag(false);
  EXPECT_TRUE(CKeyViewLogic::SetKeyView(*key110, CKeyViewLogic::ID_KEY_KEY_SWITCH));
  EXPECT_EQ(key110->GetPicture(), CConsKey::kPictureKeySwitch);
  EXPECT_EQ(CKeyViewLogic::CheckedKeyView(*key110), CKeyViewLogic::ID_KEY_KEY_SWITCH);
  // The picture goes into the key's record: the project has changed.
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(key110->GetWord2() & 0xFFFFu, 301u);
  EXPECT_TRUE(CKeyViewLogic::SetKeyView(*key111, CKeyViewLogic::ID_KEY_ALARM_SWITCH));
  EXPECT_EQ(key111->GetPicture(), CConsKey::kPictureAlarmSwitch);
  EXPECT_FALSE(CKeyViewLogic::SetKeyView(*key111, CKeyViewLogic::ID_KEY_PROPERTIES));
  EXPECT_EQ(key111->GetPicture(), CConsKey::kPictureAlarmSwitch);
}

TEST(CKeyViewLogicTest, DrawingRectEndsRightOfKey108) {
  const KeyBox r = CKeyViewLogic::DrawingRect(KeyBox{0, 0, 800, 600}, KeyBox{500, 100, 600, 200});
  EXPECT_EQ(r, (KeyBox{10, 5, 666, 595}));
  EXPECT_EQ(CKeyViewLogic::ScrollWidth(600, KeyBox{500, 100, 600, 200}), 700);
  EXPECT_EQ(CKeyViewLogic::ScrollWidth(700, KeyBox{500, 100, 600, 200}), 0);
}

TEST(CKeyViewLogicTest, HitTestPrefersProgrammableKeys) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  ASSERT_NE(console, nullptr);
  const CConsProp& prop = console->GetProp();
  // Key n at x 10n..10n+10; fixed keys overlap key 3.
  auto rectOf = [](const CConsKey& key) {
    const int n = key.IsFixed() ? 3 : key.GetNumber();
    return KeyBox{10 * n, 0, 10 * n + 10, 10};
  };
  EXPECT_EQ(CKeyViewLogic::HitTestKey(prop, 35, 5, rectOf)->GetNumber(), 3);
  EXPECT_EQ(CKeyViewLogic::HitTestKey(prop, 40, 5, rectOf)->GetNumber(), 4);
  EXPECT_EQ(CKeyViewLogic::HitTestKey(prop, 5, 5, rectOf), nullptr);
  EXPECT_EQ(CKeyViewLogic::HitTestKey(prop, 35, 10, rectOf), nullptr);
}

TEST(CKeyViewLogicTest, CopyWithOneConsoleOpensNoDialog) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  MessageRecorder messages;
  KeyViewLogicFakeHost host;
  EXPECT_FALSE(CKeyViewLogic::CopyKeyProgramming(*console, host));
  EXPECT_TRUE(messages.Saw(34185));
  EXPECT_EQ(host.asked, 0);
}

TEST(CKeyViewLogicTest, CopyOntoChosenConsole) {
  CSelvantisDoc doc;
  CConsole* a = constest::AddConsole(doc, CConsProp::RCX6010, 1000);
  CConsole* b = constest::AddConsole(doc, CConsProp::RCX6010, 2000);
  ASSERT_NE(b, nullptr);
  SetActiveDoc(&doc);
  MessageRecorder messages;
  KeyViewLogicFakeHost host;
  host.chosen = b;
  EXPECT_TRUE(CKeyViewLogic::CopyKeyProgramming(*a, host));
  EXPECT_EQ(host.applied, 1);
  EXPECT_EQ(host.shownText, QStringLiteral("'") + a->GetName() + QStringLiteral("'"));
  EXPECT_TRUE(messages.Saw(34186));
  SetActiveDoc(nullptr);
}

TEST(CKeyViewLogicTest, ClearAllAsksFirst) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  ASSERT_TRUE(console->FindKey(1)->SetFunctionFromText(CConsKey::ON, QStringLiteral("28"), true));
  MessageRecorder messages;
  KeyViewLogicFakeHost host;
  messages.QueueAnswer(IDNO);
  EXPECT_FALSE(CKeyViewLogic::ClearAllKeyProgramming(*console, host));
  EXPECT_EQ(console->FindKey(1)->GetKeyType(), CConsKey::ON);
  messages.QueueAnswer(IDYES);
  EXPECT_TRUE(CKeyViewLogic::ClearAllKeyProgramming(*console, host));
  EXPECT_EQ(console->FindKey(1)->GetKeyType(), CConsKey::DISABLED);
  EXPECT_EQ(host.committed, 1);
  EXPECT_TRUE(console->GetInputConnections().empty());
}

TEST(CKeyViewLogicTest, RangeOffersAllKeys) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  KeyViewLogicFakeHost host;
  EXPECT_FALSE(CKeyViewLogic::RangeKeyProgramming(*console, host));
  EXPECT_EQ(host.offeredStop, console->GetProp().GetKeyCount());
}

// A host as the key page is: Apply stores the keys' targets in the links,
// the group check reads the keys back from them.
struct StoringHost final : IKeyViewHost {
  explicit StoringHost(CConsole& c) : console(c) {}
  bool AskKeyRange(int* first, int* stop, int* startLine) override {
    *first = 1;
    *stop = 2;
    *startLine = 1;
    return true;
  }
  bool AskCopyDestination(const std::vector<CBaseDevice*>&, CConsole*, const QString&, CConsole**) override {
    return false;
  }
  void ApplyPage() override { console.StoreKeyLinks(); }
  void CheckGroups() override { console.RefreshKeysFromLinks(true); }
  CConsole& console;
};

TEST(CKeyViewLogicTest, RangeProgrammingKeepsPendingEditsOfOtherKeys) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  std::vector<CZone*> zones = constest::AddZones(doc, 5);
  CConsole* console = constest::AddConsole(doc);
  // Key 5 was given zone 5 on the page, not yet applied.
  CConsKey* key5 = console->FindKey(5);
  ASSERT_TRUE(key5->SetFunctionFromText(CConsKey::SEL, "5", false));
  key5->UpdateLabel(KeyTarget::Of(zones[4]));
  ASSERT_TRUE(constest::LinksOnPort(*console, 5).empty());
  StoringHost host(*console);
  EXPECT_TRUE(CKeyViewLogic::RangeKeyProgramming(*console, host));
  EXPECT_EQ(constest::LinksOnPort(*console, 1).at(0).pPeer, zones[0]);
  ASSERT_EQ(constest::LinksOnPort(*console, 5).size(), 1u);
  EXPECT_EQ(constest::LinksOnPort(*console, 5)[0].pPeer, zones[4]);
  EXPECT_EQ(key5->GetTarget().object, zones[4]);
}

TEST(CKeyViewLogicTest, DownloadSendsEachLockOnce) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  RecordingLink link;
  EXPECT_TRUE(CKeyViewLogic::TransferConsole(*console, false, link));
  const QStringList lines = link.Lines();
  ASSERT_GE(lines.size(), 5);
  EXPECT_EQ(lines.count(QStringLiteral("/MACRO/LOCK ON")), 1);
  EXPECT_EQ(lines.count(QStringLiteral("/MACRO/LOCK OFF")), 1);
  EXPECT_EQ(lines.first(), QStringLiteral("/MACRO/LOCK ON"));
  EXPECT_EQ(lines.last(), QStringLiteral("/MACRO/LOCK OFF"));
  EXPECT_EQ(link.GetLinkMode(), LINKMODE_NORMAL);
}

TEST(CKeyViewLogicTest, UploadSendsNoLock) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  RecordingLink link;
  EXPECT_TRUE(CKeyViewLogic::TransferConsole(*console, true, link));
  EXPECT_FALSE(link.Lines().contains(QStringLiteral("/MACRO/LOCK ON")));
  EXPECT_FALSE(link.Lines().isEmpty());
  EXPECT_EQ(link.Modes().first(), LINKMODE_UPLOAD);
}

TEST(CKeyViewLogicTest, LostLinkEndsTheTransferWithAMessageAndTheNormalMode) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  RecordingLink link;
  MessageRecorder messages;
  int sent = 0;
  link.SetResponder(
      [&](const QString&) {
        if (++sent == 5) link.SetConnected(false);
        return QStringList();
      },
      &doc);
  EXPECT_FALSE(CKeyViewLogic::TransferConsole(*console, false, link));
  EXPECT_LT(sent, 20);
  EXPECT_TRUE(messages.SawText(QStringLiteral("connection to the unit was lost")));
  EXPECT_EQ(link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_EQ(link.Lines().last(), QStringLiteral("/MACRO/LOCK OFF"));
}

TEST(CKeyViewLogicTest, SecondTransferWhileOneRunsIsRefused) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  RecordingLink link;
  MessageRecorder messages;
  bool nested = false;
  bool nestedResult = true;
  link.SetResponder(
      [&](const QString&) {
        // The running transfer lets events in: another start arrives.
        if (!nested) {
          nested = true;
          nestedResult = CKeyViewLogic::TransferConsole(*console, true, link);
        }
        return QStringList();
      },
      &doc);
  EXPECT_TRUE(CKeyViewLogic::TransferConsole(*console, false, link));
  EXPECT_TRUE(nested);
  EXPECT_FALSE(nestedResult);
  EXPECT_TRUE(messages.SawText(QStringLiteral("already running")));
  EXPECT_EQ(link.Modes().count(LINKMODE_UPLOAD), 0);
  EXPECT_EQ(link.GetLinkMode(), LINKMODE_NORMAL);
}

TEST(CKeyViewLogicTest, VersionAnswerAndNotConnected) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  RecordingLink link;
  MessageRecorder messages;
  const QString query = console->GetVersionQuery();
  link.SetAnswer(query, query.section(' ', 0, 0) + QStringLiteral(" 2.14  "));
  EXPECT_EQ(CKeyViewLogic::GetSwVersion(*console, link), QStringLiteral("2.14"));
  EXPECT_TRUE(messages.SawText(QStringLiteral(" has the sw-version V2.14")));
  link.SetAnswer(query, query.section(' ', 0, 0) + QStringLiteral(" console not connected"));
  EXPECT_EQ(CKeyViewLogic::GetSwVersion(*console, link), QString());
  EXPECT_TRUE(messages.SawText(QStringLiteral("does not answer to version number request")));
}

}  // namespace
