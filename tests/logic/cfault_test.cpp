// The collective-fault object: source keywords (whole words only), the
// display console, its lines and its answers.
#include "logic/cfault.h"
#include "link/linkmode.h"
#include "logictestsupport.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

namespace {

CFault* Fault(const CSelvantisDoc& doc) { return Find<CFault>(doc, DT_FAULT, 1); }

TEST(CFaultTest, ActiveSourcesAreReadAsWholeKeywords) {
  auto doc = NewProject();
  CFault* fault = Fault(*doc);
  ASSERT_NE(fault, nullptr);
  struct Row {
    const char* reply;
    int bits;
  };
  const Row rows[] = {{"AMP,CONS", 0x028},
                      {"SPAREAMP", 0x040},  // not also AMP
                      {"ZONEGNDFLT ANYGNDFLT", 0x500},
                      {"NONE", 0},
                      {"", 0},
                      {"UNKNOWN,RDYINP,KCM,AMP,VMXINT,CONS,SPAREAMP,MANUAL,ANYGNDFLT,ZONEMEAS,ZONEGNDFLT", 0x7FF}};
  for (const Row& row : rows) {
    fault->SetColumnText(4, QLatin1String(row.reply));
    EXPECT_EQ(fault->GetValue(4), row.bits) << row.reply;
  }
}

TEST(CFaultTest, DisplayConsoleTexts) {
  auto doc = NewProject();
  CFault* fault = Fault(*doc);
  EXPECT_EQ(Column(*fault, 6), "");
  fault->SetValue(2, 0);
  EXPECT_EQ(Column(*fault, 6), "All Consoles");
  MakeTerminal(*doc, DT_CONSOLE, 3, CAT_CONSOLES, QStringLiteral("Desk"));
  fault->SetValue(2, 3);
  EXPECT_EQ(Column(*fault, 6), "Desk");
  fault->SetValue(2, 9);
  EXPECT_EQ(Column(*fault, 6), "9 *");
  fault->SetValue(2, -7);
  EXPECT_EQ(fault->GetValue(2), -1);
}

TEST(CFaultTest, SourcesAreMaskedAndTheLatchIsAFlag) {
  auto doc = NewProject();
  CFault* fault = Fault(*doc);
  fault->SetValue(0, 0x180);
  EXPECT_EQ(Column(*fault, 0), "MANUAL,ANYGNDFLT");
  fault->SetValue(0, 0xF800 | 0x001);
  EXPECT_EQ(fault->GetValue(0), 0x001);
  fault->SetValue(1, 5);
  EXPECT_EQ(fault->GetValue(1), 1);
}

TEST(CFaultTest, LinesAndAnswers) {
  auto doc = NewProject();
  CFault* fault = Fault(*doc);
  fault->SetValue(0, 0x028);
  fault->SetValue(1, 1);
  fault->SetValue(2, 4);
  RecordingLink link;
  EXPECT_EQ(fault->Download(false, -1), 3);
  for (int step = 0; step < 3; ++step) EXPECT_EQ(fault->Download(false, step), step + 1);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/FAULT/SOURCES AMP,CONS", "/FAULT/LATCH ON", "/FAULT/DISPLAY 4"}));
  fault->SetValue(0, 0);
  fault->SetValue(2, -1);
  fault->Download(false, 0);
  fault->Download(false, 2);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/FAULT/SOURCES NONE", "/FAULT/DISPLAY OFF"}));

  QString errors;
  EXPECT_TRUE(fault->Upload(QStringLiteral("FAULT/SOURCES KCM,MANUAL"), errors, LINKMODE_UPLOAD));
  EXPECT_TRUE(fault->Upload(QStringLiteral("FAULT/DISPLAY ALL"), errors, LINKMODE_UPLOAD));
  EXPECT_TRUE(fault->Upload(QStringLiteral("FAULT/LATCH OFF"), errors, LINKMODE_UPLOAD));
  EXPECT_FALSE(fault->Upload(QStringLiteral("FAULT/DISPLAY somewhere"), errors, LINKMODE_UPLOAD));
  EXPECT_EQ(fault->GetValue(0), 0x084);
  EXPECT_EQ(fault->GetValue(2), 0);
  EXPECT_EQ(fault->GetValue(1), 0);
}

TEST(CFaultTest, ProjectFileKeepsTheValues) {
  auto doc = NewProject();
  CFault* fault = Fault(*doc);
  for (int i = 0; i < 4; ++i) fault->SetValue(i, i == 0 ? 0x3 : i == 2 ? 5 : 1);
  fault->SetColumnText(4, QStringLiteral("AMP"));
  auto loaded = RoundTrip(*doc);
  CFault* copy = Fault(*loaded);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetValue(0), 0x3);
  EXPECT_EQ(copy->GetValue(1), 1);
  EXPECT_EQ(copy->GetValue(2), 5);
  EXPECT_EQ(copy->GetValue(3), 1);
  EXPECT_EQ(copy->GetValue(4), 0x8);
}

}  // namespace
