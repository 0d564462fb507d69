#include "editors/macros/cmacrodlgfrm.h"
#include "editors/lists/listmousesupport.h"
#include "editors/macros/campmacroview.h"
#include "editors/macros/campmutemacroview.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/cmacrostepview.h"
#include "editors/macros/cpowermacroview.h"
#include "editors/macros/csequencemacroview.h"
#include "editors/macros/cstopmacroview.h"
#include "editors/macros/czoneswitchmacroview.h"
#include "editors/macros/czonetestmacroview.h"
#include "editors/macros/macrolistmodel.h"
#include "editors/macros/macrostepfields.h"
#include "macros/cmacro.h"
#include "model/cprofile.h"
#include "model/cstringtable.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cinplaceedit.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <memory>

namespace {

class MacroListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = std::make_unique<CSelvantisDoc>();
    doc->OnNewDocument();
    SetActiveDoc(doc.get());
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CMacroDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::Macros});
    frame->resize(900, 400);
    frame->show();
    list = frame->GetListView();
    list->SetLink(&link);
    list->SetChooser([this](uint32_t kind, const QString& preset) {
      askedKinds.push_back(kind);
      presets.push_back(preset);
      return answer;
    });
  }
  CMacro* Macro(int id) const { return CMacro::Find(doc.get(), id); }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  std::unique_ptr<CMacroDlgFrm> frame;
  CMacroDlgListView* list = nullptr;
  std::optional<int> answer;
  std::vector<uint32_t> askedKinds;
  std::vector<QString> presets;
};

}  // namespace

TEST_F(MacroListTest, RegisteredAsEditorKindSeven) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::Macros));
}

TEST_F(MacroListTest, NewAlarmCreatesOnOffPairWithPriorities) {
  Open();
  answer = CMacro::kKindAlarm;
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  ASSERT_EQ(askedKinds, std::vector<uint32_t>{34462u});
  ASSERT_EQ(doc->GetIDManager().GetCount(17), 2);
  CMacro* on = Macro(1);
  CMacro* off = Macro(2);
  ASSERT_TRUE(on && off);
  EXPECT_TRUE(on->GetName().endsWith(" ON"));
  EXPECT_TRUE(off->GetName().endsWith(" OFF"));
  EXPECT_EQ(on->GetParam(CMacro::P_PRIO), 90);
  EXPECT_EQ(off->GetParam(CMacro::P_PRIO), 91);
  EXPECT_EQ(on->GetParam(CMacro::P_SWITCH), 1);
  EXPECT_EQ(off->GetParam(CMacro::P_SWITCH), 0);
  EXPECT_EQ(on->GetParam(CMacro::P_PARTNER), 2);
  EXPECT_EQ(off->GetParam(CMacro::P_PARTNER), 1);
  EXPECT_EQ(frame->GetCurrentMacro(), on);
  ASSERT_NE(frame->GetStepView(), nullptr);
  EXPECT_EQ(frame->GetStepView()->objectName(),
            CMacroStepViewRegistry::Has("CAlarmMacroView") ? "CAlarmMacroView" : "CEmptyMacroView");
  EXPECT_EQ(list->CellText(0, 2), on->GetIDString());
}

TEST_F(MacroListTest, NewChimeCreatesOneMacroAndUpDownForVolume) {
  Open();
  answer = CMacro::kKindChime;
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  EXPECT_EQ(doc->GetIDManager().GetCount(17), 1);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_SWITCH), 1);
  answer = CMacro::kKindVolume;
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  ASSERT_EQ(doc->GetIDManager().GetCount(17), 3);
  EXPECT_TRUE(Macro(2)->GetName().endsWith(" UP"));
  EXPECT_TRUE(Macro(3)->GetName().endsWith(" DOWN"));
  EXPECT_EQ(frame->GetCurrentMacro(), Macro(2));
}

TEST_F(MacroListTest, CancelledChooserCreatesNothing) {
  Open();
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  EXPECT_EQ(doc->GetIDManager().GetCount(17), 0);
  EXPECT_FALSE(frame->Action(CMacroDlgFrm::kDeleteMacro)->isEnabled());
  EXPECT_TRUE(frame->Action(CMacroDlgFrm::kNewMacro)->isEnabled());
}

TEST_F(MacroListTest, SecondOperatingVoltageIsRefused) {
  Open();
  answer = CMacro::kKindPower;
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  ASSERT_EQ(doc->GetIDManager().GetCount(17), 2);
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  EXPECT_EQ(doc->GetIDManager().GetCount(17), 2);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("A macro of this type exists already !"));
}

