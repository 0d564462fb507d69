// The key programming page inside the sheet: horizontal scrolling by key
// count, the key links written on OK and Apply (group slots in key order),
// and the question when the page is left with key changes.
#include "consoles/ui/cppcons2.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "../consoletestsupport.h"
#include "consoles/ui/cconsoleframe.h"
#include "consoles/ui/cconsolepropertysheet.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/conskeybutton.h"
#include "consoles/ui/cppcons1.h"
#include "model/carchive.h"
#include "shell/controls/cpropertysheet.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

namespace {

constexpr uint32_t kPage2KeyQuestion = 34182;

int Page2CountOf(const MessageRecorder& messages, uint32_t id) {
  int n = 0;
  for (const MessageRequest& r : messages.Requests()) n += r.id == id ? 1 : 0;
  return n;
}

class CPPCons2Test : public ::testing::Test {
 protected:
  void SetUp() override { SetActiveDoc(&doc); }
  void TearDown() override {
    sheet.reset();
    SetActiveDoc(nullptr);
  }
  CPPCons2* Open(CConsole* console) {
    sheet = std::make_unique<CConsolePropertySheet>();
    sheet->SetDocument(&doc, console);
    sheet->show();
    return sheet->GetPage2();
  }
  // A key that selects target, as the key dialog leaves it: edited, not
  // stored, no links yet.
  static void Program(CConsKey* key, CBaseDevice* target) {
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, QStringLiteral("1"), false));
    key->UpdateLabel(KeyTarget::Of(target));
  }

  CSelvantisDoc doc;
  MessageRecorder messages;
  std::unique_ptr<CConsolePropertySheet> sheet;
};

TEST(CPPCons2ScrollTest, MoreThanTenKeysScrollOverFiveThousandUnits) {
  EXPECT_EQ(CPPCons2::HorizontalScrollTotal(0), 0);
  EXPECT_EQ(CPPCons2::HorizontalScrollTotal(10), 0);
  EXPECT_EQ(CPPCons2::HorizontalScrollTotal(11), 5000);
  EXPECT_EQ(CPPCons2::HorizontalScrollTotal(100), 5000);
}

TEST_F(CPPCons2Test, TenKeysDoNotScroll) {
  CPPCons2* page = Open(constest::AddConsole(doc, CConsProp::RCX6010));
  QScrollArea* area = page->GetKeyFrame()->GetScrollArea();
  ASSERT_NE(page->GetKeyView(), nullptr);
  EXPECT_EQ(area->widget(), page->GetKeyView());
  EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
  EXPECT_LT(page->GetKeyView()->width(), 5000);
}

TEST_F(CPPCons2Test, MoreKeysScrollSideways) {
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6020);
  // An eleventh key makes a ten-key console scroll too.
  CConsole* eleven = constest::AddConsole(doc, CConsProp::RCX6010, 200);
  eleven->GetProp().CreateProgrammableKeys(10, 11, eleven, false);
  ASSERT_EQ(eleven->GetProp().GetProgrammableKeyCount(), 11);
  for (CConsole* c : {console, eleven}) {
    CPPCons2* page = Open(c);
    QScrollArea* area = page->GetKeyFrame()->GetScrollArea();
    ASSERT_NE(page->GetKeyView(), nullptr);
    EXPECT_EQ(page->GetKeyView()->width(), 5000);
    EXPECT_EQ(area->horizontalScrollBar()->maximum() + area->viewport()->width(), 5000);
    // The buttons are placed for the height the view has.
    EXPECT_EQ(page->GetKeyView()->height(), area->viewport()->height());
  }
}

