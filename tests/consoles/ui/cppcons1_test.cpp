// The console parameters page: where the console is wired, what is written
// back to its parameter store (and what is refused), the questions of the
// sheet's Cancel, and the two status queries sent to the unit.
#include "consoles/ui/cppcons1.h"

#include "../consoletestsupport.h"
#include "consoles/cconsoleobject.h"
#include "consoles/cconsprop.h"
#include "consoles/ui/consparamspagestate.h"
#include "model/cstringtable.h"
#include "shell/controls/cpropertysheet.h"
#include "support/messagerecorder.h"
#include "unit/cinfoslot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

using namespace constest;

namespace {

using ParamList = std::vector<std::pair<int, QString>>;
using Query = ConsParamsPageState::Query;

class CPPCons1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    SetActiveDoc(&doc);
    console = AddConsole(doc);
    ASSERT_NE(console, nullptr);
  }
  void TearDown() override {
    sheet.reset();
    page.reset();
    SetActiveDoc(nullptr);
  }

  // Wires the console's output to input pin (0: A, 1: B) of a new audio
  // input slot.
  CBaseDevice* WireTo(CConsole* target, int pin) {
    CBaseDevice* slot = doc.CreateObject(DT_AUDIOINPUTSLOT, 0);
    if (slot == nullptr) return nullptr;
    CBaseDevice::Connect(target, 0, slot, pin);
    return slot;
  }

  CInfoSlot* Online(bool connected) {
    CInfoSlot* info = CInfoSlot::EnsureIn(doc);
    info->SetConnected(connected);
    return info;
  }

  CPPCons1* MakePage(CConsole* shown) {
    page = std::make_unique<CPPCons1>(&doc);
    page->SetConsole(shown, false);
    return page.get();
  }

  // The page inside a shown sheet, as the console properties run it.
  CPPCons1* MakeSheet(CConsole* shown) {
    sheet = std::make_unique<CPropertySheet>(QStringLiteral("Console parameters"));
    auto* added = new CPPCons1(&doc);
    sheet->AddPage(added);
    added->SetConsole(shown, false);
    sheet->show();
    return added;
  }

  template <class T>
  T* Child(QWidget* parent, int id) {
    T* child = parent->findChild<T*>(QStringLiteral("idc_%1").arg(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
  }

  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  CSelvantisDoc doc;
  CConsole* console = nullptr;
  MessageRecorder messages;
  std::unique_ptr<CPPCons1> page;
  std::unique_ptr<CPropertySheet> sheet;
};

}  // namespace

// ---- State ----------------------------------------------------------------------------

