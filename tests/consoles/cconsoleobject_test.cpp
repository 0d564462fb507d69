// The reference-console list: membership by address, the one line it sends
// and the replies it takes.

#include "consoles/cconsoleobject.h"
#include "consoletestsupport.h"
#include "support/projectbytes.h"

#include <gtest/gtest.h>

using namespace constest;

namespace {

class CConsoleObjectTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    object = CConsoleObject::Find(&doc);
    ASSERT_NE(object, nullptr);
  }

  CSelvantisDoc doc;
  CConsoleObject* object = nullptr;
};

}  // namespace

TEST_F(CConsoleObjectTest, NewProjectsHaveItWithAnEmptyList) {
  EXPECT_EQ(object->GetID(), 1);
  EXPECT_EQ(object->GetPath(), "/CONS");
  EXPECT_EQ(object->GetReferenceList(), "NONE");
  EXPECT_FALSE(object->IsReference((1 << 16) | 1));
}

TEST_F(CConsoleObjectTest, MembershipByAddress) {
  object->SetReferenceList("1-3");
  EXPECT_TRUE(object->IsReference((3 << 16) | 1));
  EXPECT_FALSE(object->IsReference((3 << 16) | 2));
  EXPECT_FALSE(object->IsReference((4 << 16) | 1));
  EXPECT_FALSE(object->IsReference((0 << 16) | 1));
  EXPECT_FALSE(object->IsReference((17 << 16) | 1));
  object->SetReference(1, 3);
  EXPECT_EQ(object->GetReferenceList(), "1-2");
  object->SetReference(1, 5 | (1 << 16));
  EXPECT_EQ(object->GetReferenceList(), "1-2,5");
  object->SetReference(2, 7 | (1 << 16));
  object->SetReference(1, 17 | (1 << 16));
  object->SetReference(1, 0 | (1 << 16));
  EXPECT_EQ(object->GetReferenceList(), "1-2,5");
  for (int a : {1, 2, 5}) object->SetReference(1, a);
  EXPECT_EQ(object->GetReferenceList(), "NONE");
  // A list that cannot be read starts afresh.
  object->SetReferenceList("x");
  object->SetReference(1, 4 | (1 << 16));
  EXPECT_EQ(object->GetReferenceList(), "4");
}

TEST_F(CConsoleObjectTest, DownloadSendsOneShortenedLineForItsOwnDocument) {
  RecordingLink link;
  EXPECT_EQ(object->Download(false, -1), 1);
  EXPECT_EQ(object->Download(false, 0), 1);
  ASSERT_EQ(link.Calls().size(), 1u);
  EXPECT_EQ(link.Calls()[0].command, "/CONS/REFERENCE NONE");
  EXPECT_TRUE(link.Calls()[0].shorten);
  EXPECT_EQ(link.Calls()[0].doc, &doc);
  EXPECT_EQ(object->Download(true, 0), 1);
  EXPECT_EQ(link.Calls()[1].command, "/CONS/REFERENCE ?");
  link.SetOutBufferCount(512);
  EXPECT_EQ(object->Download(false, 0), 0);
  EXPECT_EQ(link.Calls().size(), 2u);
}

TEST_F(CConsoleObjectTest, RepliesOutsideADownloadSetTheList) {
  CConsole* console = AddConsole(doc);
  QString err;
  EXPECT_TRUE(doc.RouteReplyLine("/CONS/REFERENCE 1,5", err, LINKMODE_UPLOAD));
  EXPECT_EQ(object->GetReferenceList(), "1,5");
  doc.RouteReplyLine("/CONS/REFERENCE 2", err, LINKMODE_DOWNLOAD);
  doc.RouteReplyLine("/CONS/REFERENCE ?", err, LINKMODE_UPLOAD);
  doc.RouteReplyLine("/CONS/REFERENCE 1-99", err, LINKMODE_UPLOAD);
  doc.RouteReplyLine("/CONS/REFERENCE " + QString(5000, '1'), err, LINKMODE_UPLOAD);
  EXPECT_EQ(object->GetReferenceList(), "1,5");
  // The consoles' lines go to the consoles.
  EXPECT_TRUE(doc.RouteReplyLine("/CONS/ADR1/BUZZER OFF", err, LINKMODE_UPLOAD));
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_BUZZER), "0");
  EXPECT_EQ(object->GetReferenceList(), "1,5");
}

TEST_F(CConsoleObjectTest, ListSurvivesTheProjectFile) {
  object->SetReferenceList("2,4-6");
  auto copy = RoundTrip(doc);
  CConsoleObject* back = CConsoleObject::Find(copy.get());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetReferenceList(), "2,4-6");
}
