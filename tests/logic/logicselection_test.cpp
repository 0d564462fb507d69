// The choices the control-logic classes give the selection dialog.
#include "logic/ccondition.h"
#include "logic/cglobalreadyinput.h"
#include "logic/logicstrings.h"
#include "logictestsupport.h"
#include "model/cselectionprovider.h"
#include "unit/ccontrolpad.h"

#include <gtest/gtest.h>

namespace {

SelectionList Choices(const CSelvantisDoc* doc, uint32_t kind, int current = 0, const QString& selection = QString()) {
  SelectionRequest request;
  request.kind = kind;
  request.current = current;
  request.selection = selection;
  return CSelectionProvider::Global().ListChoices(doc, request);
}

TEST(LogicSelectionTest, ConditionTypesOfferEveryTypeByStringId) {
  const SelectionList list = Choices(nullptr, IDS_CONDITION_TYPE, CCondition::kKindMemoFlag);
  ASSERT_EQ(list.choices.size(), CCondition::ConditionTypes().size());
  bool preselected = false;
  for (const SelectionChoice& choice : list.choices) {
    EXPECT_TRUE(CCondition::IsConditionType(choice.number));
    EXPECT_FALSE(choice.columns.value(0).isEmpty());
    if (choice.preselected) preselected = choice.number == CCondition::kKindMemoFlag;
  }
  EXPECT_TRUE(preselected);
}

TEST(LogicSelectionTest, ErrorTextsGiveTheZeroBasedIndex) {
  auto doc = NewProject();
  const SelectionList list = Choices(doc.get(), IDS_ERROR_TEXTS, 3);
  ASSERT_EQ(list.choices.size(), 18u);
  EXPECT_EQ(list.choices[0].columns[0], "Text1");
  EXPECT_EQ(list.choices[2].number, 2);
  EXPECT_TRUE(list.choices[2].preselected);
}

TEST(LogicSelectionTest, LogicOutputTargetsStartWithNoEntry) {
  auto doc = NewProject();
  auto* pad = MakeObject<CControlPad>(*doc, CControlPad::kKindDigitalOutput, CAT_ENTRIES, QStringLiteral("Horn"));
  ASSERT_NE(pad, nullptr);
  const SelectionList list = Choices(doc.get(), 34460);
  ASSERT_EQ(list.choices.size(), 2u);
  EXPECT_EQ(list.choices[0].number, 0);
  EXPECT_EQ(list.choices[1].number, pad->GetID());
  EXPECT_EQ(list.choices[1].columns[0], "Horn");
}

TEST(LogicSelectionTest, EventAndHolidayKindsOfferTheirFunctions) {
  EXPECT_EQ(Choices(nullptr, IDS_EVENT).choices.size(), 8u);
  const SelectionList holiday = Choices(nullptr, IDS_HOLIDAY_PROGRAM);
  ASSERT_EQ(holiday.choices.size(), 5u);
  EXPECT_EQ(holiday.choices.back().number, 34298);
  EXPECT_EQ(Choices(nullptr, IDS_LOGIC).choices.size(), 4u);
}

}  // namespace
