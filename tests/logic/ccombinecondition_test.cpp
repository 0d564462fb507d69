// Combine conditions: the function, the invert flags and the four inputs as
// the list shows and sets them, and the project file.
#include "logic/ccombinecondition.h"
#include "logic/ccondition.h"
#include "logictestsupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CCombineConditionTest, FunctionIsOneOfTheOfferedAndOthersAreRefused) {
  auto doc = NewProject();
  auto* combine = MakeObject<CCombineCondition>(*doc, CCombineCondition::kKindCombine);
  ASSERT_NE(combine, nullptr);
  EXPECT_EQ(combine->GetValue(0), static_cast<int>(IDS_LOGIC_OFF));
  EXPECT_EQ(Column(*combine, 0), "OFF");
  const std::pair<int, const char*> rows[] = {{IDS_FUNC_AND, "AND"}, {IDS_FUNC_OR, "OR"}, {IDS_FUNC_XOR, "XOR"}};
  for (const auto& [id, text] : rows) {
    doc->SetModifiedFlag(false);
    combine->SetValue(0, id);
    EXPECT_TRUE(doc->IsModified()) << text;
    EXPECT_EQ(combine->GetValue(0), id);
    EXPECT_EQ(Column(*combine, 0), QLatin1String(text));
  }
  for (int bad : {0, -1, static_cast<int>(IDS_LOGIC_ON), 12345}) {
    combine->SetValue(0, bad);
    EXPECT_EQ(combine->GetValue(0), static_cast<int>(IDS_FUNC_XOR)) << bad;
  }
}

TEST(CCombineConditionTest, EachInputHasItsInvertColumnAndItsConditionColumn) {
  auto doc = NewProject();
  auto* a = MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 4, CAT_ENTRIES, QStringLiteral("Fault"));
  auto* b = MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 5, CAT_ENTRIES, QStringLiteral("Mains"));
  auto* combine = MakeObject<CCombineCondition>(*doc, CCombineCondition::kKindCombine);
  combine->SetValue(3, a->GetID());
  combine->SetValue(9, b->GetID());
  combine->SetValue(4, 1);
  combine->SetValue(8, 7);
  const char* const shown[] = {"", "Fault", "NOT", "", "", "", "NOT", "Mains"};
  for (int column = 2; column <= 9; ++column) {
    EXPECT_EQ(Column(*combine, column), QLatin1String(shown[column - 2])) << column;
  }
  EXPECT_EQ(combine->GetValue(3), 4);
  EXPECT_EQ(combine->GetValue(5), 0);
  EXPECT_EQ(combine->GetValue(9), 5);
  EXPECT_EQ(combine->GetValue(4), 1);
  EXPECT_EQ(combine->GetValue(8), 1);
  EXPECT_EQ(combine->GetValue(2), 0);
  // Columns outside the four inputs are neither read nor written.
  combine->SetValue(10, 4);
  combine->SetValue(1, 4);
  EXPECT_EQ(Column(*combine, 10), "");
  EXPECT_EQ(combine->GetValue(10), 0);
  // A new condition replaces the input's old one; 0 empties it.
  combine->SetValue(3, b->GetID());
  EXPECT_EQ(Column(*combine, 3), "Mains");
  combine->SetValue(9, 0);
  EXPECT_EQ(Column(*combine, 9), "");
  // A deleted condition leaves its input empty.
  ASSERT_TRUE(doc->DeleteObject(b));
  EXPECT_EQ(combine->GetValue(3), 0);
}

TEST(CCombineConditionTest, ProjectFileKeepsFunctionFlagsAndInputs) {
  auto doc = NewProject();
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 4, CAT_ENTRIES, QStringLiteral("Fault"));
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 5, CAT_ENTRIES, QStringLiteral("Mains"));
  auto* combine = MakeObjectWithID<CCombineCondition>(*doc, CCombineCondition::kKindCombine, 3);
  combine->SetValue(0, IDS_FUNC_AND);
  combine->SetValue(5, 4);
  combine->SetValue(7, 5);
  combine->SetValue(6, 1);
  auto loaded = RoundTrip(*doc);
  ASSERT_NE(loaded, nullptr);
  auto* copy = Find<CCombineCondition>(*loaded, DT_COMBINECONDITION, 3);
  ASSERT_NE(copy, nullptr);
  for (int column = 0; column <= 9; ++column) {
    EXPECT_EQ(copy->GetValue(column), combine->GetValue(column)) << column;
    EXPECT_EQ(Column(*copy, column), Column(*combine, column)) << column;
  }
}

}  // namespace
