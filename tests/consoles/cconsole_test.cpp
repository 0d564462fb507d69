// The console model: its download lines step by step, the replies it takes,
// group slots, range programming, copying, the EXT check, the key links and
// its place on the drawing.

#include "consoletestsupport.h"
#include "model/commandids.h"
#include "shell/clanguageswitcher.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

using namespace constest;

namespace {

class CConsoleTest : public testing::Test {
 protected:
  void SetUp() override { SetActiveDoc(&doc); }
  void TearDown() override { SetActiveDoc(nullptr); }

  // Steps the console's download from 0 to its count.
  static QStringList RunDownload(CConsole& console, RecordingLink& link, bool bQuery, int* steps = nullptr) {
    link.Clear();
    const int count = console.Download(bQuery, -1);
    if (steps != nullptr) *steps = count;
    for (int step = 0; step < count;) {
      const int next = console.Download(bQuery, step);
      if (next < 0) break;
      EXPECT_GT(next, step);
      step = next;
    }
    return link.Commands();
  }

  bool Route(const QString& line, int mode = LINKMODE_UPLOAD) {
    QString err;
    return doc.RouteReplyLine(line, err, mode);
  }

  // A console of model whose keys 1..count select as many groups (fed by
  // one zone), as the key dialog leaves them: stored, not linked yet.
  CConsole* ConsoleWithGroupKeys(int model, int count) {
    std::vector<CZone*> z = AddZones(doc, 1);
    CConsole* console = AddConsole(doc, model);
    for (int k = 1; k <= count; ++k) {
      EXPECT_TRUE(console->FindKey(k)->SetFunctionFromText(CConsKey::SEL, "1", true));
      console->FindKey(k)->UpdateLabel(KeyTarget::Of(AddGroup(doc, {z[0]})));
    }
    return console;
  }

  // What the fixed keys' defaults name: the root group, alarm 1, chime 4.
  void AddFixedKeySignals() {
    CGroup::EnsureRoot(doc);
    AddSignal(doc, CAudioSignal::kKindAlarm);
    for (int i = 0; i < 4; ++i) AddSignal(doc, CAudioSignal::kKindChime);
  }

  CSelvantisDoc doc;
  MessageRecorder messages;
};

QStringList ExpectedDefaultLines(const QString& name) {
  QStringList lines;
  const QString p = "/CONS/ADR2/";
  lines << p + "NAME " + name << p + "COMP OFF" << p + "BUZZER ON" << p + "PRECHIME OFF" << p + "GERMAN ON"
        << p + "DOSCHAR OFF" << p + "PTTPRIO INT" << p + "EXT OFF" << p + "PASSW 846,3971" << p + "ON_PRIO 40"
        << p + "GROUP0 1-3";
  for (int i = 1; i <= 30; ++i) lines << p + Fmt("GROUP%d 0", i);
  for (int k = 1; k <= 10; ++k) lines << p + Fmt("KEY%d DISABLED", k);
  for (int k = 101; k <= 112; ++k) lines << p + Fmt("KEY%d DISABLED", k);
  return lines;
}

}  // namespace

TEST_F(CConsoleTest, DefaultConsoleDownloadsItsParametersGroupsAndKeys) {
  AddRoot(doc, AddZones(doc, 3));
  AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* console = AddConsole(doc);
  ASSERT_EQ(console->GetID(), 2);
  console->SetName("Desk");
  RecordingLink link;
  int steps = 0;
  const QStringList lines = RunDownload(*console, link, false, &steps);
  EXPECT_EQ(steps, 65);
  EXPECT_EQ(lines, ExpectedDefaultLines("Desk"));
  for (const RecordingLink::Call& s : link.Calls()) {
    EXPECT_FALSE(s.shorten) << s.command.toStdString();
    EXPECT_EQ(s.doc, &doc) << s.command.toStdString();
  }
}