TEST_F(CPPCons1Test, UnitPortGivesSlotAndInputLetter) {
  ConsParamsPageState state;
  state.Load(*console, &doc);
  // Wired to nothing: nothing to show, not a made-up slot 0.
  EXPECT_EQ(state.GetSlot(), "");
  EXPECT_EQ(state.GetInput(), "");

  CBaseDevice* first = WireTo(console, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(console->GetUnitPort(), 2 * first->GetID() - 2);
  state.Load(*console, &doc);
  EXPECT_EQ(state.GetSlot(), QString::number(first->GetID()));
  EXPECT_EQ(state.GetInput(), "A");

  CConsole* other = AddConsole(doc, CConsProp::RCX6010, 400);
  CBaseDevice* second = WireTo(other, 1);
  ASSERT_NE(second, nullptr);
  state.Load(*other, &doc);
  EXPECT_EQ(state.GetSlot(), QString::number(second->GetID()));
  EXPECT_EQ(state.GetInput(), "B");
  EXPECT_EQ(state.GetAddress(), QString::number(other->GetID()));

  // The first two slots of a project: ports 0 and 3.
  ASSERT_EQ(first->GetID(), 1);
  ASSERT_EQ(second->GetID(), 2);
  EXPECT_EQ(console->GetUnitPort(), 0);
  EXPECT_EQ(other->GetUnitPort(), 3);
}

TEST_F(CPPCons1Test, NewPageHasItsDefaults) {
  const ConsParamsPageState state;
  EXPECT_EQ(state.GetOnPriority(), 7);
  EXPECT_EQ(state.GetLongCode(), "3971");
  EXPECT_EQ(state.GetShortCode(), "846");
  EXPECT_EQ(state.GetPttPrio(), -1);
  EXPECT_EQ(state.GetExt(), 0);
  EXPECT_FALSE(state.GetBuzzer());
  EXPECT_FALSE(state.AreQueriesEnabled());
  EXPECT_EQ(state.GetType(), "");
}

TEST_F(CPPCons1Test, OnPriorityOutsideItsRangeBecomesZero) {
  ConsParamsPageState state;
  EXPECT_TRUE(state.SetOnPriority(10));
  EXPECT_EQ(state.GetOnPriority(), 10);
  EXPECT_FALSE(state.SetOnPriority(11));
  EXPECT_EQ(state.GetOnPriority(), 0);
  EXPECT_TRUE(state.SetOnPriority(3));
  EXPECT_FALSE(state.SetOnPriority(-1));
  EXPECT_EQ(state.GetOnPriority(), 0);

  // A stored ON_PRIO beyond the page's range shows the highest priority.
  console->GetProp().SetParamText(CConsProp::P_ONPRIO, "250");
  state.Load(*console, &doc);
  EXPECT_EQ(state.GetOnPriority(), 10);
  console->GetProp().SetParamText(CConsProp::P_ONPRIO, "40");
  state.Load(*console, &doc);
  EXPECT_EQ(state.GetOnPriority(), 4);
}

TEST_F(CPPCons1Test, SaveWritesTheParametersInOrder) {
  CConsProp& prop = console->GetProp();
  ConsParamsPageState state;
  state.Load(*console, &doc);
  state.SetOnPriority(6);
  state.SetBuzzer(false);
  state.SetPttPrio(2);
  state.SetComp(true);
  state.SetGerman(false);
  state.SetDosChar(true);
  state.SetLongCode("1234");
  state.SetShortCode("567");
  const ParamList expected = {
      {CConsProp::P_ONPRIO, "60"}, {CConsProp::P_BUZZER, "0"},      {CConsProp::P_PTTPRIO, "2"},
      {CConsProp::P_COMP, "1"},    {CConsProp::P_GERMAN, "0"},      {CConsProp::P_DOSCHAR, "1"},
      {CConsProp::P_EXT, "0"},     {CConsProp::P_LONGCODE, "1234"}, {CConsProp::P_SHORTCODE, "567"}};
  EXPECT_EQ(state.ParamTexts(), expected);

  doc.SetModifiedFlag(false);
  EXPECT_TRUE(state.Save(*console, &doc));
  for (const auto& [code, text] : expected) EXPECT_EQ(prop.GetParamText(code), text) << code;
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PASSW), "567,1234");
  EXPECT_TRUE(doc.IsModified());

  // Nothing changed: the project stays unmodified.
  doc.SetModifiedFlag(false);
  state.Save(*console, &doc);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(CPPCons1Test, PreChimeIsShownButNotWrittenBack) {
  CConsProp& prop = console->GetProp();
  prop.SetParamText(CConsProp::P_PRECHIME, "1");
  ConsParamsPageState state;
  state.Load(*console, &doc);
  EXPECT_TRUE(state.GetPreChime());
  for (const auto& entry : state.ParamTexts()) EXPECT_NE(entry.first, CConsProp::P_PRECHIME);
  prop.SetParamText(CConsProp::P_PRECHIME, "0");
  state.Save(*console, &doc);
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PRECHIME), "0");

  CPPCons1* shown = MakePage(console);
  EXPECT_FALSE(Child<QCheckBox>(shown, 1142)->isEnabled());
}

