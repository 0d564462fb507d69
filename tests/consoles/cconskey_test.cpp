// Console keys: function texts, the two-word record, the parser with its
// refusals, the links a key keeps on its console, MACREP on the wire, the
// fixed-key defaults and the labels.

#include "consoletestsupport.h"
#include "model/carchive.h"
#include "support/messagerecorder.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace constest;

namespace {

class CConsKeyTest : public testing::Test {
 protected:
  void SetUp() override {
    zones = AddZones(doc, 12);
    root = AddRoot(doc, {zones[0], zones[1]});
    fire = AddSignal(doc, CAudioSignal::kKindAlarm, QStringLiteral("Fire"));
    AddSignal(doc, CAudioSignal::kKindAlarm);
    AddSignal(doc, CAudioSignal::kKindAlarm);
    for (int i = 0; i < 6; ++i) AddSignal(doc, CAudioSignal::kKindChime);
    AddMacros(doc, 6);
    AddConsole(doc, CConsProp::RCX6010, 100);
    console = AddConsole(doc, CConsProp::RCX6020, 1000);
    ASSERT_EQ(console->GetID(), 2);
    messages.Clear();
  }

  CConsKey* Key(int number) { return console->FindKey(number); }

  static CConsKey::Function F(int type, int p1, int p2, int p3, bool prot = true) {
    return CConsKey::Function{type, p1, p2, p3, prot};
  }

  CSelvantisDoc doc;
  MessageRecorder messages;
  std::vector<CZone*> zones;
  CGroup* root = nullptr;
  CAudioSignal* fire = nullptr;
  CConsole* console = nullptr;
};

}  // namespace

TEST_F(CConsKeyTest, FunctionTextsFillEmptyPartsOnlyWhereLaterPartsFollow) {
  struct Row {
    CConsKey::Function f;
    const char* text;
  } rows[] = {
      {F(CConsKey::STOP, 0, 0, 0), "STOP"},
      {F(CConsKey::STOP, 2, 0, 0), "STOP,2"},
      {F(CConsKey::SEL, 12, 0, 0), "SEL,12"},
      {F(CConsKey::SEL, 0, 0, 0), "SEL,0"},
      {F(CConsKey::MACRO, 3, 0, 0, false), "MACRO,3,0,0,UNPROT"},
      {F(CConsKey::ALARM, 0, 1, 90, false), "ALARM,0,1,90,UNPROT"},
      {F(CConsKey::PROGRAM, 0, 5, 0), "PROGRAM,0,5"},
      {F(CConsKey::TALK, -1, 0, 50), "TALK,-1,0,50"},
      {F(CConsKey::ON, 0, 0, 7), "ON,0,0,7"},
      {F(CConsKey::DISABLED, 0, 0, 0), "DISABLED"},
  };
  for (const Row& row : rows) EXPECT_EQ(CConsKey::FunctionText(row.f), QString::fromLatin1(row.text));
}

TEST_F(CConsKeyTest, RecordHoldsTwoWordsAndReadsBytesUnsigned) {
  CConsKey* key = Key(7);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ALARM, "-1,3,90", true));
  EXPECT_EQ(key->GetWord1(), 0x07FF03C0u);
  EXPECT_EQ(key->GetWord2(), 0x5A070000u);

  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  {
    CArchive out(&buffer, CArchive::store);
    out.WriteObject(key);
  }
  EXPECT_TRUE(buffer.data().endsWith(QByteArray::fromHex("c003ff070000075a")));
  buffer.seek(0);
  CArchive in(&buffer, CArchive::load);
  std::unique_ptr<CObject> object(in.ReadObject());
  auto* back = dynamic_cast<CConsKey*>(object.get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetNumber(), 7);
  EXPECT_TRUE(back->IsInUse());
  EXPECT_EQ(back->GetFunctionText(), "ALARM,255,3,90");
  back->SetOwner(console);
  ASSERT_TRUE(back->SetFunctionFromText(CConsKey::ALARM, "255,3,90", false));
  EXPECT_EQ(back->GetEditFunction().p1, -1);
}