TEST_F(CConsoleTest, QueryFormAsksTheSamePathsWithoutTypeAndPrio) {
  AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* console = AddConsole(doc);
  RecordingLink link;
  QStringList expected;
  for (const QString& line : ExpectedDefaultLines(console->GetName())) {
    QString path = line.section(' ', 0, 0);
    if (path.endsWith("/NAME")) path = "/CONS/ADR2/NAME";
    expected << path + " ?";
  }
  EXPECT_EQ(RunDownload(*console, link, true), expected);

  CConsole* small = AddConsole(doc, CConsProp::RCX6106, 500);
  int steps = 0;
  const QStringList lines = RunDownload(*small, link, true, &steps);
  EXPECT_EQ(steps, 55);
  EXPECT_EQ(lines.size(), 53);
  EXPECT_EQ(lines.at(41), Fmt("/CONS/ADR%d/KEY101 ?", small->GetID()));
}

TEST_F(CConsoleTest, FullOutputBufferRepeatsTheStep) {
  CConsole* console = AddConsole(doc);
  RecordingLink link;
  console->Download(false, -1);
  link.SetOutBufferCount(512);
  EXPECT_EQ(console->Download(false, 3), 3);
  EXPECT_EQ(console->Download(false, 50), 50);
  EXPECT_TRUE(link.Calls().empty());
  link.SetOutBufferCount(511);
  EXPECT_EQ(console->Download(false, 3), 4);
  EXPECT_EQ(link.Commands(), QStringList{"/CONS/ADR1/COMP OFF"});
  // Silent steps stay silent.
  EXPECT_EQ(console->Download(false, 1), 2);
  EXPECT_EQ(console->Download(false, 2), 3);
  EXPECT_EQ(link.Calls().size(), 1u);
}

TEST_F(CConsoleTest, KeysAreSentByNumberNotByArrayPosition) {
  AddRoot(doc, AddZones(doc, 10));
  CConsole* console = AddConsole(doc);
  console->ProgramKeyRange(1, 10, 1);
  RecordingLink link;
  const QStringList lines = RunDownload(*console, link, false);
  EXPECT_EQ(lines.at(41), "/CONS/ADR1/KEY1 SEL,1");
  EXPECT_EQ(lines.at(42), "/CONS/ADR1/KEY2 SEL,2");
  EXPECT_EQ(lines.at(50), "/CONS/ADR1/KEY10 SEL,10");
  EXPECT_EQ(lines.at(51), "/CONS/ADR1/KEY101 SEL,0");
}

TEST_F(CConsoleTest, UploadTakesParametersAndRefusesWhatItDoesNotKnow) {
  CConsole* console = AddConsole(doc);
  console->Download(true, -1);
  CConsProp& prop = console->GetProp();
  EXPECT_TRUE(Route("/CONS/ADR1/BUZZER OFF"));
  EXPECT_EQ(prop.GetParamText(CConsProp::P_BUZZER), "0");
  Route("/CONS/ADR1/PTTPRIO EXT");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PTTPRIO), "2");
  Route("/CONS/ADR1/EXT PTT");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_EXT), "3");
  Route("/CONS/ADR1/PTTPRIO XYZ");
  Route("/CONS/ADR1/EXT 2");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PTTPRIO), "2");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_EXT), "3");
  Route("/CONS/ADR1/PASSW 123,4567");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PASSW), "123,4567");
  Route("/CONS/ADR1/ON_PRIO 60");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_ONPRIO), "60");
  Route("/CONS/ADR1/PRIO 12");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PRIO), "2");
  for (const MessageRequest& r : messages.Requests()) ADD_FAILURE() << r.id << " " << r.text.toStdString();

  for (const char* line : {"/CONS/ADR1/FOO 1", "/CONS/ADR1/TYPE RCX6020"}) {
    messages.Clear();
    Route(line);
    ASSERT_EQ(messages.Requests().size(), 1u) << line;
    EXPECT_EQ(messages.Requests()[0].id, 34029u) << line;
  }
  EXPECT_EQ(prop.GetParamText(CConsProp::P_TYPE), "RCX6010");

  messages.Clear();
  const QString name = console->GetName();
  Route("/CONS/ADR1/NAME ?");
  Route("/CONS/ADR1/BUZZER ?");
  Route("/CONS/ADR1/KEY3 ?");
  Route("/CONS/ADR1/GROUP3 ?");
  Route("/CONS/ADR1");
  Route("/CONS/ADR1/NAME");
  EXPECT_EQ(console->GetName(), name);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CConsoleTest, EchoesOfADownloadAreNotTakenBack) {
  AddZones(doc, 3);
  CConsole* console = AddConsole(doc);
  Route("/CONS/ADR1/BUZZER OFF", LINKMODE_DOWNLOAD);
  Route("/CONS/ADR1/KEY1 SEL,3", LINKMODE_DOWNLOAD);
  Route("/CONS/ADR1/NAME Other", LINKMODE_NORMAL);
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_BUZZER), "1");
  EXPECT_EQ(console->FindKey(1)->GetFunctionText(), "DISABLED");
  EXPECT_NE(console->GetName(), "Other");
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CConsoleTest, UploadedNameIsMadeUnique) {
  CConsole* first = AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* second = AddConsole(doc);
  first->SetName("Desk");
  second->SetName("Desk");  // clashing already, as a damaged file might
  Route("/CONS/ADR2/NAME Desk");
  EXPECT_EQ(second->GetName(), "Desk_1");
  EXPECT_TRUE(messages.Saw(34213));
  messages.Clear();
  Route("/CONS/ADR2/NAME Desk_1");
  EXPECT_EQ(second->GetName(), "Desk_1");
  EXPECT_TRUE(messages.Requests().empty());
  Route("/CONS/ADR2/NAME Front desk");
  EXPECT_EQ(second->GetName(), "Front desk");
}

