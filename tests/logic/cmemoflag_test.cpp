// Memo flags: base objects only; renumbering must be safe for any number.
#include "logic/cmemoflag.h"
#include "logictestsupport.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

namespace {

TEST(CMemoFlagTest, RenumberingRefusesTakenAndOutOfPoolNumbers) {
  auto doc = NewProject();
  auto* a = MakeObject<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag);
  auto* b = MakeObject<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->ChangeID(b->GetID()), 0);
  for (int id : {0, -1, 201, 100000}) EXPECT_EQ(a->ChangeID(id), 0) << id;
  EXPECT_EQ(a->ChangeID(200), 200);
  EXPECT_EQ(Find<CMemoFlag>(*doc, DT_MEMOFLAG, 200), a);
}

TEST(CMemoFlagTest, SendsNothingAndSurvivesTheProjectFile) {
  auto doc = NewProject();
  auto* flag = MakeObjectWithID<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, 33, CAT_ENTRIES, QStringLiteral("Night"));
  RecordingLink link;
  EXPECT_EQ(flag->Download(false, -1), 0);
  EXPECT_TRUE(link.Lines().isEmpty());
  auto loaded = RoundTrip(*doc);
  auto* copy = Find<CMemoFlag>(*loaded, DT_MEMOFLAG, 33);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetName(), "Night");
  EXPECT_EQ(copy->GetKind(), CMemoFlag::kKindMemoFlag);
}

}  // namespace
