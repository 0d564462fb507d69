// The key view and its key properties dialog as widgets: buttons placed on
// the layout, selection while the dialog is open, one dialog at a time,
// clicks in the dialog written into the key, loading never writing back.
#include "consoles/ui/ckeyview.h"

#include "../consoletestsupport.h"
#include "consoles/cconsprop.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeypropertieslogic.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "consoles/ui/conskeybutton.h"
#include "support/messagerecorder.h"
#include "support/waituntil.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class KeyViewFakeHost final : public IKeyViewHost {
 public:
  bool AskKeyRange(int*, int*, int*) override { return false; }
  bool AskCopyDestination(const std::vector<CBaseDevice*>&, CConsole*, const QString&, CConsole**) override {
    ++copyAsked;
    return false;
  }
  void SetModified() override { ++modified; }
  void SetModelCommitted() override { ++committed; }
  int modified = 0;
  int committed = 0;
  int copyAsked = 0;
};

class CKeyViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetActiveDoc(&doc);
    console = constest::AddConsole(doc);
    view = std::make_unique<CKeyView>(*console, host);
    view->resize(900, 360);
    view->CreateKeyButtons();
  }
  void TearDown() override {
    view.reset();
    SetActiveDoc(nullptr);
  }
  QListWidgetItem* FunctionItem(CKeyPropertiesDlg* dlg, const QString& text) {
    const auto items = dlg->FunctionList()->findItems(text, Qt::MatchExactly);
    return items.isEmpty() ? nullptr : items.first();
  }

  CSelvantisDoc doc;
  CConsole* console = nullptr;
  KeyViewFakeHost host;
  std::unique_ptr<CKeyView> view;
};

TEST_F(CKeyViewTest, EveryKeyGetsAButtonThatHitTestsBackToIt) {
  const CConsProp& prop = console->GetProp();
  for (int n = 1; n <= prop.GetProgrammableKeyCount(); ++n) {
    ConsKeyButton* button = view->ButtonOf(prop.FindKey(n));
    ASSERT_NE(button, nullptr) << n;
    EXPECT_EQ(view->HitTestKey(button->geometry().center()), prop.FindKey(n)) << n;
  }
  ConsKeyButton* talk = view->ButtonOf(prop.FindKey(CConsKey::kTalkKey));
  ASSERT_NE(talk, nullptr);
  EXPECT_EQ(view->HitTestKey(talk->geometry().center()), prop.FindKey(CConsKey::kTalkKey));
  EXPECT_EQ(view->HitTestKey(QPoint(-5, -5)), nullptr);
  EXPECT_FALSE(view->GetDrawingRect().IsEmpty());
}

// A key holds macros 1..50: the lists offer no higher one.
TEST_F(CKeyViewTest, MacroListOffersTheFiftyMacrosAKeyCanHold) {
  constest::AddMacros(doc, 52);
  QListWidget list;
  CKeyView::FillSignalList(DT_MACRO, &list);
  ASSERT_EQ(list.count(), 50);
  const auto* last = static_cast<const CBaseDevice*>(list.item(49)->data(Qt::UserRole).value<void*>());
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->GetID(), 50);
  const CBaseDevice* macro51 = doc.GetIDManager().FindBaseDevice(51, DT_MACRO);
  ASSERT_NE(macro51, nullptr);
  EXPECT_FALSE(CKeyPropertiesLogic::IsOfferedInList(DT_MACRO, *macro51));
  EXPECT_TRUE(CKeyPropertiesLogic::IsOfferedInList(DT_ALARMSIGNAL, *macro51));
}

TEST_F(CKeyViewTest, SelectionNeedsTheDialogAndFollowsClicks) {
  CConsKey* key1 = console->FindKey(1);
  CConsKey* key2 = console->FindKey(2);
  view->SelectKey(key1);
  EXPECT_EQ(view->GetSelectedKey(), nullptr);

  view->OpenKeyProperties(key1);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(view->GetSelectedKey(), key1);
  EXPECT_TRUE(key1->IsSelected());
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Key properties for key '1'"));

  // A second open request keeps the one dialog.
  view->OpenKeyProperties(key2);
  EXPECT_EQ(view->GetKeyDialog(), dlg);

  QTest::mousePress(view->ButtonOf(key2), Qt::LeftButton);
  EXPECT_EQ(view->GetSelectedKey(), key2);
  EXPECT_FALSE(key1->IsSelected());
  EXPECT_EQ(dlg->GetKey(), key2);

  view->CloseKeyDialog();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(view->GetKeyDialog(), nullptr);
  EXPECT_EQ(view->GetSelectedKey(), nullptr);
  EXPECT_FALSE(key2->IsSelected());
}