TEST_F(CConsoleTest, KeyRepliesReachTheirKeys) {
  AddZones(doc, 5);
  CConsole* console = AddConsole(doc);
  Route("/CONS/ADR1/KEY4 SEL,5");
  EXPECT_EQ(console->FindKey(4)->GetFunctionText(), "SEL,5");
  Route("/CONS/ADR1/KEY104 STOP,3");
  EXPECT_EQ(console->FindKey(104)->GetFunctionText(), "STOP,3");
  Route("/CONS/ADR1/KEY113 STOP,3");
  Route("/CONS/ADR1/KEY11 SEL,1");
  Route("/CONS/ADR1/KEY0 SEL,1");
  Route("/CONS/ADR1/KEY99999999999 SEL,1");
  EXPECT_TRUE(messages.Requests().empty());
}

// reply_fuzz: an uploaded key function changed the project without marking
// it modified, so closing the program would have lost it without a question.
TEST_F(CConsoleTest, AnUploadedKeyFunctionMarksTheProjectModified) {
  AddZones(doc, 8);
  CConsole* console = AddConsole(doc);
  Route("/CONS/ADR1/KEY7 SEL,7");
  ASSERT_EQ(console->FindKey(7)->GetFunctionText(), "SEL,7");
  // The same zone, another function: the key's links stay as they are.
  doc.SetModifiedFlag(false);
  Route("/CONS/ADR1/KEY7 SEL,7,7");
  EXPECT_EQ(console->FindKey(7)->GetFunctionText(), "SEL,7,7");
  EXPECT_TRUE(doc.IsModified());
  // A refused function changes nothing and marks nothing.
  doc.SetModifiedFlag(false);
  Route("/CONS/ADR1/KEY7 NOSUCHFUNCTION,1");
  EXPECT_EQ(console->FindKey(7)->GetFunctionText(), "SEL,7,7");
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(CConsoleTest, NotConnectedStopsOnlyThatConsoleAndSaysSoOnce) {
  CConsole* two = nullptr;
  CConsole* three = nullptr;
  AddConsole(doc, CConsProp::RCX6010, 100);
  two = AddConsole(doc, CConsProp::RCX6010, 600);
  three = AddConsole(doc, CConsProp::RCX6010, 1200);
  ASSERT_EQ(three->GetID(), 3);
  RecordingLink link;
  two->Download(false, -1);
  EXPECT_EQ(two->Download(false, 0), 1);
  EXPECT_TRUE(Route("/CONS/ADR2/NAME CONSOLE NOT CONNECTED", LINKMODE_DOWNLOAD));
  Route("/CONS/ADR2/KEY1 CONSOLE NOT CONNECTED", LINKMODE_DOWNLOAD);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34173u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(two->GetName()));
  EXPECT_EQ(two->Download(false, 1), -1);
  EXPECT_EQ(two->Download(false, 40), -1);
  // Console 3 started after console 2 and is not stopped by it.
  three->Download(false, -1);
  Route("/CONS/ADR2/BUZZER CONSOLE NOT CONNECTED", LINKMODE_DOWNLOAD);
  EXPECT_EQ(three->Download(false, 0), 1);
  EXPECT_EQ(messages.Requests().size(), 1u);
  // The next transfer of console 2 starts afresh.
  two->Download(false, -1);
  EXPECT_EQ(two->Download(false, 0), 1);
  Route("/CONS/ADR2/NAME CONSOLE NOT CONNECTED");
  EXPECT_EQ(messages.Requests().size(), 2u);
}