TEST_F(CConsKeyTest, FixedAlarmKeyRecordCarriesItsPicture) {
  CConsKey* key = Key(109);
  key->ResetToDefault(11);
  EXPECT_EQ(key->GetFunctionText(), "ALARM,0,1,90,UNPROT");
  EXPECT_EQ(key->GetWord1(), 0x07000140u);
  EXPECT_EQ(key->GetWord2(), 0x5A6D012Fu);
}

TEST_F(CConsKeyTest, RecordsWithAnUnknownTypeOrNumberAreRefused) {
  CConsKey key;
  EXPECT_FALSE(key.SetWords(0x10000000u, 0x00070000u));  // type 16
  EXPECT_FALSE(key.SetWords(0x06000000u, 0x00710000u));  // number 113
  EXPECT_FALSE(key.SetWords(0x06000000u, 0x00000000u));  // number 0
  EXPECT_TRUE(key.SetWords(0x06030080u, 0x00650000u));
  EXPECT_EQ(key.GetNumber(), 101);
}

TEST_F(CConsKeyTest, ParserReadsMissingNumbersAsZeroAndKeepsUnsignedFields) {
  CConsKey::Function f;
  CConsKey::ParseParams(CConsKey::MACRO, "5,UNPROT", &f);
  EXPECT_EQ(f, F(CConsKey::MACRO, 5, 0, 0, false));
  CConsKey::ParseParams(CConsKey::TALK, "-1,0,50", &f);
  EXPECT_EQ(f, F(CConsKey::TALK, -1, 0, 50, true));
  // An ON delay above 127 stays a delay.
  CConsKey::ParseParams(CConsKey::ON, "200", &f);
  EXPECT_EQ(f.p1, 200);
  // Group slots 28..30 are parameters 128..130, not negative numbers.
  CConsKey::ParseParams(CConsKey::SEL, "130", &f);
  EXPECT_EQ(f.p1, 130);
  CConsKey::ParseParams(CConsKey::SEL, "255", &f);
  EXPECT_EQ(f.p1, -1);
  CConsKey::ParseParams(CConsKey::STOP, "-1", &f);
  EXPECT_EQ(f.p1, 255);
  // A reply line's CR and blanks do not hide the mark.
  CConsKey::ParseParams(CConsKey::SEL, "3,0,0,UNPROT \r", &f);
  EXPECT_FALSE(f.bProtected);
  CConsKey::ParseParams(CConsKey::SEL, "", &f);
  EXPECT_EQ(f, F(CConsKey::SEL, 0, 0, 0, true));
}

TEST_F(CConsKeyTest, RefusedFunctionsLeaveKeyAndLinksAsTheyWere) {
  CConsKey* key = Key(7);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, "3", true));
  const std::vector<ConnectionRecord> links = console->GetInputConnections();
  const CConsKey::Function before = key->GetFunction();
  messages.Clear();

  struct Row {
    int type;
    const char* text;
    uint32_t message;
  } rows[] = {
      {CConsKey::ALARM, "0,0,90", 34175}, {CConsKey::ALARM, "0,9,90", 34175}, {CConsKey::CHIME, "0,7,80", 34175},
      {CConsKey::SEL, "101", 34176},      {CConsKey::SEL, "13", 34176},       {CConsKey::AUX, "140", 34176},
      {CConsKey::MACSWT, "1,0", 34177},   {CConsKey::MACRO, "1,7", 34177},    {CConsKey::MACREP, "51", 34177},
      {CConsKey::MACRAD, "0", 34177},     {CConsKey::MACREP, "7", 34178},
  };
  for (const Row& row : rows) {
    messages.Clear();
    EXPECT_FALSE(key->SetFunctionFromText(row.type, row.text, true)) << row.text;
    ASSERT_EQ(messages.Requests().size(), 1u) << row.text;
    EXPECT_EQ(messages.Requests()[0].id, row.message) << row.text;
    EXPECT_EQ(console->GetInputConnections(), links) << row.text;
    EXPECT_EQ(key->GetFunction(), before) << row.text;
  }
  messages.Clear();
  ASSERT_FALSE(key->SetFunctionFromText(CConsKey::ALARM, "0,0,90", true));
  EXPECT_TRUE(messages.SawText("key 7 is"));
  EXPECT_TRUE(key->SetFunctionFromText(CConsKey::MACRO, "1,0", true));
  EXPECT_TRUE(key->SetFunctionFromText(CConsKey::MACSWT, "1,2", true));
}