TEST_F(CKeyViewTest, ChoosingAFunctionProgramsTheKeyWithItsDefaults) {
  CConsKey* key = console->FindKey(1);
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  QListWidgetItem* talk = FunctionItem(dlg, QStringLiteral("Talk"));
  ASSERT_NE(talk, nullptr);
  dlg->FunctionList()->setCurrentItem(talk);
  EXPECT_EQ(key->GetKeyType(), CConsKey::TALK);
  EXPECT_EQ(key->GetFunction().p1, -1);
  EXPECT_EQ(key->GetFunction().p3, 10 * CConsProp::kDefaultPrio);
  EXPECT_GE(host.modified, 1);
  // The dialog reloads the key once the click has been handled.
  EXPECT_TRUE(WaitUntil([&] {
    return !dlg->PrioritySpin()->isHidden() && dlg->PrioritySpin()->value() == CConsProp::kDefaultPrio &&
           dlg->DelaySpin()->isHidden();
  }));
  EXPECT_FALSE(dlg->PrioritySpin()->isHidden());
  EXPECT_EQ(dlg->PrioritySpin()->value(), CConsProp::kDefaultPrio);
  EXPECT_TRUE(dlg->DelaySpin()->isHidden());
}

TEST_F(CKeyViewTest, LoadingAKeyWritesNothingBack) {
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QStringLiteral("300"), true));
  const CConsKey::Function before = key->GetFunction();
  view->OpenKeyProperties(key);
  EXPECT_EQ(key->GetFunction(), before);
  EXPECT_EQ(host.modified, 0);
}

TEST_F(CKeyViewTest, DelaySpinIsClampedAndShowsSeconds) {
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QStringLiteral("0"), true));
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_FALSE(dlg->DelaySpin()->isHidden());
  dlg->DelaySpin()->setValue(28);
  EXPECT_EQ(key->GetFunction().p1, 28);
  EXPECT_EQ(dlg->DelaySpin()->text(), QStringLiteral("1.00"));
  dlg->DelaySpin()->setValue(999);
  EXPECT_EQ(key->GetFunction().p1, 255);
}

TEST_F(CKeyViewTest, DisallowedFunctionShowsTheWholeList) {
  CConsKey* key = console->FindKey(CConsKey::kTalkKey);
  ASSERT_NE(key, nullptr);
  // A fixed key carrying a function its kind does not offer.
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::CLEAR, QString(), true));
  if ((key->GetAllowedFunctions() & 0x200) != 0) GTEST_SKIP() << "CLEAR is allowed on this key";
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  EXPECT_TRUE(dlg->IsAllFunctions());
  ASSERT_NE(dlg->FunctionList()->currentItem(), nullptr);
  EXPECT_EQ(dlg->FunctionList()->currentItem()->text(), QStringLiteral("Clear"));
}

TEST_F(CKeyViewTest, TalkKeyPreChimeOnPicksChimeSix) {
  for (int i = 0; i < 6; ++i) constest::AddSignal(doc, CAudioSignal::kKindChime);
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::TALK, QStringLiteral("-1,0,50"), true));
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  EXPECT_FALSE(dlg->PreChimeBox()->isChecked());
  EXPECT_TRUE(dlg->SignalList()->isHidden());
  dlg->PreChimeBox()->click();
  EXPECT_EQ(key->GetFunction().p2, CKeyPropertiesLogic::kDefaultPreChime);
  EXPECT_FALSE(dlg->SignalList()->isHidden());
  dlg->PreChimeBox()->click();
  EXPECT_EQ(key->GetFunction().p2, 0);
  EXPECT_TRUE(dlg->SignalList()->isHidden());
}

TEST_F(CKeyViewTest, CopyWithOneConsoleOnlyWarns) {
  MessageRecorder messages;
  EXPECT_FALSE(view->OnCommand(CKeyView::ID_KEYS_COPY));
  EXPECT_EQ(host.copyAsked, 0);
  EXPECT_EQ(messages.Requests().size(), 1u);
}

