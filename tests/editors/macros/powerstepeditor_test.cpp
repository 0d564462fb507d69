// The Operating voltage step editor (an ON/OFF pair): its priority list and
// what a choice stores in both macros of the pair; and the empty editor.
#include "editors/macros/cemptymacroview.h"
#include "editors/macros/cpowermacroview.h"
#include "macros/cmacro.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include "editors/macros/macrosteptest.h"

#include <gtest/gtest.h>

namespace {

class PowerStepTest : public MacroStepTest {};

TEST_F(PowerStepTest, PriorityListHasTenEntriesWithoutOff) {
  CMacro* macro = Create(CMacro::kKindPower);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CPowerMacroView>();
  ASSERT_NE(view, nullptr);
  QComboBox* priority = view->PriorityList();
  ASSERT_EQ(priority->count(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(priority->itemText(i), QString::number(i + 1));
    EXPECT_EQ(priority->itemData(i).toInt(), 10 * (i + 1));
  }
  EXPECT_EQ(view->PowerOnList()->itemText(0), "OFF");
  EXPECT_EQ(view->PowerOffList()->itemText(0), "OFF");
  EXPECT_FALSE(view->PowerOnList()->isVisibleTo(view));
}

// A priority of 0 shows the first entry until the user chooses; the choice
// goes to the ON macro and, plus one, to the OFF macro.
TEST_F(PowerStepTest, ChoosingOneStoresTenAndElevenInThePair) {
  CMacro* macro = Create(CMacro::kKindPower);
  ASSERT_NE(macro, nullptr);
  CMacro* partner = macro->GetPartner();
  ASSERT_NE(partner, nullptr);
  macro->SetParam(CMacro::P_PRIO, 0);
  partner->SetParam(CMacro::P_PRIO, 0);
  frame->ShowMacroEditor();
  auto* view = StepView<CPowerMacroView>();
  ASSERT_NE(view, nullptr);
  QComboBox* priority = view->PriorityList();
  EXPECT_EQ(priority->currentIndex(), 0);
  EXPECT_EQ(macro->GetParam(CMacro::P_PRIO), 0);

  // Chosen with the keyboard: down to "2", back up to "1".
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  priority->setFocus();
  QTest::keyClick(priority, Qt::Key_Down);
  CMacro* on = macro->GetParam(CMacro::P_SWITCH) != 0 ? macro : partner;
  CMacro* off = on == macro ? partner : macro;
  EXPECT_EQ(on->GetParam(CMacro::P_PRIO), 20);
  EXPECT_EQ(off->GetParam(CMacro::P_PRIO), 21);
  QTest::keyClick(priority, Qt::Key_Up);
  EXPECT_EQ(priority->currentText(), "1");
  EXPECT_EQ(on->GetParam(CMacro::P_PRIO), 10);
  EXPECT_EQ(off->GetParam(CMacro::P_PRIO), 11);
}

TEST_F(PowerStepTest, NoEntryShowsTheEmptyEditor) {
  CMacro* macro = Create(CMacro::kKindNoEntry);
  ASSERT_NE(macro, nullptr);
  EXPECT_NE(StepView<CEmptyMacroView>(), nullptr);
}

}  // namespace
