// The widths of the text fields the unit and the program exchange, and the
// one helper that cleans a text and cuts it to its field.
#include "model/replytext.h"
#include "model/cselvantisdoc.h"
#include "modeltestdevices.h"
#include "support/hostiletext.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

#include <algorithm>

using ReplyText::TextField;

TEST(ReplyTextTest, EveryFieldIsCleanedAndCutToItsWidth) {
  const struct {
    TextField field;
    int width;
  } rows[] = {
      {TextField::Name, 32},           {TextField::LcdText, 16},
      {TextField::BuzzerPattern, 16},  {TextField::ControllerTitle, 16},
      {TextField::ControllerUnit, 16}, {TextField::FaultText, 16},
      {TextField::ZoneIgnore, 32},     {TextField::MonitorKind, 16},
      {TextField::RangeList, 499},
  };
  const QString hostile = HostileText();
  ASSERT_EQ(hostile.size(), 308);
  for (const auto& row : rows) {
    EXPECT_EQ(ReplyText::Width(row.field), row.width);
    EXPECT_EQ(ReplyText::Field(hostile, row.field), HostileTextCut(row.width)) << row.width;
    EXPECT_EQ(HostileTextCut(row.width).size(), std::min(row.width, 308));
  }
  // "POSTOL,NEGTOL,GNDFLT,OVF_U,OVF_I", every fault the line test ignores.
  EXPECT_EQ(ReplyText::Field(QStringLiteral("POSTOL,NEGTOL,GNDFLT,OVF_U,OVF_I"), TextField::ZoneIgnore),
            QStringLiteral("POSTOL,NEGTOL,GNDFLT,OVF_U,OVF_I"));
}

TEST(ReplyTextTest, ShortAndEmptyTextsPassWholeAndEveryControlCharacterBecomesABlank) {
  EXPECT_EQ(ReplyText::Field(QStringLiteral("Hall"), TextField::Name), QStringLiteral("Hall"));
  EXPECT_EQ(ReplyText::Field(QString(), TextField::LcdText), QString());
  EXPECT_EQ(ReplyText::Field(QStringLiteral("abc"), 0), QString());
  EXPECT_EQ(ReplyText::Field(QStringLiteral("abc"), -3), QString());
  QString all;
  for (int c = 0; c < 0x20; ++c) all += QChar(c);
  all += QChar(0x7F);
  EXPECT_EQ(ReplyText::Clean(all), QString(0x21, QChar(' ')));
  // Latin-1 letters above the control range are text.
  EXPECT_EQ(ReplyText::Clean(QStringLiteral("10KHZ \u00B5-LAW \u00E4")), QStringLiteral("10KHZ \u00B5-LAW \u00E4"));
}

TEST(ReplyTextTest, ANameMadeUniqueStaysWithinItsWidth) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  const QString full(ReplyText::kNameChars, QChar('N'));
  AddTestObject(doc, DT_ZONE, CAT_ZONES, full);
  AddTestObject(doc, DT_ZONE, CAT_ZONES, full.left(30) + "_1");
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Zone");
  EXPECT_TRUE(zone->SetUniqueName(full + "tail", false, ReplyText::kNameChars));
  EXPECT_EQ(zone->GetName(), full.left(30) + "_2");
  // Without a width the suffix is added as before.
  EXPECT_TRUE(zone->SetUniqueName(full, false));
  EXPECT_EQ(zone->GetName(), full + "_1");
  EXPECT_TRUE(zone->SetUniqueName(QStringLiteral("Foyer"), false, ReplyText::kNameChars));
  EXPECT_EQ(zone->GetName(), QStringLiteral("Foyer"));
  EXPECT_TRUE(messages.Requests().empty());
}