TEST_F(CKeyViewTest, OnLineCommandsWithoutALinkDoNothing) {
  MessageRecorder messages;
  EXPECT_FALSE(view->OnCommand(CKeyView::ID_CONSOLE_DOWNLOAD));
  EXPECT_FALSE(view->OnCommand(CKeyView::ID_CONSOLE_SW_VERSION));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CKeyViewTest, TransferTakesNoInputUntilItHasEnded) {
  MessageRecorder messages;
  RecordingLink link;
  int sentWhileEnabled = 0;
  link.SetResponder(
      [&](const QString&) {
        if (view->window()->isEnabled()) ++sentWhileEnabled;
        return QStringList();
      },
      &doc);
  EXPECT_TRUE(view->OnCommand(CKeyView::ID_CONSOLE_DOWNLOAD, &link));
  EXPECT_FALSE(link.Lines().isEmpty());
  EXPECT_EQ(sentWhileEnabled, 0);
  EXPECT_TRUE(view->window()->isEnabled());
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CKeyViewTest, ClearAllAskedNoKeepsTheKeys) {
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QStringLiteral("40"), true));
  MessageRecorder messages;
  messages.QueueAnswer(IDNO);
  EXPECT_FALSE(view->OnCommand(CKeyView::ID_KEYS_CLEAR_ALL));
  EXPECT_EQ(key->GetKeyType(), CConsKey::ON);
  messages.QueueAnswer(IDYES);
  EXPECT_TRUE(view->OnCommand(CKeyView::ID_KEYS_CLEAR_ALL));
  EXPECT_EQ(key->GetKeyType(), CConsKey::DISABLED);
  EXPECT_EQ(host.committed, 1);
}

}  // namespace

namespace {

TEST_F(CKeyViewTest, MacroDialogFollowsMacroKeysAndClosesForOthers) {
  constest::AddMacros(doc, 2);
  CConsKey* macroKey = console->FindKey(1);
  ASSERT_TRUE(macroKey->SetFunctionFromText(CConsKey::MACRO, QStringLiteral("1,0"), true));
  view->OpenKeyProperties(macroKey);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_FALSE(dlg->MacroButton()->isHidden());
  dlg->MacroButton()->click();
  ASSERT_NE(dlg->GetMacroDialog(), nullptr);
  dlg->MacroButton()->click();  // a second click opens no second dialog
  view->SelectKey(console->FindKey(2));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(dlg->GetMacroDialog(), nullptr);
}

}  // namespace

namespace {

TEST_F(CKeyViewTest, ChoosingASignalGivesAnAlarmKeyTheSignalsPriority) {
  constest::AddZones(doc, 1);
  constest::AddSignal(doc, CAudioSignal::kKindAlarm, QStringLiteral("Fire"));
  CAudioSignal* evacuate = constest::AddSignal(doc, CAudioSignal::kKindAlarm, QStringLiteral("Evacuate"));
  evacuate->SetValueText(1, QStringLiteral("8"));
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ALARM, QStringLiteral("1,1,30"), true));
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_FALSE(dlg->SignalList()->isHidden());
  const auto items = dlg->SignalList()->findItems(QStringLiteral("Evacuate"), Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1);
  dlg->SignalList()->setCurrentItem(items.first());
  EXPECT_EQ(key->GetFunction().p2, evacuate->GetID());
  EXPECT_EQ(key->GetFunction().p3, 80);
  EXPECT_EQ(dlg->PrioritySpin()->value(), 8);
  EXPECT_EQ(key->GetSecondTarget().object, evacuate);
  EXPECT_GE(host.modified, 1);
}