TEST_F(MacroListTest, NewDisabledAtTheLimit) {
  for (int i = 0; i < 250; ++i) ASSERT_NE(CMacro::CreateMacro(CMacro::kKindChime, *doc), nullptr);
  Open();
  EXPECT_FALSE(frame->Action(CMacroDlgFrm::kNewMacro)->isEnabled());
  EXPECT_TRUE(frame->Action(CMacroDlgFrm::kDeleteMacro)->isEnabled());
}

TEST_F(MacroListTest, DeleteKeyDeletesWithoutQuestionAndSelectsTheNextRow) {
  for (int i = 0; i < 3; ++i) CMacro::CreateMacro(CMacro::kKindChime, *doc);
  Open();
  list->SelectRow(1);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(list, &press);
  EXPECT_EQ(doc->GetIDManager().GetCount(17), 2);
  EXPECT_EQ(Macro(2), nullptr);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(frame->GetCurrentMacro(), Macro(3));
}

TEST_F(MacroListTest, KindChooserOnlyOnTypeColumn) {
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  Open();
  answer = CMacro::kKindStop;
  list->EditCell(0, 0);
  list->EditCell(0, 2);
  EXPECT_TRUE(askedKinds.empty());
  list->EditCell(0, 1);
  ASSERT_EQ(askedKinds.size(), 1u);
  EXPECT_EQ(presets.front(), CMacro::KindCaption(CMacro::kKindChime));
  EXPECT_EQ(Macro(1)->GetKind(), CMacro::kKindStop);
  EXPECT_EQ(frame->GetStepView()->objectName(), "CStopMacroView");
  answer = CMacro::kKindNoEntry;
  list->EditCell(0, 1);
  EXPECT_EQ(frame->GetStepView()->objectName(), "CEmptyMacroView");
}

// With the user's mouse: a double click on the selected macro's name
// neither renames nor chooses; a single click on it renames once the
// double-click time has passed; a double click on the kind chooses.
TEST_F(MacroListTest, MouseRenamesByClickAndChoosesTheKindByDoubleClick) {
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  Open();
  ListMouse mouse(list);
  ASSERT_TRUE(mouse.Ready());
  list->SelectRow(1);
  mouse.DoubleClick(1, MacroListModel::kName);
  EXPECT_FALSE(list->IsRenamePending());
  const auto nameEditor = [&] { return list->viewport()->findChild<QLineEdit*>(); };
  EXPECT_EQ(nameEditor(), nullptr);
  EXPECT_TRUE(askedKinds.empty());
  mouse.Click(1, MacroListModel::kName);
  ASSERT_TRUE(QTest::qWaitFor([&] { return nameEditor() != nullptr; }, 20000));
  EXPECT_EQ(nameEditor()->text(), Macro(2)->GetName());
  EXPECT_TRUE(askedKinds.empty());
  QTest::keyClick(nameEditor(), Qt::Key_Escape);
  answer = CMacro::kKindStop;
  mouse.DoubleClick(1, MacroListModel::kKind);
  ASSERT_EQ(askedKinds.size(), 1u);
  EXPECT_EQ(Macro(2)->GetKind(), CMacro::kKindStop);
  EXPECT_FALSE(list->IsRenamePending());
}

TEST_F(MacroListTest, LabelEditOnlyOnNameAndCancelKeepsSelection) {
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  Open();
  list->SelectRow(1);
  EXPECT_FALSE(list->BeginLabelEdit(1, 1));
  list->EndLabelEdit(1, std::nullopt);
  EXPECT_EQ(frame->GetCurrentMacro(), Macro(2));
  list->EndLabelEdit(1, QString("Evening bell"));
  EXPECT_EQ(Macro(2)->GetName(), "Evening bell");
  EXPECT_EQ(list->CellText(1, 0), "Evening bell");
  EXPECT_EQ(frame->GetCurrentMacro(), Macro(2));
}

TEST_F(MacroListTest, ExecuteSendsStartLine) {
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  Open();
  list->SelectRow(1);
  frame->OnCommand(CMacroDlgFrm::kExecute);
  EXPECT_EQ(link.Commands(), QStringList{"/MACRO/START 2"});
}

