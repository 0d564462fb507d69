// Plain conditions: the condition types and their sources, the list
// accessors, and the project-file record.
#include "logic/ccondition.h"
#include "logic/cmemoflag.h"
#include "logictestsupport.h"
#include "model/ctext.h"

#include <gtest/gtest.h>

namespace {

TEST(CConditionTest, LevelColumnReadsOnAndOff) {
  auto doc = NewProject();
  auto* condition = MakeObject<CCondition>(*doc, CCondition::kKindFault);
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(Column(*condition, 2), "ON");
  condition->SetValue(2, 0);
  EXPECT_EQ(Column(*condition, 2), "OFF");
  EXPECT_EQ(condition->GetValue(2), 0);
  EXPECT_EQ(Column(*condition, 3), "");
}

TEST(CConditionTest, SourceShowsNameWhileTheObjectExistsAndNumberWithStarAfterwards) {
  auto doc = NewProject();
  auto* flag = MakeObjectWithID<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, 7, CAT_ENTRIES, QStringLiteral("Night"));
  auto* condition = MakeObject<CCondition>(*doc, CCondition::kKindMemoFlag);
  ASSERT_NE(flag, nullptr);
  ASSERT_NE(condition, nullptr);
  condition->SetValue(4, 7);
  EXPECT_EQ(Column(*condition, 4), "Night");
  EXPECT_EQ(condition->GetSourceObject(), flag);

  doc->DeleteObject(flag);
  EXPECT_EQ(Column(*condition, 4), "7 *");
  EXPECT_EQ(condition->GetValue(4), 7);
}

TEST(CConditionTest, SourceFollowsItsObjectWhenTheObjectIsRenumbered) {
  auto doc = NewProject();
  auto* flag = MakeObjectWithID<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, 3, CAT_ENTRIES, QStringLiteral("Flag"));
  auto* condition = MakeObject<CCondition>(*doc, CCondition::kKindMemoFlag);
  condition->SetValue(4, 3);
  ASSERT_EQ(flag->ChangeID(12), 12);
  EXPECT_EQ(condition->GetValue(4), 12);
  EXPECT_EQ(Column(*condition, 4), "Flag");
}

TEST(CConditionTest, MissingSourceIsKeptAsNumber) {
  auto doc = NewProject();
  auto* condition = MakeObject<CCondition>(*doc, CCondition::kKindMemoFlag);
  condition->SetValue(4, 150);
  EXPECT_EQ(condition->GetSourceObject(), nullptr);
  EXPECT_EQ(Column(*condition, 4), "150 *");
}

TEST(CConditionTest, TypeChangeDropsASourceOfAnotherKindAndKeepsOneOfTheSameKind) {
  auto doc = NewProject();
  MakeObjectWithID<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, 2, CAT_ENTRIES, QStringLiteral("F2"));
  auto* condition = MakeObject<CCondition>(*doc, CCondition::kKindMemoFlag);
  condition->SetValue(4, 2);

  condition->SetValue(5, CCondition::kKindMemoFlag);
  EXPECT_EQ(condition->GetValue(4), 2);

  condition->SetValue(5, CCondition::kKindConsole);
  EXPECT_EQ(condition->GetKind(), CCondition::kKindConsole);
  EXPECT_EQ(condition->GetValue(4), 0);
  EXPECT_TRUE(condition->GetInputConnections().empty());
  EXPECT_EQ(Column(*condition, 4), "");

  condition->SetValue(5, CCondition::kKindAmplifierError);
  EXPECT_EQ(condition->GetValue(4), CCondition::kAllAmplifiers);
}

TEST(CConditionTest, UnknownConditionTypeIsRefused) {
  auto doc = NewProject();
  auto* condition = MakeObject<CCondition>(*doc, CCondition::kKindFault);
  condition->SetValue(5, 12345);
  EXPECT_EQ(condition->GetKind(), CCondition::kKindFault);
}

TEST(CConditionTest, SourceObjectKindsOfTheTypes) {
  EXPECT_EQ(CCondition::GetSourceObjectKind(CCondition::kKindFault), 0);
  EXPECT_EQ(CCondition::GetSourceObjectKind(CCondition::kKindCondition), 0);
  EXPECT_EQ(CCondition::GetSourceObjectKind(CCondition::kKindMemoFlag), 34130);
  EXPECT_EQ(CCondition::GetSourceObjectKind(CCondition::kKindMacro), 32806);
  EXPECT_EQ(CCondition::GetSourceObjectType(CCondition::kKindInput), DT_CONTROLPAD);
  EXPECT_EQ(CCondition::GetSourceObjectKind(999), 0);
  // Every type has a keyword of its own, read back to the same type.
  for (int kind : CCondition::ConditionTypes()) {
    EXPECT_EQ(CCondition::TypeOfKeyword(CCondition::TypeKeyword(kind)), kind);
  }
}

TEST(CConditionTest, NewAmplifierErrorConditionStartsWithAllAmplifiers) {
  auto doc = NewProject();
  auto* condition = dynamic_cast<CCondition*>(doc->CreateObject(DT_CONDITION, CCondition::kKindAmplifierError));
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(condition->GetValue(4), 255);
  EXPECT_EQ(Column(*condition, 4), "255 *");
}

TEST(CConditionTest, SettersMarkTheDocumentModified) {
  auto doc = NewProject();
  auto* condition = MakeObject<CCondition>(*doc, CCondition::kKindFault);
  for (int column : {2, 4, 5}) {
    doc->SetModifiedFlag(false);
    condition->SetValue(column, column == 5 ? CCondition::kKindConsole : 1);
    EXPECT_TRUE(doc->IsModified()) << column;
  }
}

TEST(CConditionTest, ProjectFileKeepsTypeLevelSourceAndLink) {
  auto doc = NewProject();
  MakeObjectWithID<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, 4, CAT_ENTRIES, QStringLiteral("F4"));
  auto* linked = MakeObjectWithID<CCondition>(*doc, CCondition::kKindMemoFlag, 9, CAT_ENTRIES, QStringLiteral("C9"));
  linked->SetValue(4, 4);
  linked->SetValue(2, 0);
  auto* dangling = MakeObjectWithID<CCondition>(*doc, CCondition::kKindConsole, 10, CAT_ENTRIES, QStringLiteral("C10"));
  dangling->SetValue(4, 6);

  auto loaded = RoundTrip(*doc);
  auto* a = Find<CCondition>(*loaded, DT_CONDITION, 9);
  auto* b = Find<CCondition>(*loaded, DT_CONDITION, 10);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->GetName(), "C9");
  EXPECT_EQ(a->GetKind(), CCondition::kKindMemoFlag);
  EXPECT_EQ(a->GetValue(2), 0);
  EXPECT_EQ(a->GetValue(4), 4);
  ASSERT_NE(a->GetSourceObject(), nullptr);
  EXPECT_EQ(a->GetSourceObject()->GetName(), "F4");
  EXPECT_EQ(b->GetKind(), CCondition::kKindConsole);
  EXPECT_EQ(b->GetValue(2), 1);
  EXPECT_EQ(b->GetValue(4), 6);
  EXPECT_EQ(b->GetSourceObject(), nullptr);
}

}  // namespace