TEST_F(CKeyViewTest, KeyContextMenuOffersPropertiesAndForOptionalKeysTheirPicture) {
  constest::AddZones(doc, 1);
  CConsKey* key1 = console->FindKey(1);
  std::unique_ptr<QMenu> menu(view->ButtonOf(key1)->CreateContextMenu());
  ASSERT_EQ(menu->actions().size(), 1);
  EXPECT_EQ(menu->actions().first()->data().toInt(), CKeyViewLogic::ID_KEY_PROPERTIES);
  menu->actions().first()->trigger();
  ASSERT_NE(view->GetKeyDialog(), nullptr);
  EXPECT_EQ(view->GetSelectedKey(), key1);

  CConsKey* key110 = console->FindKey(110);
  ASSERT_TRUE(key110->SetFunctionFromText(CConsKey::SEL, QStringLiteral("1"), true));
  ConsKeyButton* button = view->ButtonOf(key110);
  button->Refresh();
  menu.reset(button->CreateContextMenu());
  QMenu* keyView = nullptr;
  for (QAction* action : menu->actions())
    if (action->menu() != nullptr) keyView = action->menu();
  ASSERT_NE(keyView, nullptr);
  EXPECT_EQ(keyView->title(), QStringLiteral("Key view"));
  ASSERT_EQ(keyView->actions().size(), 2);
  QAction* alarmSwitch = keyView->actions().at(0);
  QAction* keySwitch = keyView->actions().at(1);
  EXPECT_EQ(alarmSwitch->text(), QStringLiteral("&Alarm switch"));
  EXPECT_TRUE(alarmSwitch->isChecked());
  EXPECT_FALSE(keySwitch->isChecked());
  doc.SetModifiedFlag(false);
  keySwitch->trigger();
  EXPECT_EQ(key110->GetPicture(), CConsKey::kPictureKeySwitch);
  EXPECT_TRUE(doc.IsModified());
  menu.reset(button->CreateContextMenu());
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      EXPECT_TRUE(action->menu()->actions().at(1)->isChecked());
    }
  }
}

TEST_F(CKeyViewTest, SmallestConsoleShowsNoAllAndClearKeys) {
  CConsole* small = constest::AddConsole(doc, CConsProp::RCX6106, 200);
  CKeyView smallView(*small, host);
  smallView.resize(900, 360);
  smallView.CreateKeyButtons();
  smallView.show();
  EXPECT_FALSE(smallView.ButtonOf(small->FindKey(101))->isVisible());
  EXPECT_FALSE(smallView.ButtonOf(small->FindKey(102))->isVisible());
  EXPECT_TRUE(smallView.ButtonOf(small->FindKey(103))->isVisible());
  view->show();
  EXPECT_TRUE(view->ButtonOf(console->FindKey(101))->isVisible());
}

TEST_F(CKeyViewTest, LongLabelsAreCutToTheKeyAndTheBackgroundIsTheDesk) {
  CZone* zone = constest::AddZone(doc, QStringLiteral("Reception and waiting area of the north wing"));
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, Fmt("%d", zone->GetID()), true));
  ConsKeyButton* button = view->ButtonOf(key);
  button->Refresh();
  EXPECT_TRUE(button->text().endsWith(QStringLiteral("...")));
  EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width());
  EXPECT_TRUE(button->toolTip().endsWith(key->GetLabel()));

  const QImage image = view->grab().toImage();
  EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(132, 174, 172));
  // The key's label strip shows under its button.
  const QRect face = button->geometry();
  bool strip = false;
  for (int y = face.bottom() + 1; y < face.bottom() + 20 && y < image.height(); ++y)
    strip = strip || QColor(image.pixel(face.left() + 2, y)) == QColor(255, 255, 0);
  EXPECT_TRUE(strip);
}

}  // namespace

namespace {

// Choices made with the keyboard count as much as clicks.
TEST_F(CKeyViewTest, ArrowKeysInTheFunctionListProgramTheKey) {
  CGroup::EnsureRoot(doc);  // a new selection key targets the root group
  CConsKey* key = console->FindKey(1);
  ASSERT_EQ(key->GetKeyType(), CConsKey::DISABLED);
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  QListWidget* functions = dlg->FunctionList();
  ASSERT_EQ(functions->currentItem()->text(), QStringLiteral("Disabled"));
  ASSERT_EQ(functions->item(functions->currentRow() + 1)->text(), QStringLiteral("Selection"));
  QTest::keyClick(functions, Qt::Key_Down);
  EXPECT_EQ(functions->currentItem()->text(), QStringLiteral("Selection"));
  EXPECT_EQ(key->GetKeyType(), CConsKey::SEL);
  EXPECT_GE(host.modified, 1);
}

TEST_F(CKeyViewTest, ArrowKeysInTheDestinationsChooseTheTarget) {
  std::vector<CZone*> zones = constest::AddZones(doc, 2);
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, Fmt("%d", zones[0]->GetID()), true));
  ASSERT_EQ(key->GetTarget().object, zones[0]);
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  QListWidget* destinations = dlg->DestinationList();
  ASSERT_FALSE(destinations->isHidden());
  ASSERT_EQ(destinations->currentItem()->text(), zones[0]->GetName());
  QTest::keyClick(destinations, Qt::Key_Down);
  EXPECT_EQ(destinations->currentItem()->text(), zones[1]->GetName());
  EXPECT_EQ(key->GetTarget().object, zones[1]);
}