TEST_F(MacroListTest, ColumnWidthsSurviveReopening) {
  Open();
  list->setColumnWidth(0, 201);
  list->setColumnWidth(1, 77);
  list->setColumnWidth(2, 44);
  frame.reset();
  EXPECT_EQ(CProfile::GetString("Settings", "MacroListColumnWidth"), "201,77,44");
  Open();
  EXPECT_EQ(list->columnWidth(0), 201);
  EXPECT_EQ(list->columnWidth(1), 77);
  EXPECT_EQ(list->columnWidth(2), 44);
}

// The list pane opens at the width it had when the frame was last closed,
// however wide the frame is, and keeps it when the frame grows; a width
// the user drags is the one of the next opening.
TEST_F(MacroListTest, ListPaneOpensAtItsStoredWidth) {
  CMacro::CreateMacro(CMacro::kKindChime, *doc);
  const auto listWidth = [this] {
    EXPECT_TRUE(QTest::qWaitFor([this] { return frame->Splitter()->width() > 0 && list->isVisible(); }, 20000));
    QApplication::processEvents();
    return list->width();
  };
  for (const int stored : {290, 493, 575}) {
    ASSERT_TRUE(CProfile::WriteInt(QStringLiteral("Settings"), QStringLiteral("MacroListWidth"), stored));
    Open();
    EXPECT_EQ(listWidth(), stored);
    frame->resize(1100, 400);
    EXPECT_EQ(listWidth(), stored);
    frame.reset();
    EXPECT_EQ(CProfile::GetInt(QStringLiteral("Settings"), QStringLiteral("MacroListWidth"), 0), stored);
  }
  Open();
  ASSERT_EQ(listWidth(), 575);
  QSplitterHandle* handle = frame->Splitter()->handle(1);
  ASSERT_NE(handle, nullptr);
  const QPoint grip = handle->rect().center();
  QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
  QTest::mouseMove(handle, grip - QPoint(175, 0));
  QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip - QPoint(175, 0));
  const int dragged = listWidth();
  EXPECT_LT(dragged, 575);
  frame.reset();
  Open();
  EXPECT_EQ(listWidth(), dragged);
}

// "Create new macro" asks for the kind in the selection dialog, whose
// kind reads "Macrotyp" ("Makrotyp" in German).
TEST_F(MacroListTest, NewMacroAsksForTheMacrotyp) {
  Open();
  list->SetChooser({});
  QString shown;
  DriveNextModal([&shown](QWidget* dialog) {
    if (auto* kind = dialog->findChild<QLabel*>(QStringLiteral("kind"))) shown = kind->text();
    static_cast<QDialog*>(dialog)->reject();
  });
  frame->Action(CMacroDlgFrm::kNewMacro)->trigger();
  EXPECT_EQ(shown, QStringLiteral("Macrotyp"));
  EXPECT_EQ(CStringTable::Load(CMacro::kSelectMacroKind, CStringTable::Language::German), QStringLiteral("Makrotyp"));
  EXPECT_EQ(doc->GetIDManager().GetCount(17), 0);
}

TEST(MacroListModelTest, ColumnWidthsParseOverDefaults) {
  EXPECT_EQ(MacroListModel::ParseColumnWidths(""), (std::array<int, 3>{160, 60, 30}));
  EXPECT_EQ(MacroListModel::ParseColumnWidths("100,x"), (std::array<int, 3>{100, 60, 30}));
  EXPECT_EQ(MacroListModel::ParseColumnWidths("-5,70,99999"), (std::array<int, 3>{160, 70, 30}));
}

TEST(MacroListModelTest, EditorForKinds) {
  using MacroListModel::EditorClassName;
  using MacroListModel::EditorFor;
  EXPECT_STREQ(EditorClassName(EditorFor(34256)), "CInselMacroView");
  EXPECT_STREQ(EditorClassName(EditorFor(34577)), "CZonetestMacroView");
  EXPECT_STREQ(EditorClassName(EditorFor(34510)), "CEmptyMacroView");
  EXPECT_STREQ(EditorClassName(EditorFor(0)), "CEmptyMacroView");
}

TEST(MacroStepFieldsTest, PriorityIndexTruncates) {
  const auto choices = MacroStepFields::PriorityChoices(true);
  ASSERT_EQ(choices.size(), 11u);
  EXPECT_EQ(choices[MacroStepFields::PriorityIndex(choices, 45)].text, "4");
  EXPECT_EQ(choices[MacroStepFields::PriorityIndex(choices, 41)].text, "4");
  EXPECT_EQ(choices[MacroStepFields::PriorityIndex(choices, 0)].text, "OFF");
  const auto noOff = MacroStepFields::PriorityChoices(false);
  EXPECT_EQ(noOff[MacroStepFields::PriorityIndex(noOff, 0)].text, "1");
}