TEST_F(CConsKeyTest, AlarmKeyLinksZoneOrGroupAndSignalWithMirrors) {
  CConsKey* key = Key(7);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ALARM, "0,1,90", true));
  const auto& inputs = console->GetInputConnections();
  ASSERT_EQ(inputs.size(), 2u);
  const std::vector<ConnectionRecord> first = LinksOnPort(*console, 7);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].pPeer, root);
  EXPECT_EQ(first[0].nOwnPin, 7);
  EXPECT_EQ(first[0].nPeerPin, 0);
  EXPECT_EQ(first[0].nPeerCategory, CAT_GROUPS);
  const std::vector<ConnectionRecord> second = LinksOnPort(*console, -7);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].pPeer, fire);
  EXPECT_EQ(second[0].nPeerCategory, CAT_MISC);
  EXPECT_EQ(MirrorCount(*root, *console), 1);
  EXPECT_EQ(MirrorCount(*fire, *console), 1);

  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, "3", true));
  ASSERT_EQ(console->GetInputConnections().size(), 1u);
  EXPECT_EQ(console->GetInputConnections()[0].pPeer, zones[2]);
  EXPECT_EQ(console->GetInputConnections()[0].nOwnPin, 7);
  EXPECT_EQ(MirrorCount(*root, *console), 0);
  EXPECT_EQ(MirrorCount(*fire, *console), 0);
  EXPECT_EQ(MirrorCount(*zones[2], *console), 1);
}

TEST_F(CConsKeyTest, OldSignExtendedPinsAreReplacedToo) {
  // A second-target pin stored with the port sign-extended over the high half.
  console->AddInputConnection(static_cast<int>(0xFFFFFFF9u), fire, 0, CAT_MISC);
  fire->AddOutputConnection(0, console, static_cast<int>(0xFFFFFFF9u), CAT_CONSOLES);
  ASSERT_TRUE(Key(7)->SetFunctionFromText(CConsKey::SEL, "3", true));
  EXPECT_TRUE(LinksOnPort(*console, -7).empty());
  EXPECT_EQ(MirrorCount(*fire, *console), 0);
}

TEST_F(CConsKeyTest, TalkWithoutPreChimeTakesOnlyItsZone) {
  CConsKey* key = Key(4);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::TALK, "5,0,50", true));
  EXPECT_EQ(console->GetInputConnections().size(), 1u);
  EXPECT_FALSE(key->GetSecondTarget().IsSet());
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::TALK, "5,6,50", true));
  EXPECT_EQ(LinksOnPort(*console, -4).size(), 1u);
}

TEST_F(CConsKeyTest, MacRepSendsThirtyOverTheRateBothWays) {
  CConsKey* key = Key(5);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::MACREP, "4,3", true));
  RecordingLink link;
  QString line;
  key->Download(line, false, false);
  EXPECT_EQ(line, "/CONS/ADR2/KEY5 MACREP,4,10");
  ASSERT_EQ(link.Calls().size(), 1u);
  EXPECT_FALSE(link.Calls()[0].shorten);

  ASSERT_TRUE(key->Upload("MACREP,4,10"));
  EXPECT_EQ(key->GetFunction().p2, 3);
  EXPECT_EQ(key->GetFunction().p1, 4);
  // The wire value loses precision: 8 and 9 both travel as 3.
  for (int rate : {8, 9}) {
    ASSERT_TRUE(key->SetFunctionFromText(CConsKey::MACREP, Fmt("4,%d", rate), true));
    key->Download(line, false, false);
    ASSERT_TRUE(key->Upload(line.section(' ', 1)));
    EXPECT_EQ(key->GetFunction().p2, 10);
  }
  // No rate, or an unprotected key: the macro and the mark stay.
  ASSERT_TRUE(key->Upload("MACREP,4,0,0,UNPROT"));
  EXPECT_EQ(key->GetFunction(), F(CConsKey::MACREP, 4, 0, 0, false));
  ASSERT_TRUE(key->Upload("MACREP,4,UNPROT"));
  EXPECT_EQ(key->GetFunction(), F(CConsKey::MACREP, 4, 0, 0, false));
  ASSERT_TRUE(key->Upload("MACREP,4"));
  key->Download(line, false, false);
  EXPECT_EQ(line, "/CONS/ADR2/KEY5 MACREP,4");
  key->Download(line, false, true);
  EXPECT_EQ(line, "/CONS/ADR2/KEY5 ?");
}