TEST_F(CConsoleTest, GroupRepliesFindTheGroupWithExactlyTheseZones) {
  std::vector<CZone*> z = AddZones(doc, 6);
  CGroup* g1 = AddGroup(doc, {z[0], z[1], z[2]});
  CGroup* g2 = AddGroup(doc, {z[0], z[1]});
  CConsole* console = AddConsole(doc);
  Route("/CONS/ADR1/GROUP5 1-3");
  EXPECT_EQ(console->GetGroupSlot(5), g1);
  Route("/CONS/ADR1/GROUP5 1,2");
  EXPECT_EQ(console->GetGroupSlot(5), g2);
  Route("/CONS/ADR1/GROUP5 NONE");
  Route("/CONS/ADR1/GROUP5 0");
  Route("/CONS/ADR1/GROUP5 ");
  Route("/CONS/ADR1/GROUP31 1-3");
  EXPECT_EQ(console->GetGroupSlot(5), g2);
  EXPECT_TRUE(messages.Requests().empty());
  const QStringList values = {"4-6", "1-x", "1,,2", "101", QString(2000, '1')};
  for (const QString& value : values) {
    messages.Clear();
    Route(QStringLiteral("/CONS/ADR1/GROUP5 ") + value);
    ASSERT_EQ(messages.Requests().size(), 1u) << value.left(10).toStdString();
    EXPECT_EQ(messages.Requests()[0].id, 34174u);
    EXPECT_TRUE(messages.Requests()[0].text.contains("group 5 "));
    EXPECT_EQ(console->GetGroupSlot(5), g2);
  }
}

TEST_F(CConsoleTest, ZonesReachedTwiceCountOnce) {
  std::vector<CZone*> z = AddZones(doc, 6);
  CGroup* a = AddGroup(doc, {z[3], z[4]});
  CGroup* b = AddGroup(doc, {z[4], z[5]});
  CGroup* both = CGroup::CreateIn(doc, QRect(), CGroup::kLevelAdded);
  CBaseDevice::Connect(a, 0, both, 0);
  CBaseDevice::Connect(b, 0, both, 0);
  CConsole* console = AddConsole(doc);
  EXPECT_EQ(console->FindGroupByZoneList("4-6"), both);
  EXPECT_EQ(console->FindGroupByZoneList("5"), nullptr);
  EXPECT_EQ(console->FindGroupByZoneList("0"), nullptr);
}

TEST_F(CConsoleTest, RangeProgrammingSkipsMissingZonesButCountsThem) {
  std::vector<CZone*> z = AddZones(doc, 14);
  ASSERT_TRUE(z[9]->OnCommand(ID_DELETE_OBJECT));
  AddFixedKeySignals();
  CConsole* console = AddConsole(doc);
  ASSERT_TRUE(console->FindKey(6)->SetFunctionFromText(CConsKey::STOP, "2", true));
  console->ProgramKeyRange(1, 10, 5);
  const char* expected[] = {"SEL,5",  "SEL,6",  "SEL,7",  "SEL,8",  "SEL,9",
                            "STOP,2", "SEL,11", "SEL,12", "SEL,13", "SEL,14"};
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(console->FindKey(k)->GetFunctionText(), expected[k - 1]) << k;
  EXPECT_EQ(console->FindKey(103)->GetFunctionText(), "ON,28");
  EXPECT_EQ(console->FindKey(109)->GetFunctionText(), "ALARM,0,1,90,UNPROT");
  EXPECT_EQ(console->FindKey(106)->GetFunctionText(), "CHIME,0,4,80");
  EXPECT_TRUE(messages.Requests().empty());

  // One key: first equal to last programs that key.
  console->ProgramKeyRange(5, 5, 1);
  EXPECT_EQ(console->FindKey(5)->GetFunctionText(), "SEL,1");
  // Backwards: every link goes, then the keys from first to K.
  console->ProgramKeyRange(10, 3, 2);
  EXPECT_EQ(console->FindKey(10)->GetFunctionText(), "SEL,2");
  EXPECT_EQ(LinksOnPort(*console, 1).size(), 0u);
  EXPECT_EQ(LinksOnPort(*console, 10).size(), 1u);
  // A bound far beyond the keys ends at the keys.
  console->ProgramKeyRange(1, 2000000000, 1);
  EXPECT_EQ(console->FindKey(9)->GetFunctionText(), "SEL,9");
}