TEST_F(CPPCons2Test, OkLinksGroupsInKeyOrderWithTheRootInSlotZero) {
  std::vector<CZone*> z = constest::AddZones(doc, 4);
  CGroup* root = constest::AddRoot(doc, {z[0], z[1], z[2], z[3]});
  CGroup* ga = constest::AddGroup(doc, {z[0]});
  CGroup* gb = constest::AddGroup(doc, {z[1]});
  CGroup* gc = constest::AddGroup(doc, {z[2]});
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6020);
  CPPCons2* page = Open(console);
  ASSERT_TRUE(console->GetInputConnections().empty());
  // Not in the order of the groups: slots follow the keys.
  Program(console->FindKey(2), gc);
  Program(console->FindKey(4), root);
  Program(console->FindKey(7), ga);
  Program(console->FindKey(9), gb);
  page->SetModified(true);
  sheet->PressButton(CPropertySheet::PSBTN_OK);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(sheet->result(), QDialog::Accepted);

  using constest::LinksOnPort;
  ASSERT_EQ(LinksOnPort(*console, 2).size(), 1u);
  EXPECT_EQ(LinksOnPort(*console, 2)[0].nOwnPin, (1 << 16) | 2);
  EXPECT_EQ(LinksOnPort(*console, 2)[0].pPeer, gc);
  EXPECT_EQ(LinksOnPort(*console, 2)[0].nPeerCategory, CAT_GROUPS);
  ASSERT_EQ(LinksOnPort(*console, 4).size(), 1u);
  EXPECT_EQ(LinksOnPort(*console, 4)[0].nOwnPin, 4);
  EXPECT_EQ(LinksOnPort(*console, 4)[0].pPeer, root);
  ASSERT_EQ(LinksOnPort(*console, 7).size(), 1u);
  EXPECT_EQ(LinksOnPort(*console, 7)[0].nOwnPin, (2 << 16) | 7);
  ASSERT_EQ(LinksOnPort(*console, 9).size(), 1u);
  EXPECT_EQ(LinksOnPort(*console, 9)[0].nOwnPin, (3 << 16) | 9);
  EXPECT_EQ(console->GetInputConnections().size(), 4u);
  // Each target records its end once, even though OK applies the page twice.
  EXPECT_EQ(constest::MirrorCount(*gc, *console), 1);
  EXPECT_EQ(constest::MirrorCount(*root, *console), 1);
  EXPECT_EQ(Page2CountOf(messages, kPage2KeyQuestion), 0);
}

TEST_F(CPPCons2Test, TooManyGroupsWarnOnceOnOk) {
  std::vector<CZone*> z = constest::AddZones(doc, 1);
  std::vector<CGroup*> groups;
  for (int i = 0; i < 32; ++i) groups.push_back(constest::AddGroup(doc, {z[0]}));
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6550);
  CPPCons2* page = Open(console);
  for (int k = 1; k <= 32; ++k) Program(console->FindKey(k), groups[static_cast<size_t>(k - 1)]);
  page->SetModified(true);
  sheet->PressButton(CPropertySheet::PSBTN_OK);
  EXPECT_FALSE(sheet->isVisible());
  int warnings = 0;
  for (const MessageRequest& r : messages.Requests())
    warnings += r.text.contains(QStringLiteral("too many Groups")) ? 1 : 0;
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(constest::LinksOnPort(*console, 30)[0].nOwnPin, (30 << 16) | 30);
  EXPECT_TRUE(constest::LinksOnPort(*console, 31).empty());
}

// The console's group slots 1 to 30 take the first thirty groups in key
// order; the warning names each key whose group found no slot, and those
// keys show no target when the links are read again.
TEST_F(CPPCons2Test, TooManyGroupsNameTheKeysWhoseGroupWasNotStored) {
  std::vector<CZone*> z = constest::AddZones(doc, 1);
  CGroup* root = constest::AddRoot(doc, z);
  std::vector<CGroup*> groups;
  for (int i = 0; i < 32; ++i) groups.push_back(constest::AddGroup(doc, {z[0]}));
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6520X);
  ASSERT_GE(console->GetProp().GetProgrammableKeyCount(), 33);
  CPPCons2* page = Open(console);
  // The root group takes slot 0 and no other.
  Program(console->FindKey(1), root);
  for (int k = 2; k <= 33; ++k) Program(console->FindKey(k), groups[static_cast<size_t>(k - 2)]);
  page->SetModified(true);
  QTest::mouseClick(sheet->GetButton(CPropertySheet::PSBTN_OK), Qt::LeftButton);
  ASSERT_FALSE(sheet->isVisible());
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].text, QStringLiteral("Warning: This console has too many Groups ! (32)\n"
                                                        "Keys whose group was not stored: 32, 33"));
  console->RefreshKeysFromLinks(false);
  EXPECT_EQ(console->FindKey(1)->GetTarget().object, root);
  EXPECT_EQ(console->FindKey(31)->GetTarget().object, groups[29]);
  EXPECT_FALSE(console->FindKey(32)->GetTarget().IsSet());
  EXPECT_FALSE(console->FindKey(33)->GetTarget().IsSet());
}