TEST_F(CPPCons1Test, CodesOutsideTheirRangesBecomeTheDefaults) {
  struct Row {
    const char* shortCode;
    const char* longCode;
    const char* passw;
  };
  const Row rows[] = {
      {"100", "1000", "100,1000"}, {"999", "9999", "999,9999"}, {"99", "3971", "846,3971"},
      {"", "3971", "846,3971"},    {"846", "999", "846,3971"},  {"846", "0999", "846,3971"},
      {"846", "12a4", "846,3971"}, {"1000", "10000", "846,3971"},
  };
  CConsProp& prop = console->GetProp();
  for (const Row& row : rows) {
    prop.SetParamText(CConsProp::P_PASSW, "555,5555");
    ConsParamsPageState state;
    state.Load(*console, &doc);
    state.SetShortCode(QString::fromLatin1(row.shortCode));
    state.SetLongCode(QString::fromLatin1(row.longCode));
    EXPECT_TRUE(state.Save(*console, &doc)) << row.shortCode << " " << row.longCode;
    EXPECT_EQ(prop.GetParamText(CConsProp::P_PASSW), row.passw) << row.shortCode << " " << row.longCode;
    // The page goes on with what the console holds.
    EXPECT_EQ(state.GetShortCode() + "," + state.GetLongCode(), row.passw);
  }
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CPPCons1Test, ExtFollowsTheModelAndEnablesThePttPriority) {
  CConsole* extended = AddConsole(doc, CConsProp::RCX6010X, 400);
  ASSERT_NE(extended, nullptr);
  // An "X" model stored without its extension on EXT gets it back.
  extended->GetProp().SetParamText(CConsProp::P_EXT, "0");
  ConsParamsPageState state;
  state.Load(*extended, &doc);
  EXPECT_EQ(state.GetExt(), 2);
  EXPECT_EQ(state.ExtText(), "RCX6350");
  EXPECT_FALSE(state.IsPttPrioEnabled());

  const char* texts[] = {"not used", "AUX-source", "RCX6350", "PTT-microphone", "not used"};
  for (int ext = 0; ext <= 4; ++ext) {
    state.SetExt(ext);
    EXPECT_EQ(state.ExtText(), texts[ext]);
    EXPECT_EQ(state.IsPttPrioEnabled(), ext == 3);
  }
}