TEST_F(CConsoleTest, RangeProgrammingWithoutSignalsSaysSoForTheFixedKeys) {
  AddZones(doc, 3);
  CConsole* console = AddConsole(doc);
  console->ProgramKeyRange(1, 3, 1);
  EXPECT_TRUE(messages.Saw(34175));
  EXPECT_EQ(console->FindKey(109)->GetFunctionText(), "DISABLED");
  EXPECT_EQ(console->FindKey(3)->GetFunctionText(), "SEL,3");
}

TEST_F(CConsoleTest, CopyTakesTheKeysTheTargetHas) {
  std::vector<CZone*> z = AddZones(doc, 20);
  AddFixedKeySignals();
  CConsole* source = AddConsole(doc, CConsProp::RCX6020, 100);
  CConsole* target = AddConsole(doc, CConsProp::RCX6010, 1200);
  source->ProgramKeyRange(1, 20, 1);
  ASSERT_TRUE(source->FindKey(3)->SetFunctionFromText(CConsKey::SEL, "3,0,0,UNPROT", true));
  source->GetProp().SetParamText(CConsProp::P_PRECHIME, "1");
  source->GetProp().SetParamText(CConsProp::P_EXT, "1");
  target->ClearAllKeys();
  source->CopyKeyProgrammingTo(target);

  for (int k = 11; k <= 20; ++k) EXPECT_TRUE(LinksOnPort(*target, k).empty()) << k;
  for (int k = 1; k <= 10; ++k) {
    const std::vector<ConnectionRecord> links = LinksOnPort(*target, k);
    ASSERT_EQ(links.size(), 1u) << k;
    EXPECT_EQ(links[0].pPeer, z[static_cast<size_t>(k - 1)]);
    EXPECT_EQ(MirrorCount(*z[static_cast<size_t>(k - 1)], *target), 1);
    EXPECT_EQ(target->FindKey(k)->GetFunctionText(), Fmt(k == 3 ? "SEL,%d,0,0,UNPROT" : "SEL,%d", k));
  }
  const std::vector<ConnectionRecord> on = LinksOnPort(*target, 103);
  ASSERT_EQ(on.size(), 1u);
  EXPECT_EQ(on[0].pPeer, target);
  EXPECT_EQ(target->FindKey(103)->GetFunctionText(), "ON,28");
  const std::vector<ConnectionRecord> talk = LinksOnPort(*target, 108);
  ASSERT_EQ(talk.size(), 1u);
  EXPECT_EQ(talk[0].pPeer, nullptr);
  EXPECT_EQ(LinksOnPort(*target, -109).size(), 1u);
  EXPECT_EQ(target->GetProp().GetParamText(CConsProp::P_PRECHIME), "1");
  EXPECT_EQ(target->GetProp().GetParamText(CConsProp::P_EXT), "1");
  // The source keeps its own links.
  EXPECT_EQ(LinksOnPort(*source, 15).size(), 1u);
  EXPECT_EQ(MirrorCount(*z[14], *source), 1);
}