TEST_F(CPPCons2Test, ApplyStoresTheKeysAndStaysOnThePage) {
  std::vector<CZone*> z = constest::AddZones(doc, 2);
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010);
  CPPCons2* page = Open(console);
  Program(console->FindKey(3), z[1]);
  page->SetModified(true);
  ASSERT_TRUE(sheet->IsApplyEnabled());
  sheet->GetButton(CPropertySheet::ID_APPLY_NOW)->click();
  EXPECT_TRUE(sheet->isVisible());
  EXPECT_EQ(sheet->GetActivePage(), page);
  EXPECT_FALSE(sheet->IsApplyEnabled());
  ASSERT_EQ(constest::LinksOnPort(*console, 3).size(), 1u);
  EXPECT_EQ(constest::LinksOnPort(*console, 3)[0].pPeer, z[1]);
  EXPECT_EQ(Page2CountOf(messages, kPage2KeyQuestion), 0);
}

TEST_F(CPPCons2Test, LeavingWithKeyChangesAsksOnceAndNoKeepsTheLinks) {
  std::vector<CZone*> z = constest::AddZones(doc, 2);
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010);
  CPPCons2* page = Open(console);
  CConsKey* key = console->FindKey(1);
  Program(key, z[0]);
  page->SetModified(true);
  messages.QueueAnswer(IDNO);
  ASSERT_TRUE(sheet->SetActivePage(0));
  EXPECT_EQ(Page2CountOf(messages, kPage2KeyQuestion), 1);
  EXPECT_FALSE(page->IsModified());
  EXPECT_FALSE(sheet->IsApplyEnabled());
  // Nothing reached the links; the key shows its new target until Cancel.
  EXPECT_TRUE(console->GetInputConnections().empty());
  EXPECT_EQ(key->GetTarget().object, z[0]);

  // Back on the page the keys show the links again; leaving asks nothing.
  ASSERT_TRUE(sheet->SetActivePage(1));
  EXPECT_FALSE(key->GetTarget().IsSet());
  ASSERT_TRUE(sheet->SetActivePage(0));
  EXPECT_EQ(Page2CountOf(messages, kPage2KeyQuestion), 1);
}

TEST_F(CPPCons2Test, LeavingWithKeyChangesYesStoresThem) {
  std::vector<CZone*> z = constest::AddZones(doc, 2);
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010);
  CPPCons2* page = Open(console);
  Program(console->FindKey(5), z[1]);
  page->SetModified(true);
  messages.QueueAnswer(IDYES);
  ASSERT_TRUE(sheet->SetActivePage(0));
  EXPECT_EQ(Page2CountOf(messages, kPage2KeyQuestion), 1);
  ASSERT_EQ(constest::LinksOnPort(*console, 5).size(), 1u);
  EXPECT_EQ(constest::LinksOnPort(*console, 5)[0].pPeer, z[1]);
  // Cancel now takes nothing back: the links were stored.
  sheet->PressButton(CPropertySheet::PSBTN_CANCEL);
  EXPECT_EQ(constest::LinksOnPort(*console, 5).size(), 1u);
}

TEST_F(CPPCons2Test, ACloseKeyDialogGoesWithThePage) {
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010);
  CPPCons2* page = Open(console);
  CKeyView* view = page->GetKeyView();
  ASSERT_NE(view, nullptr);
  view->OpenKeyProperties(console->FindKey(1));
  ASSERT_NE(view->GetKeyDialog(), nullptr);
  ASSERT_TRUE(sheet->SetActivePage(0));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(view->GetKeyDialog(), nullptr);
  EXPECT_EQ(view->GetSelectedKey(), nullptr);
}

TEST_F(CPPCons2Test, TheKeysShowTheLinksWhenThePageOpens) {
  std::vector<CZone*> z = constest::AddZones(doc, 3);
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010);
  Program(console->FindKey(6), z[2]);
  console->StoreKeyLinks();
  ASSERT_EQ(constest::LinksOnPort(*console, 6).size(), 1u);
  console->FindKey(6)->UpdateLabel(KeyTarget::None());
  CPPCons2* page = Open(console);
  EXPECT_EQ(console->FindKey(6)->GetTarget().object, z[2]);
  ASSERT_NE(page->GetKeyView(), nullptr);
  EXPECT_EQ(page->GetKeyView()->ButtonOf(console->FindKey(6))->text(), console->FindKey(6)->GetLabel());
}

}  // namespace