TEST_F(CPPCons1Test, QueryAndReplyTexts) {
  EXPECT_EQ(ConsParamsPageState::QueryText(*console, Query::Release),
            QStringLiteral("/CONS/ADR%1/RELEASE ?").arg(console->GetID()));
  EXPECT_EQ(ConsParamsPageState::QueryText(*console, Query::OpLevel),
            QStringLiteral("/CONS/ADR%1/OPLEVEL ?").arg(console->GetID()));

  const QString query = "/CONS/ADR2/RELEASE ?";
  struct Row {
    const char* reply;
    const char* shown;
  };
  const Row rows[] = {
      {"/CONS/ADR2/RELEASE V2.10\r\n", "V2.10"},
      {"/CONS/ADR2/RELEASE ?\r\n/CONS/ADR2/RELEASE RCX V 3.01 \r\n", "RCX V 3.01"},
      {"/CONS/ADR2/RELEASE console not connected\r\n", "console not connected"},
      {"console not connected\r\n", "console not connected"},
      {"", ""},
      {"\r\n", ""},
      {"/CONS/ADR2/RELEASE ?\r\n", ""},
      // Another console's or object's line answers nothing here.
      {"/CONS/ADR12/RELEASE 1.0\r\n", ""},
      {"/VMX/ZONE1/NAME Hall\r\n", ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ConsParamsPageState::ReplyText(QString::fromLatin1(row.reply), query), row.shown) << row.reply;
}

// ---- Page -----------------------------------------------------------------------------

TEST_F(CPPCons1Test, PageShowsTheConsole) {
  WireTo(console, 1);
  console->GetProp().SetParamText(CConsProp::P_BUZZER, "1");
  console->GetProp().SetParamText(CConsProp::P_ONPRIO, "30");
  CPPCons1* shown = MakePage(console);
  EXPECT_EQ(shown->GetCaption(), "Common");
  EXPECT_EQ(shown->GetTemplateId(), 197u);
  EXPECT_EQ(Child<QLineEdit>(shown, 1138)->text(), "RCX6010");
  EXPECT_EQ(Child<QLineEdit>(shown, 1128)->text(), QString::number(console->GetID()));
  EXPECT_EQ(Child<QLineEdit>(shown, 1130)->text(), "B");
  EXPECT_TRUE(Child<QCheckBox>(shown, 1143)->isChecked());
  EXPECT_EQ(Child<QLineEdit>(shown, 1140)->text(), "3");
  EXPECT_EQ(Child<QSpinBox>(shown, 1076)->value(), 3);
  EXPECT_EQ(Child<QLineEdit>(shown, 1249)->text(), "846");
  EXPECT_EQ(Child<QLineEdit>(shown, 1006)->text(), "3971");
  EXPECT_EQ(Child<QLabel>(shown, 1654)->text(), "not used");
  for (int id = 1245; id <= 1248; ++id) EXPECT_FALSE(Child<QRadioButton>(shown, id)->isEnabled());
  EXPECT_TRUE(Child<QRadioButton>(shown, 1245)->isChecked());
  EXPECT_FALSE(Child<QComboBox>(shown, 1375)->isEnabled());
  EXPECT_FALSE(Child<QLabel>(shown, 1254)->isEnabled());
  EXPECT_EQ(Child<QComboBox>(shown, 1375)->currentText(), "PTT < Int.Mic");
  // Loading is no change of the user's.
  EXPECT_FALSE(shown->IsModified());
}

TEST_F(CPPCons1Test, TypedOnPriorityElevenBecomesZero) {
  CPPCons1* shown = MakeSheet(console);
  auto* edit = Child<QLineEdit>(shown, 1140);
  Type(edit, "11");
  EXPECT_EQ(edit->text(), "0");
  EXPECT_EQ(Child<QSpinBox>(shown, 1076)->value(), 0);
  EXPECT_EQ(shown->GetState().GetOnPriority(), 0);
  EXPECT_TRUE(shown->IsModified());
  EXPECT_TRUE(sheet->IsApplyEnabled());

  Type(edit, "9");
  EXPECT_EQ(Child<QSpinBox>(shown, 1076)->value(), 9);
  Child<QSpinBox>(shown, 1076)->stepDown();
  EXPECT_EQ(edit->text(), "8");
  shown->OnOK();
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_ONPRIO), "80");
}

TEST_F(CPPCons1Test, FaultHandlingFollowsTheConsoleObject) {
  {
    // A project without the console object: the box cannot be used.
    CPPCons1* shown = MakePage(console);
    EXPECT_FALSE(Child<QCheckBox>(shown, 1552)->isEnabled());
  }
  CConsoleObject* consoles = CConsoleObject::EnsureIn(doc);
  ASSERT_NE(consoles, nullptr);
  consoles->SetReferenceList("NONE");
  CPPCons1* shown = MakePage(console);
  auto* box = Child<QCheckBox>(shown, 1552);
  EXPECT_TRUE(box->isEnabled());
  EXPECT_FALSE(box->isChecked());
  box->click();
  EXPECT_TRUE(shown->IsModified());
  shown->SaveToConsole();
  EXPECT_TRUE(consoles->IsReference(console->GetAddress() << 16 | 1));
  EXPECT_EQ(consoles->GetReferenceList(), QString::number(console->GetAddress()));
  box->click();
  shown->SaveToConsole();
  EXPECT_EQ(consoles->GetReferenceList(), "NONE");
}

