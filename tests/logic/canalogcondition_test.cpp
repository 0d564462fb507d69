// Analog conditions: the limits' texts and clamps, refused non-numbers, the
// pad link replacing the old one, and the project file.
#include "logic/canalogcondition.h"
#include "logictestsupport.h"
#include "unit/ccontrolpad.h"

#include <gtest/gtest.h>

namespace {

CControlPad* MakePad(CSelvantisDoc& doc, const QString& name) {
  return MakeObject<CControlPad>(doc, CControlPad::kKindKCM216Input, CAT_ENTRIES, name);
}

TEST(CAnalogConditionTest, LimitsAreReadAsNumbersAndKeptWithinZeroAndTen) {
  auto doc = NewProject();
  auto* condition = MakeObject<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog);
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(Column(*condition, 1), "0.0");
  EXPECT_EQ(Column(*condition, 2), "10.0");
  struct Row {
    int column;
    const char* text;
    const char* shown;
  };
  const Row rows[] = {
      {1, "2.26", "2.3"}, {1, "-4", "0.0"},   {1, "12.5", "10.0"}, {2, " 7.5", "7.5"},
      {2, "99", "10.0"},  {2, "0.04", "0.0"}, {1, "3,7", "3.0"},   {2, "1e1", "10.0"},
  };
  for (const Row& row : rows) {
    condition->SetColumnText(row.column, QLatin1String(row.text));
    EXPECT_EQ(Column(*condition, row.column), QLatin1String(row.shown)) << row.text;
  }
  // Text that is no number changes nothing.
  for (const char* text : {"", "abc", "-", "nan?", " x1"}) {
    condition->SetColumnText(1, QLatin1String(text));
    condition->SetColumnText(2, QLatin1String(text));
    EXPECT_EQ(Column(*condition, 1), "3.0") << text;
    EXPECT_EQ(Column(*condition, 2), "10.0") << text;
  }
  // Columns other than the limits take nothing.
  condition->SetColumnText(0, QStringLiteral("5"));
  condition->SetColumnText(3, QStringLiteral("5"));
  EXPECT_EQ(Column(*condition, 0), "");
  EXPECT_EQ(Column(*condition, 3), "");
}

TEST(CAnalogConditionTest, NewPadReplacesTheOldOne) {
  auto doc = NewProject();
  CControlPad* first = MakePad(*doc, QStringLiteral("Level A"));
  CControlPad* second = MakePad(*doc, QStringLiteral("Level B"));
  auto* condition = MakeObject<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog);
  doc->SetModifiedFlag(false);
  condition->SetValue(0, first->GetID());
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(Column(*condition, 0), "Level A");
  condition->SetValue(0, second->GetID());
  EXPECT_EQ(condition->GetValue(0), second->GetID());
  EXPECT_EQ(Column(*condition, 0), "Level B");
  EXPECT_EQ(condition->GetInputConnections().size(), 1u);
  // An identifier without a pad leaves the input empty.
  condition->SetValue(0, 400);
  EXPECT_EQ(condition->GetValue(0), 0);
  EXPECT_TRUE(condition->GetInputConnections().empty());
  // Deleting the pad unlinks it.
  condition->SetValue(0, first->GetID());
  ASSERT_TRUE(doc->DeleteObject(first));
  EXPECT_EQ(condition->GetValue(0), 0);
  EXPECT_EQ(Column(*condition, 0), "");
}

TEST(CAnalogConditionTest, ProjectFileKeepsLimitsAndPad) {
  auto doc = NewProject();
  CControlPad* pad = MakePad(*doc, QStringLiteral("Level"));
  auto* condition = MakeObjectWithID<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 7);
  condition->SetValue(0, pad->GetID());
  condition->SetColumnText(1, QStringLiteral("1.5"));
  condition->SetColumnText(2, QStringLiteral("8.5"));
  auto loaded = RoundTrip(*doc);
  ASSERT_NE(loaded, nullptr);
  auto* copy = Find<CAnalogCondition>(*loaded, DT_ANALOGCONDITION, 7);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetKind(), CAnalogCondition::kKindAnalog);
  EXPECT_FLOAT_EQ(copy->GetMinimum(), 1.5f);
  EXPECT_FLOAT_EQ(copy->GetMaximum(), 8.5f);
  EXPECT_EQ(copy->GetValue(0), pad->GetID());
  EXPECT_EQ(Column(*copy, 0), "Level");
}

}  // namespace