TEST_F(MacroListTest, StopPriorityMirroredToPartnerAndNoSelectionIsHarmless) {
  Open();
  EXPECT_EQ(frame->GetStepView()->objectName(), "CEmptyMacroView");
  answer = CMacro::kKindPower;
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  auto* view = qobject_cast<CPowerMacroView*>(frame->GetStepView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->PriorityList()->currentText(), "1");
  view->PriorityList()->setCurrentIndex(0);
  emit view->PriorityList()->activated(0);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_PRIO), 10);
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_PRIO), 11);
  // A deleted partner stops the mirroring silently.
  Macro(2)->OnCommand(33001);
  emit view->PriorityList()->activated(3);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_PRIO), 40);
}

// Every editor with nothing selected in the list: it fills its lists, and
// whatever the user does with its controls reaches no macro and opens no
// chooser.
TEST_F(MacroListTest, EveryEditorWithoutASelectedMacroChangesNothing) {
  Open();
  answer = CMacro::kKindAlarm;
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  answer = CMacro::kKindLCDText;
  frame->OnCommand(CMacroDlgFrm::kNewMacro);
  ASSERT_EQ(list->RowCount(), 3);
  list->clearSelection();
  ASSERT_EQ(frame->GetCurrentMacro(), nullptr);
  const auto snapshot = [this] {
    QStringList lines;
    for (int id = 1; id <= 3; ++id) {
      const CMacro* macro = Macro(id);
      if (!macro) return QStringList{QStringLiteral("macro %1 gone").arg(id)};
      lines << macro->GetName() << macro->GetDownloadLines(false);
    }
    return lines;
  };
  const QStringList before = snapshot();

  int choosersAsked = 0;
  for (int kind : CMacro::UserKinds()) {
    const char* name = MacroListModel::EditorClassName(MacroListModel::EditorFor(kind));
    SCOPED_TRACE(name);
    ASSERT_TRUE(CMacroStepViewRegistry::Has(name));
    std::unique_ptr<CMacroStepView> view(CMacroStepViewRegistry::Create(name, frame.get(), nullptr));
    ASSERT_NE(view, nullptr);
    if (auto* zones = qobject_cast<CZoneSwitchMacroView*>(view.get()))
      zones->SetZoneChooser([&](std::vector<CBaseDevice*>&) { return ++choosersAsked, true; });
    if (auto* test = qobject_cast<CZonetestMacroView*>(view.get()))
      test->SetZoneChooser([&](std::vector<CBaseDevice*>&) { return ++choosersAsked, true; });
    if (auto* amps = qobject_cast<CAmpMacroView*>(view.get()))
      amps->SetChooser([&](unsigned, const QString&) { return ++choosersAsked, std::optional<QString>("ALL"); });
    if (auto* mute = qobject_cast<CAmpMuteMacroView*>(view.get()))
      mute->SetChooser([&](unsigned, const QString&) { return ++choosersAsked, std::optional<QString>("ALL"); });
    auto* sequence = qobject_cast<CSequenceMacroView*>(view.get());
    if (sequence)
      sequence->SetChooser([&](uint32_t, const QString&) { return ++choosersAsked, std::optional<int>(1); });

    view->OnInitialUpdate();
    for (QComboBox* combo : view->findChildren<QComboBox*>()) {
      const int last = combo->count() - 1;
      if (last < 0) continue;
      combo->setCurrentIndex(last);
      emit combo->activated(last);
    }
    for (QLineEdit* edit : view->findChildren<QLineEdit*>()) {
      if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget())) continue;
      edit->setText(QStringLiteral("7"));
      edit->setModified(true);
      emit edit->textEdited(QStringLiteral("7"));
      emit edit->editingFinished();
    }
    for (QSpinBox* spin : view->findChildren<QSpinBox*>()) spin->setValue(spin->maximum());
    for (QTimeEdit* time : view->findChildren<QTimeEdit*>()) time->setTime(QTime(1, 2));
    for (QAbstractButton* button : view->findChildren<QAbstractButton*>()) button->click();
    if (sequence) {
      for (int column = 0; column < 4; ++column) sequence->OnDblclkCell(0, column);
      EXPECT_EQ(sequence->CellEditor(), nullptr);
    }
    view->CommitPending();
    view.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(snapshot(), before);
  }
  EXPECT_EQ(choosersAsked, 0);
  EXPECT_EQ(list->RowCount(), 3);
}