TEST_F(CConsKeyTest, RepliesThatAreNoFunctionChangeNothing) {
  CConsKey* key = Key(5);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, "3", true));
  messages.Clear();
  EXPECT_FALSE(key->Upload("console not connected"));
  EXPECT_FALSE(key->Upload("?"));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_FALSE(key->Upload("FOO,1"));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34029u);
  EXPECT_EQ(key->GetFunctionText(), "SEL,3");
  EXPECT_TRUE(key->Upload("AUX,4\r"));
  EXPECT_EQ(key->GetFunctionText(), "AUX,4");
}

TEST_F(CConsKeyTest, FixedKeyDefaultsComeFromTheirRow) {
  CConsKey* on = console->GetProp().GetKeyAt(101 + 2);
  ASSERT_EQ(on->GetNumber(), 103);
  on->ResetToDefault(2);
  EXPECT_EQ(on->GetLabel(), "On");
  EXPECT_EQ(on->GetFunctionText(), "ON,28");
  EXPECT_EQ(on->GetTarget().object, console);

  CConsKey* talk = console->GetProp().GetKeyAt(101 + 7);
  ASSERT_EQ(talk->GetNumber(), 108);
  talk->ResetToDefault(7);
  EXPECT_EQ(talk->GetLabel(), "Talk");
  EXPECT_EQ(talk->GetFunctionText(), "TALK,-1,0,50");
  EXPECT_TRUE(talk->GetTarget().mark);
  const std::vector<ConnectionRecord> links = LinksOnPort(*console, 108);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].pPeer, nullptr);
  EXPECT_EQ(links[0].nPeerCategory, CAT_CONSOLES);
}

TEST_F(CConsKeyTest, NewKeysAreDisabledAndProtected) {
  CConsKey key(7, console);
  EXPECT_EQ(key.GetFunction(), F(CConsKey::DISABLED, 0, 0, 0, true));
  EXPECT_EQ(key.GetEditFunction(), key.GetFunction());
  EXPECT_FALSE(key.IsInUse());
  CConsKey fixed(101 + 11, console);
  EXPECT_EQ(fixed.GetNumber(), 109);
  EXPECT_EQ(fixed.GetPicture(), 303);
}

TEST_F(CConsKeyTest, LabelsNameTheTargetWithTheTypesPrefix) {
  zones[2]->SetName("Hall");
  struct Row {
    int key;
    int type;
    const char* text;
    const char* label;
  } rows[] = {
      {1, CConsKey::SEL, "3", "Hall"},         {2, CConsKey::AUX, "3", "AUX-Hall"},
      {3, CConsKey::TALKEXT, "3", "PTT-Hall"}, {4, CConsKey::TALK, "3,0,50", "@Hall"},
      {108, CConsKey::TALK, "3,0,50", "Hall"}, {5, CConsKey::ALARM, "3,1,90", "Fire"},
      {6, CConsKey::STOP, "2", "Stop"},        {7, CConsKey::ALARM, "-1,1,90", "Fire"},
      {8, CConsKey::MACRO, "2", "Macro"},
  };
  for (const Row& row : rows) {
    CConsKey* key = Key(row.key);
    ASSERT_TRUE(key->SetFunctionFromText(row.type, row.text, true)) << row.label;
    if (row.type == CConsKey::MACRO) {
      EXPECT_EQ(key->GetLabel(), doc.FindObjectById(CAT_MACROS, 2)->GetName());
      continue;
    }
    EXPECT_EQ(key->GetLabel(), QString::fromLatin1(row.label));
  }
  CConsKey* alarm = Key(7);
  alarm->SetSecondTarget(KeyTarget::None());
  alarm->UpdateLabel(KeyTarget::Mark());
  EXPECT_EQ(alarm->GetLabel(), "Alarm ?");
  CConsKey* disabled = Key(9);
  ASSERT_TRUE(disabled->SetFunctionFromText(CConsKey::DISABLED, "", true));
  EXPECT_EQ(disabled->GetLabel(), "");
  EXPECT_FALSE(disabled->IsInUse());
}