TEST_F(CKeyViewTest, TypingInTheSignalListChoosesTheSignal) {
  constest::AddZones(doc, 1);
  constest::AddSignal(doc, CAudioSignal::kKindAlarm, QStringLiteral("Fire"));
  CAudioSignal* evacuate = constest::AddSignal(doc, CAudioSignal::kKindAlarm, QStringLiteral("Evacuate"));
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ALARM, QStringLiteral("1,1,30"), true));
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_FALSE(dlg->SignalList()->isHidden());
  QTest::keyClicks(dlg->SignalList(), QStringLiteral("Ev"));
  EXPECT_EQ(key->GetSecondTarget().object, evacuate);
  EXPECT_EQ(key->GetFunction().p2, evacuate->GetID());
}

TEST_F(CKeyViewTest, KeyboardChoicesOfStopRangeAndProtectionAreStored) {
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::STOP, QStringLiteral("2,0,90"), true));
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_FALSE(dlg->StopCombo()->isHidden());
  QTest::keyClick(dlg->StopCombo(), Qt::Key_Up);
  EXPECT_EQ(key->GetFunction().p1, 1);
  const bool wasProtected = key->GetFunction().bProtected;
  QTest::keyClick(dlg->ProtectedBox(), Qt::Key_Space);
  EXPECT_NE(key->GetFunction().bProtected, wasProtected);
}

TEST_F(CKeyViewTest, LabelsComeAndGoWithTheirControls) {
  CGroup::EnsureRoot(doc);
  CConsKey* key = console->FindKey(1);
  view->OpenKeyProperties(key);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  // Disabled: nothing but the function list.
  EXPECT_TRUE(dlg->DestinationLabel()->isHidden());
  EXPECT_TRUE(dlg->PriorityLabel()->isHidden());
  EXPECT_TRUE(dlg->StopLabel()->isHidden());
  EXPECT_TRUE(dlg->DelayLabel()->isHidden());

  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::STOP, QStringLiteral("2,0,90"), true));
  dlg->ShowKey(key);
  EXPECT_FALSE(dlg->StopLabel()->isHidden());
  EXPECT_EQ(dlg->StopLabel()->text(), QStringLiteral("These actions will be stopped:"));
  EXPECT_FALSE(dlg->PriorityLabel()->isHidden());
  EXPECT_EQ(dlg->PriorityLabel()->text(), QStringLiteral("Priority:"));
  EXPECT_TRUE(dlg->DelayLabel()->isHidden());
  EXPECT_TRUE(dlg->DestinationLabel()->isHidden());

  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QStringLiteral("28"), true));
  dlg->ShowKey(key);
  EXPECT_FALSE(dlg->DelayLabel()->isHidden());
  EXPECT_FALSE(dlg->DelayLabel()->text().isEmpty());
  EXPECT_TRUE(dlg->StopLabel()->isHidden());
  EXPECT_TRUE(dlg->PriorityLabel()->isHidden());

  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::SEL, QStringLiteral("0"), true));
  dlg->ShowKey(key);
  EXPECT_FALSE(dlg->DestinationLabel()->isHidden());
  EXPECT_TRUE(dlg->DelayLabel()->isHidden());
}

TEST_F(CKeyViewTest, KeyDialogStandsAtTheViewsRightEdgeAndShowsEveryControl) {
  constest::AddZones(doc, 3);
  for (int i = 0; i < 3; ++i) constest::AddSignal(doc, CAudioSignal::kKindAlarm);
  view->show();
  CConsKey* key = console->FindKey(1);
  view->OpenKeyProperties(key);  // a disabled key: the fewest controls
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_NE(dlg, nullptr);
  const QRect frame = dlg->frameGeometry();
  const QPoint viewTopRight = view->mapToGlobal(QPoint(view->width(), 0));
  EXPECT_EQ(frame.right() + 1, viewTopRight.x());
  EXPECT_EQ(frame.top(), viewTopRight.y());

  // An alarm key shows destinations, signals, priority and protection: each
  // gets at least the room it asks for.
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ALARM, QStringLiteral("1,1,30"), true));
  dlg->ShowKey(key);
  dlg->layout()->activate();
  for (QWidget* control :
       std::initializer_list<QWidget*>{dlg->FunctionList(), dlg->DestinationList(), dlg->SignalList(),
                                       dlg->PrioritySpin(), dlg->ProtectedBox(), dlg->PriorityLabel()}) {
    ASSERT_FALSE(control->isHidden());
    EXPECT_GE(control->height(), control->sizeHint().height()) << control->metaObject()->className();
    EXPECT_GE(control->width(), control->minimumSizeHint().width()) << control->metaObject()->className();
    EXPECT_TRUE(dlg->rect().contains(control->geometry())) << control->metaObject()->className();
  }
}