TEST_F(CPPCons1Test, ChecksAndComboAreWrittenOnOk) {
  // A PTT key puts the microphone on the EXT connector.
  ASSERT_TRUE(console->FindKey(112)->SetFunctionFromText(CConsKey::TALKEXT, "-1,0,50", true));
  CPPCons1* shown = MakeSheet(console);
  EXPECT_TRUE(Child<QRadioButton>(shown, 1248)->isChecked());
  EXPECT_EQ(Child<QLabel>(shown, 1654)->text(), "PTT-microphone");
  Child<QCheckBox>(shown, 1244)->click();
  Child<QCheckBox>(shown, 1376)->click();
  auto* combo = Child<QComboBox>(shown, 1375);
  ASSERT_TRUE(combo->isEnabled());
  combo->setCurrentIndex(2);
  emit combo->activated(2);
  EXPECT_TRUE(sheet->IsApplyEnabled());
  sheet->PressButton(CPropertySheet::PSBTN_OK);
  EXPECT_EQ(sheet->result(), QDialog::Accepted);
  const CConsProp& prop = console->GetProp();
  EXPECT_EQ(prop.GetParamText(CConsProp::P_COMP), "1");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_DOSCHAR), "1");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PTTPRIO), "2");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_EXT), "3");
}

// A typed code out of range is never refused: OK closes the sheet and the
// console takes the default code in its place.
TEST_F(CPPCons1Test, TypedCodeOutOfRangeBecomesTheDefault) {
  console->GetProp().SetParamText(CConsProp::P_PASSW, "555,5555");
  CPPCons1* shown = MakeSheet(console);
  Type(Child<QLineEdit>(shown, 1249), "99");
  EXPECT_TRUE(sheet->IsApplyEnabled());
  sheet->PressButton(CPropertySheet::PSBTN_APPLYNOW);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_PASSW), "846,5555");
  EXPECT_EQ(Child<QLineEdit>(shown, 1249)->text(), "846");

  Type(Child<QLineEdit>(shown, 1006), "999");
  sheet->PressButton(CPropertySheet::PSBTN_OK);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_PASSW), "846,3971");

  // Codes in range are taken as typed.
  shown = MakeSheet(console);
  Type(Child<QLineEdit>(shown, 1249), "123");
  Type(Child<QLineEdit>(shown, 1006), "98765");  // the edit takes four digits
  EXPECT_EQ(Child<QLineEdit>(shown, 1006)->text(), "9876");
  sheet->PressButton(CPropertySheet::PSBTN_OK);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_PASSW), "123,9876");
}

TEST_F(CPPCons1Test, CancelWithApplyEnabledAsksAndNoKeepsTheSheetOpen) {
  CPPCons1* shown = MakeSheet(console);
  // Nothing changed: Cancel closes without a question.
  sheet->PressButton(CPropertySheet::PSBTN_CANCEL);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_FALSE(sheet->isVisible());

  sheet->show();
  Child<QCheckBox>(shown, 1143)->click();
  ASSERT_TRUE(sheet->IsApplyEnabled());
  messages.QueueAnswer(IDNO);
  sheet->PressButton(CPropertySheet::PSBTN_CANCEL);
  ASSERT_EQ(messages.Requests().size(), 1u);
  const MessageRequest& asked = messages.Requests().front();
  EXPECT_EQ(asked.id, 34179u);
  EXPECT_EQ(asked.style, uint32_t(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_TRUE(sheet->isVisible());

  messages.QueueAnswer(IDYES);
  sheet->PressButton(CPropertySheet::PSBTN_CANCEL);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(sheet->result(), QDialog::Rejected);
  // Cancelled: the console keeps its buzzer.
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_BUZZER), "1");
}

TEST_F(CPPCons1Test, QueryButtonsNeedTheConnectedUnit) {
  {
    CPPCons1* shown = MakePage(console);  // no info slot at all
    EXPECT_FALSE(Child<QPushButton>(shown, 1358)->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(shown, 1360)->isEnabled());
  }
  Online(false);
  CPPCons1* shown = MakePage(console);
  EXPECT_FALSE(Child<QPushButton>(shown, 1358)->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(shown, 1360)->isEnabled());

  Online(true);
  shown->LoadFromConsole();
  EXPECT_TRUE(Child<QPushButton>(shown, 1358)->isEnabled());
  EXPECT_TRUE(Child<QPushButton>(shown, 1360)->isEnabled());

  // No console shown: nothing to ask.
  shown->SetConsole(nullptr, false);
  EXPECT_FALSE(Child<QPushButton>(shown, 1358)->isEnabled());
}