TEST_F(CConsoleTest, ExtensionFollowsModelAndKeys) {
  AddZones(doc, 3);
  CConsole* x = AddConsole(doc, CConsProp::RCX6010X, 100);
  x->GetProp().SetParamText(CConsProp::P_EXT, "0");
  x->CheckExtension();
  EXPECT_EQ(x->GetProp().GetExt(), CConsProp::EXT_6350);

  CConsole* plain = AddConsole(doc, CConsProp::RCX6010, 1200);
  plain->GetProp().SetParamText(CConsProp::P_EXT, "2");
  plain->CheckExtension();
  EXPECT_EQ(plain->GetProp().GetExt(), CConsProp::EXT_OFF);
  EXPECT_TRUE(messages.Requests().empty());

  ASSERT_TRUE(plain->FindKey(4)->SetFunctionFromText(CConsKey::AUX, "2", true));
  plain->CheckExtension();
  EXPECT_EQ(plain->GetProp().GetExt(), CConsProp::EXT_AUX);
  ASSERT_TRUE(plain->FindKey(112)->SetFunctionFromText(CConsKey::TALKEXT, "-1,0,50", true));
  EXPECT_EQ(plain->CheckExtConnectorKeys(false, true), 3);
  plain->CheckExtension();
  EXPECT_EQ(plain->GetProp().GetExt(), CConsProp::EXT_PTT);
  EXPECT_TRUE(messages.Requests().empty());
  // A console whose EXT was 2 but has no extension is checked as one
  // without: no warning, and its AUX key gets the connector.
  plain->GetProp().SetParamText(CConsProp::P_EXT, "2");
  ASSERT_TRUE(plain->FindKey(112)->SetFunctionFromText(CConsKey::DISABLED, "", true));
  plain->CheckExtension();
  EXPECT_EQ(plain->GetProp().GetExt(), CConsProp::EXT_AUX);
  EXPECT_TRUE(messages.Requests().empty());

  ASSERT_TRUE(x->FindKey(4)->SetFunctionFromText(CConsKey::AUX, "2", true));
  x->CheckExtension();
  EXPECT_EQ(x->GetProp().GetExt(), CConsProp::EXT_6350);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34287u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(x->GetName()));
}

TEST_F(CConsoleTest, KeyLinksGiveGroupsSlotsInKeyOrder) {
  std::vector<CZone*> z = AddZones(doc, 6);
  CGroup* root = AddRoot(doc, {});
  CGroup* g1 = AddGroup(doc, {z[0]});
  CGroup* g2 = AddGroup(doc, {z[1]});
  CConsole* console = AddConsole(doc, CConsProp::RCX6020);
  CConsKey* k1 = console->FindKey(1);
  CConsKey* k2 = console->FindKey(2);
  CConsKey* k3 = console->FindKey(3);
  ASSERT_TRUE(k1->SetFunctionFromText(CConsKey::SEL, "0", true));
  ASSERT_TRUE(k2->SetFunctionFromText(CConsKey::SEL, "1", true));
  ASSERT_TRUE(k3->SetFunctionFromText(CConsKey::SEL, "2", true));
  // The key dialog chose groups for keys 2 and 3.
  k2->UpdateLabel(KeyTarget::Of(g2));
  k3->UpdateLabel(KeyTarget::Of(g1));
  EXPECT_EQ(console->StoreKeyLinks(), 0);
  EXPECT_EQ(LinksOnPort(*console, 1)[0].nOwnPin, 1);
  EXPECT_EQ(LinksOnPort(*console, 1)[0].pPeer, root);
  EXPECT_EQ(LinksOnPort(*console, 2)[0].nOwnPin, (1 << 16) | 2);
  EXPECT_EQ(LinksOnPort(*console, 3)[0].nOwnPin, (2 << 16) | 3);
  EXPECT_EQ(k2->GetFunctionText(), "SEL,101");
  EXPECT_EQ(k3->GetFunctionText(), "SEL,102");
  EXPECT_EQ(console->FindGroupInSlot(1), g2);
  EXPECT_EQ(console->SettingValue(CConsProp::P_GROUP | (2 << 16)), "1");
  // Read back from the links, the keys show what was stored.
  EXPECT_EQ(console->RefreshKeysFromLinks(true), 3);
  EXPECT_EQ(k2->GetTarget().object, g2);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CConsoleTest, MoreThanThirtyGroupsLeaveTheRestUnlinked) {
  CConsole* console = ConsoleWithGroupKeys(CConsProp::RCX6550, 32);
  EXPECT_EQ(console->StoreKeyLinks(), 2);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains("too many Groups"));
  EXPECT_EQ(LinksOnPort(*console, 30)[0].nOwnPin, (30 << 16) | 30);
  EXPECT_TRUE(LinksOnPort(*console, 31).empty());
  EXPECT_TRUE(LinksOnPort(*console, 32).empty());
  for (const ConnectionRecord& r : console->GetInputConnections()) EXPECT_LE(ConsolePinGroupSlot(r.nOwnPin), 30);
}