TEST_F(CKeyViewTest, DoubleClickOnAKeyWhileTheDialogIsOpenActivatesIt) {
  view->show();
  CConsKey* key1 = console->FindKey(1);
  CConsKey* key2 = console->FindKey(2);
  view->OpenKeyProperties(key1);
  CKeyPropertiesDlg* dlg = view->GetKeyDialog();
  ASSERT_NE(dlg, nullptr);
  view->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == view.get(); }, 30000));
  QTest::mouseDClick(view->ButtonOf(key2), Qt::LeftButton);
  EXPECT_EQ(view->GetKeyDialog(), dlg);
  EXPECT_EQ(dlg->GetKey(), key2);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dlg; }, 30000));
}

TEST_F(CKeyViewTest, KeyTextsAreSixteenPixelsHighAndTipsComeQuickly) {
  ConsKeyButton* button = view->ButtonOf(console->FindKey(1));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->font().pixelSize(), 16);
  EXPECT_EQ(button->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, button), 200);
  // Only the tool tips differ from the application's style.
  EXPECT_EQ(button->style()->styleHint(QStyle::SH_ToolTip_FallAsleepDelay, nullptr, button),
            QApplication::style()->styleHint(QStyle::SH_ToolTip_FallAsleepDelay, nullptr, button));
}

// A key's face is the pill of its click region, light grey, with a raised
// edge (light above, dark below) that turns sunken while the key in use is
// selected.
TEST_F(CKeyViewTest, KeyFaceIsAPillWithARaisedOrSunkenEdge) {
  view->show();
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QString(), true));
  ConsKeyButton* button = view->ButtonOf(key);
  ASSERT_NE(button, nullptr);
  button->Refresh();
  const auto pixel = [button](int x, int y) { return QColor(button->grab().toImage().pixel(x, y)); };
  const int w = button->width();
  const int h = button->height();
  ASSERT_GE(w, 16);
  ASSERT_GE(h, 16);
  EXPECT_NE(pixel(0, 0), QColor(192, 192, 192));
  EXPECT_EQ(pixel(w / 2, 0), QColor(Qt::white));
  EXPECT_EQ(pixel(w / 2, h - 1), QColor(Qt::black));
  EXPECT_EQ(pixel(w / 2, 4), QColor(192, 192, 192));
  view->OpenKeyProperties(key);
  ASSERT_TRUE(key->IsSelected());
  EXPECT_EQ(pixel(w / 2, 0), QColor(Qt::black));
  EXPECT_EQ(pixel(w / 2, h - 1), QColor(Qt::white));
  view->CloseKeyDialog();
}

// A left click on a key in use counts only inside its pill; a key not in
// use takes a click anywhere on it.
TEST_F(CKeyViewTest, ALeftClickCountsOnlyInsideThePillOfAKeyInUse) {
  view->show();
  CConsKey* used = console->FindKey(1);
  CConsKey* unused = console->FindKey(2);
  CConsKey* other = console->FindKey(3);
  ASSERT_TRUE(used->SetFunctionFromText(CConsKey::ON, QString(), true));
  ASSERT_FALSE(unused->IsInUse());
  view->OpenKeyProperties(other);
  ASSERT_EQ(view->GetSelectedKey(), other);
  ConsKeyButton* usedButton = view->ButtonOf(used);
  ConsKeyButton* unusedButton = view->ButtonOf(unused);
  const QPoint corner(1, 1);
  QTest::mouseClick(usedButton, Qt::LeftButton, Qt::NoModifier, corner);
  EXPECT_EQ(view->GetSelectedKey(), other);
  QTest::mouseClick(usedButton, Qt::LeftButton, Qt::NoModifier, usedButton->rect().center());
  EXPECT_EQ(view->GetSelectedKey(), used);
  QTest::mouseClick(unusedButton, Qt::LeftButton, Qt::NoModifier, corner);
  EXPECT_EQ(view->GetSelectedKey(), unused);
  view->CloseKeyDialog();
}

}  // namespace