namespace {

// Reads into console's properties a record, as a damaged project holds it,
// whose fixed keys are missing: the talk key 108 among them.
void LoadWithoutFixedKeys(CConsole& console) {
  CConsProp& prop = console.GetProp();
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    ar << int32_t(CConsProp::kMinPrio) << int32_t(CConsProp::kDefaultPttPrio) << int32_t(prop.GetModel())
       << int32_t(prop.GetProgrammableKeyCount()) << int32_t(0);
    ar << QString() << QString() << uint32_t(0) << int32_t(CConsProp::kDefaultOnPrio);
    ar.WriteCount(static_cast<uint32_t>(prop.GetProgrammableKeys().size()));
    for (const auto& key : prop.GetProgrammableKeys()) ar.WriteObject(key.get());
    ar.WriteCount(0);
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  CArchive ar(&buffer, CArchive::load);
  prop.SerializeData(ar, CConsole::kSchema);
}

TEST_F(CPPCons2Test, KeysThatCannotBePlacedAreReportedWithTheButtonWindowsText) {
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010);
  LoadWithoutFixedKeys(*console);
  ASSERT_EQ(console->GetProp().FindKey(CConsKey::kTalkKey), nullptr);
  Open(console);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].text, QStringLiteral("Out of Memory during creating button windows !"));
}

}  // namespace

// Leaving the key page takes its key buttons down, unselects the key and
// closes the key dialog; coming back builds the buttons again. Apply on the
// page stores the keys and leaves the page as it is shown.
TEST_F(CPPCons2Test, LeavingThePageDestroysTheKeyButtonsAndComingBackBuildsThem) {
  std::vector<CZone*> z = constest::AddZones(doc, 2);
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6020);
  CPPCons2* page = Open(console);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
  ASSERT_EQ(sheet->GetActivePage(), page);
  CKeyView* view = page->GetKeyView();
  ASSERT_NE(view, nullptr);
  CConsKey* key = console->FindKey(1);
  const auto shown = view->findChildren<ConsKeyButton*>().size();
  ASSERT_GT(shown, 12);
  ASSERT_NE(view->ButtonOf(key), nullptr);
  QTest::mouseDClick(view->ButtonOf(key), Qt::LeftButton);
  QPointer<CKeyPropertiesDlg> dialog = view->GetKeyDialog();
  ASSERT_FALSE(dialog.isNull());
  ASSERT_EQ(view->GetSelectedKey(), key);

  QTabBar* tabs = sheet->GetTabControl()->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  ASSERT_EQ(sheet->GetActivePage(), sheet->GetPage1());
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(view->findChildren<ConsKeyButton*>().isEmpty());
  EXPECT_EQ(view->ButtonOf(key), nullptr);
  EXPECT_TRUE(dialog.isNull());
  EXPECT_EQ(view->GetSelectedKey(), nullptr);
  EXPECT_FALSE(key->IsSelected());

  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  ASSERT_EQ(sheet->GetActivePage(), page);
  ASSERT_EQ(page->GetKeyView(), view);
  EXPECT_EQ(view->findChildren<ConsKeyButton*>().size(), shown);
  ASSERT_NE(view->ButtonOf(key), nullptr);
  EXPECT_TRUE(view->ButtonOf(key)->isVisible());

  // A key change applied: stored, and the page keeps its keys.
  Program(key, z[1]);
  page->SetModified(true);
  QTest::mouseClick(sheet->GetButton(CPropertySheet::ID_APPLY_NOW), Qt::LeftButton);
  EXPECT_EQ(constest::LinksOnPort(*console, 1).at(0).pPeer, z[1]);
  EXPECT_TRUE(sheet->isVisible());
  ASSERT_EQ(sheet->GetActivePage(), page);
  EXPECT_EQ(view->findChildren<ConsKeyButton*>().size(), shown);
  ASSERT_NE(view->ButtonOf(key), nullptr);
  EXPECT_TRUE(view->ButtonOf(key)->isVisible());
  EXPECT_EQ(view->ButtonOf(key)->GetKey(), key);
}