TEST_F(CPPCons1Test, QueriesSendTheCommandAndShowTheReply) {
  Online(true);
  RecordingLink link;
  const QString release = QStringLiteral("/CONS/ADR%1/RELEASE ?").arg(console->GetID());
  const QString oplevel = QStringLiteral("/CONS/ADR%1/OPLEVEL ?").arg(console->GetID());
  link.SetAnswer(release, QStringLiteral("/CONS/ADR%1/RELEASE V2.10\r\n").arg(console->GetID()));
  link.SetAnswer(oplevel, QStringLiteral("/CONS/ADR%1/OPLEVEL console not connected\r\n").arg(console->GetID()));
  CPPCons1* shown = MakePage(console);
  auto* status = Child<QLineEdit>(shown, 1133);

  Child<QPushButton>(shown, 1358)->click();
  EXPECT_EQ(link.Lines(), QStringList{release});
  EXPECT_EQ(status->text(), "V2.10");

  link.Clear();
  Child<QPushButton>(shown, 1360)->click();
  EXPECT_EQ(link.Lines(), QStringList{oplevel});
  EXPECT_EQ(status->text(), "console not connected");
  EXPECT_TRUE(messages.Requests().empty());
  // Asking changes nothing of the console's.
  EXPECT_FALSE(shown->IsModified());
}

TEST_F(CPPCons1Test, UnansweredQueriesSayWhichAnswerIsMissing) {
  Online(true);
  RecordingLink link;  // answers nothing
  CPPCons1* shown = MakePage(console);
  auto* status = Child<QLineEdit>(shown, 1133);
  status->setText("old");

  shown->OnGetSwVersion();
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].text, "Harborlight does not answer to version number request !");
  EXPECT_EQ(messages.Requests()[0].style & MB_ICONMASK, uint32_t(MB_ICONEXCLAMATION));
  EXPECT_EQ(status->text(), "");

  // Only the echo came back.
  const QString oplevel = QStringLiteral("/CONS/ADR%1/OPLEVEL ?").arg(console->GetID());
  link.SetAnswer(oplevel, oplevel + "\r\n");
  shown->OnGetOperatingMode();
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_EQ(messages.Requests()[1].text, "Harborlight does not respond to userlevel-request.");
  EXPECT_EQ(messages.Requests()[1].style & MB_ICONMASK, uint32_t(MB_ICONEXCLAMATION));
}

TEST_F(CPPCons1Test, AnotherConsoleTakesTheValuesToTheOldOneFirst) {
  CConsole* other = AddConsole(doc, CConsProp::RCX6020, 400);
  CPPCons1* shown = MakePage(console);
  Child<QCheckBox>(shown, 1311)->click();  // German off
  shown->SetConsole(other, true);
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_GERMAN), "0");
  EXPECT_EQ(Child<QLineEdit>(shown, 1138)->text(), "RCX6020");
  EXPECT_TRUE(Child<QCheckBox>(shown, 1311)->isChecked());

  // Without saving the typed values are dropped.
  Child<QCheckBox>(shown, 1311)->click();
  shown->SetConsole(console, false);
  EXPECT_EQ(other->GetProp().GetParamText(CConsProp::P_GERMAN), "1");

  // No console: the page's defaults.
  shown->SetConsole(nullptr, true);
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_GERMAN), "0");
  EXPECT_EQ(Child<QLineEdit>(shown, 1138)->text(), "");
  EXPECT_EQ(Child<QLineEdit>(shown, 1140)->text(), "7");
}