// A key that loses its target (its zone went from the project) shows no
// label and is no longer in use, in the view as in the project file.
TEST_F(CConsKeyTest, AKeyWithoutATargetShowsNothingAndIsNotInUse) {
  CConsKey* key = Key(4);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, "3", true));
  ASSERT_TRUE(key->IsInUse());
  ASSERT_FALSE(key->GetLabel().isEmpty());
  key->UpdateLabel(KeyTarget::None());
  EXPECT_EQ(key->GetLabel(), "");
  EXPECT_FALSE(key->IsInUse());
  EXPECT_EQ(key->GetWord1() & 0x40u, 0u);
  // The function itself is kept.
  EXPECT_EQ(key->GetFunctionText(), "SEL,3");
}

TEST_F(CConsKeyTest, GroupSlotKeyKeepsItsParameterAndSlotInThePin) {
  CGroup* group = AddGroup(doc, {zones[4], zones[5]});
  console->SetGroupSlot(5, group);
  CConsKey* key = Key(9);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, "105", true));
  EXPECT_EQ(key->GetFunction().p1, 105);
  ASSERT_EQ(console->GetInputConnections().size(), 1u);
  EXPECT_EQ(console->GetInputConnections()[0].nOwnPin, (5 << 16) | 9);
  EXPECT_EQ(console->FindGroupInSlot(5), group);
  QString line;
  RecordingLink link;
  key->Download(line, false, false);
  EXPECT_EQ(line, "/CONS/ADR2/KEY9 SEL,105");
  console->SendSetting(line, CConsProp::P_GROUP | (5 << 16), false, false);
  EXPECT_EQ(line, "/CONS/ADR2/GROUP5 5-6");
  // The slot table is only a cache: the link still names the group.
  console->SetGroupSlot(5, nullptr);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, "105", true));
  EXPECT_EQ(key->GetTarget().object, group);
}

TEST_F(CConsKeyTest, KeyDialogSelectionSetsTheParameters) {
  CConsKey* key = Key(3);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ALARM, "3,1,90", true));
  key->EditFunction().p3 = 70;
  key->SetTargetFromSelection(KeyTarget::Mark(), doc.GetIDManager().FindBaseDevice(2, DT_ALARMSIGNAL), 0);
  EXPECT_EQ(key->GetFunction(), F(CConsKey::ALARM, -1, 2, 70));
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, "3,0,20", true));
  key->SetTargetFromSelection(KeyTarget::Of(root), nullptr, 0);
  EXPECT_EQ(key->GetFunction(), F(CConsKey::SEL, 0, 0, 0));
  key->SetTargetFromSelection(KeyTarget::Of(root), nullptr, 4);
  EXPECT_EQ(key->GetFunction().p1, 104);
}

TEST_F(CConsKeyTest, KeysAndSettingsAreSentForTheConsolesOwnProject) {
  // Another project is the active one: the console's lines are still its
  // own project's, so a link serving the other project drops them.
  CSelvantisDoc other;
  SetActiveDoc(&other);
  RecordingLink link;
  QString line;
  Key(3)->Download(line, false, false);
  console->SendSetting(line, CConsProp::P_PRIO, false, false);
  ASSERT_EQ(link.Calls().size(), 2u);
  EXPECT_EQ(link.Calls()[0].doc, &doc);
  EXPECT_EQ(link.Calls()[1].doc, &doc);
  link.Clear();
  link.SetServedDocument(&other);
  Key(3)->Download(line, false, false);
  console->SendSetting(line, CConsProp::P_PRIO, false, false);
  EXPECT_TRUE(link.Lines().isEmpty()) << link.Lines().join('|').toStdString();
  SetActiveDoc(nullptr);
}