// OK records each key's second target with category 16 when it is a chime
// signal, else with the category of what the key shows; a save and load
// keeps the records, and the keys read back the same targets.
TEST_F(CPPCons2Test, OkRecordsASecondTargetAsAChimeOrAsWhatTheKeyShows) {
  std::vector<CZone*> z = constest::AddZones(doc, 3);
  CAudioSignal* alarm = constest::AddSignal(doc, CAudioSignal::kKindAlarm);
  CAudioSignal* chime = constest::AddSignal(doc, CAudioSignal::kKindChime);
  constest::AddMacros(doc, 2);
  ASSERT_TRUE(alarm && chime);
  const int a = alarm->GetID();
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6020);
  ASSERT_TRUE(console->FindKey(1)->SetFunctionFromText(CConsKey::ALARM, QStringLiteral("1,%1,90").arg(a), true));
  ASSERT_TRUE(
      console->FindKey(2)->SetFunctionFromText(CConsKey::TALK, QStringLiteral("2,%1,50").arg(chime->GetID()), true));
  ASSERT_TRUE(console->FindKey(3)->SetFunctionFromText(CConsKey::MACSWT, "1,2", true));
  ASSERT_TRUE(console->FindKey(4)->SetFunctionFromText(CConsKey::ALARM, QStringLiteral("3,%1,90").arg(a), true));
  // Key 4's signal link names the console itself, as an older file may.
  ASSERT_EQ(constest::LinksOnPort(*console, -4).size(), 1u);
  console->DisconnectInput(constest::LinksOnPort(*console, -4).at(0));
  console->AddInputConnection(MakeConsolePin(-4, 0), console, 0, CAT_CONSOLES);
  console->AddOutputConnection(0, console, MakeConsolePin(-4, 0), CAT_CONSOLES);

  CPPCons2* page = Open(console);
  ASSERT_EQ(sheet->GetActivePage(), page);
  page->SetModified(true);
  sheet->PressButton(CPropertySheet::PSBTN_OK);
  ASSERT_FALSE(sheet->isVisible());

  struct Row {
    int key;
    const CBaseDevice* second;
    int secondCategory;
    const CBaseDevice* first;
    int firstCategory;
  };
  const Row rows[] = {
      {1, alarm, CAT_MISC, z[0], CAT_ZONES},  // shows its signal
      {2, chime, CAT_MISC, z[1], CAT_ZONES},  // shows its zone; a chime
      {3, doc.FindObjectById(CAT_MACROS, 2), CAT_MACROS, doc.FindObjectById(CAT_MACROS, 1), CAT_MACROS},
      {4, console, CAT_ZONES, z[2], CAT_ZONES},  // shows its zone
  };
  auto check = [&rows](const CConsole& c, auto map) {
    for (const Row& row : rows) {
      const auto second = constest::LinksOnPort(c, -row.key);
      const auto first = constest::LinksOnPort(c, row.key);
      ASSERT_EQ(second.size(), 1u) << row.key;
      ASSERT_EQ(first.size(), 1u) << row.key;
      EXPECT_EQ(second[0].pPeer, map(row.second)) << row.key;
      EXPECT_EQ(second[0].nPeerCategory, row.secondCategory) << row.key;
      EXPECT_EQ(first[0].pPeer, map(row.first)) << row.key;
      EXPECT_EQ(first[0].nPeerCategory, row.firstCategory) << row.key;
    }
  };
  check(*console, [](const CBaseDevice* object) { return object; });

  auto back = RoundTrip(doc);
  ASSERT_NE(back, nullptr);
  auto map = [&back](const CBaseDevice* object) {
    return back->GetIDManager().FindBaseDevice(object->GetID(), object->GetType());
  };
  auto* loaded = dynamic_cast<CConsole*>(map(console));
  ASSERT_NE(loaded, nullptr);
  check(*loaded, map);
  loaded->RefreshKeysFromLinks(false);
  for (const Row& row : rows) {
    EXPECT_EQ(loaded->FindKey(row.key)->GetSecondTarget().object, map(row.second)) << row.key;
    EXPECT_EQ(loaded->FindKey(row.key)->GetTarget().object, map(row.first)) << row.key;
    EXPECT_EQ(loaded->FindKey(row.key)->GetFunctionText(), console->FindKey(row.key)->GetFunctionText()) << row.key;
  }
}