// In German too, the warning names the key whose group found no slot.
TEST_F(CConsoleTest, TheThirtyFirstGroupIsNotStoredAndItsKeyNamedInGerman) {
  CConsole* console = ConsoleWithGroupKeys(CConsProp::RCX6520X, 31);
  CLanguageSwitcher language;
  language.Apply(CStringTable::Language::German);
  ASSERT_TRUE(language.HasGermanTranslation());
  EXPECT_EQ(console->StoreKeyLinks(), 1);
  language.Apply(CStringTable::Language::English);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].text, QStringLiteral("Warnung: Diese Sprechstelle hat zu viele Gruppen ! (31)\n"
                                                        "Tasten, deren Gruppe nicht gespeichert wurde: 31"));
  EXPECT_TRUE(LinksOnPort(*console, 31).empty());
  EXPECT_EQ(LinksOnPort(*console, 30).at(0).nOwnPin, (30 << 16) | 30);
}

// Read back from links (an older project could hold more slots than the
// unit has): the warning counts the groups that need a slot, not the root.
TEST_F(CConsoleTest, ReadingLinksWarnsOnlyBeyondThirtySlottedGroups) {
  std::vector<CZone*> z = AddZones(doc, 1);
  CGroup* root = CGroup::EnsureRoot(doc);
  std::vector<CGroup*> groups;
  for (int i = 0; i < 31; ++i) groups.push_back(AddGroup(doc, {z[0]}));
  CConsole* console = AddConsole(doc, CConsProp::RCX6550);
  auto link = [console](int key, int slot, CBaseDevice* group) {
    console->AddInputConnection(MakeConsolePin(key, slot), group, 0, CAT_GROUPS);
    group->AddOutputConnection(0, console, MakeConsolePin(key, slot), CAT_CONSOLES);
  };
  // The root group and thirty slotted groups: as many as the unit holds.
  link(1, 0, root);
  for (int k = 2; k <= 31; ++k) link(k, k - 1, groups[static_cast<size_t>(k - 2)]);
  EXPECT_EQ(console->RefreshKeysFromLinks(true), 31);
  EXPECT_TRUE(messages.Requests().empty());
  // Key 1 takes a thirty-first slotted group instead of the root: one too
  // many, although the console still names only 31 groups.
  console->DisconnectInput(LinksOnPort(*console, 1).at(0));
  link(1, 31, groups[30]);
  EXPECT_EQ(console->RefreshKeysFromLinks(true), 31);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains("too many Groups ! (31)"));
}

TEST_F(CConsoleTest, LinksToTheConsoleItselfResolveFromTheParameters) {
  std::vector<CZone*> z = AddZones(doc, 4);
  AddFixedKeySignals();
  CConsole* console = AddConsole(doc);
  CConsKey* alarm = console->FindKey(2);
  ASSERT_TRUE(alarm->SetFunctionFromText(CConsKey::ALARM, "4,1,90", true));
  // An older project linked the key to its own console.
  console->RemoveAllInputConnections();
  console->AddInputConnection(2, console, 0, CAT_CONSOLES);
  console->AddOutputConnection(0, console, 2, CAT_CONSOLES);
  CConsKey* on = console->FindKey(103);
  on->ResetToDefault(2);
  console->RefreshKeysFromLinks(true);
  EXPECT_EQ(alarm->GetTarget().object, z[3]);
  EXPECT_NE(alarm->GetSecondTarget().object, nullptr);
  EXPECT_EQ(on->GetTarget().object, console);
  EXPECT_EQ(on->GetLabel(), "On");
  console->StoreKeyLinks();
  EXPECT_EQ(LinksOnPort(*console, 2)[0].pPeer, z[3]);
  EXPECT_EQ(LinksOnPort(*console, -2).size(), 1u);
  EXPECT_EQ(LinksOnPort(*console, 103)[0].pPeer, console);
}

TEST_F(CConsoleTest, PlacementKeepsClearOfOthersAndOfTheEdges) {
  CConsole* a = AddConsole(doc, CConsProp::RCX6010, 500);
  EXPECT_EQ(a->GetRect(), QRect(500, 600, 64, 48));
  // Placed onto a: moves left in steps of 10 until it is clear.
  CConsole* b = AddConsole(doc, CConsProp::RCX6010, 520);
  EXPECT_EQ(b->GetRect().left(), 430);
  EXPECT_EQ(a->GetRect().left(), 500);
  // Touching edges do not overlap.
  CConsole* c = AddConsole(doc, CConsProp::RCX6010, 564);
  EXPECT_EQ(c->GetRect().left(), 564);
  CConsole* right = CConsole::CreateIn(doc, CConsProp::RCX6010, QRect(1876, 0, 64, 48));
  EXPECT_EQ(right->GetRect().left() + right->GetRect().width(), 1933);
  CConsole* left = CConsole::CreateIn(doc, CConsProp::RCX6010, QRect(-5, 0, 64, 48));
  EXPECT_EQ(left->GetRect().left(), 0);
  // Placement moves a console the user may not move.
  EXPECT_TRUE(left->IsMoveLocked());
}

TEST_F(CConsoleTest, ReportRowsAndUnitPort) {
  CConsole* console = AddConsole(doc, CConsProp::RCX6520);
  console->SetName("Desk");
  std::vector<ReportColumn> columns;
  EXPECT_EQ(console->GetReportColumns(columns), 1);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].position, 2);
  EXPECT_EQ(columns[1].position, 30);
  EXPECT_EQ(columns[2].position, 50);
  QStringList header, row;
  console->GetReportLine(header, true);
  console->GetReportLine(row, false);
  EXPECT_EQ(header, (QStringList{"Name", "ID", "Type"}));
  EXPECT_EQ(row, (QStringList{"Desk", "1", "RCX6520"}));

  EXPECT_EQ(console->GetUnitPort(), -1);
  auto slot = doc.CreateObject(DT_AUDIOINPUTSLOT, 0);
  ASSERT_NE(slot, nullptr);
  CBaseDevice::Connect(console, 0, slot, 1);
  EXPECT_EQ(console->GetUnitPort(), 2 * slot->GetID() - 1);
  // The drawn link widens the bounding rectangle towards the slot's pin.
  console->CalcBoundingRect();
  EXPECT_TRUE(console->GetBoundingRect().contains(console->GetRect()));
}

TEST_F(CConsoleTest, VersionIsReadFromTheAnswerLine) {
  AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* console = AddConsole(doc);
  const QString query = console->GetVersionQuery();
  EXPECT_EQ(query, "/CONS/ADR2/RELEASE ?");
  EXPECT_EQ(CConsole::ParseVersionReply("/CONS/ADR2/RELEASE ?\r\n/CONS/ADR2/RELEASE 2.10\r\n", query), "2.10");
  EXPECT_EQ(CConsole::ParseVersionReply("/CONS/ADR2/RELEASE RCX V 3.01 \r", query), "3.01");
  EXPECT_EQ(CConsole::ParseVersionReply("/CONS/ADR2/RELEASE ?\r\n", query), "");
  EXPECT_EQ(CConsole::ParseVersionReply("", query), "");
  EXPECT_EQ(CConsole::ParseVersionReply("/CONS/ADR2/RELEASE console not connected\r\n", query), "");
  EXPECT_EQ(CConsole::ParseVersionReply("/CONS/ADR12/RELEASE 1.0\r\n", query), "");
}

TEST_F(CConsoleTest, DefaultKeyTextsNameSignalsThatExist) {
  CConsole* console = AddConsole(doc);
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::ALARM), "0,1,90,UNPROT");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::CHIME), "0,1,80");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::TEXT), "0,1,40");
  CAudioSignal* a1 = AddSignal(doc, CAudioSignal::kKindAlarm);
  CAudioSignal* a2 = AddSignal(doc, CAudioSignal::kKindAlarm);
  a2->SetValueText(1, "7");
  ASSERT_TRUE(a1->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::ALARM), "0,2,70,UNPROT");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::TALK), "-1,0,50");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::TALKEXT), "-1,0,40");
  console->GetProp().SetParamText(CConsProp::P_PTTPRIO, "2");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::TALKEXT), "-1,0,60");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::STOP), "2,0,90");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::MACSWT), "1,0");
  EXPECT_EQ(console->DefaultKeyParamText(CConsKey::CLEAR), "");
}
