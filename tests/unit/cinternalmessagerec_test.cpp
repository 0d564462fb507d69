// The message recorder's settings: defaults, the maximum-time clamp, the two
// exact quality texts (one with the Latin-1 byte 0xB5), message positions
// outside the list, the name list of older and current records, and no part
// in transfers.
#include "unit/cinternalmessagerec.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"
#include "unitmoduletest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace {

using Rec = CInternalMessageRec;

std::unique_ptr<CSelvantisDoc> LoadOld(int schema, std::function<void(CArchive&)> extra) {
  return LoadOldModule<Rec>(DT_MESSAGEREC, schema, std::move(extra));
}

QStringList Names(const Rec& recorder) {
  QStringList names;
  recorder.ListChoices(Rec::P_NAME, &names);
  return names;
}

class CInternalMessageRecTest : public UnitModuleTest<Rec> {
 protected:
  Rec*& recorder = module;
};

TEST_F(CInternalMessageRecTest, NewObjectHasTheDefaults) {
  EXPECT_EQ(recorder->GetParam(Rec::P_INPUT), 1);
  EXPECT_EQ(recorder->GetParam(Rec::P_FILE), 1);
  EXPECT_EQ(recorder->GetParam(Rec::P_OUTPUT), 1);
  EXPECT_EQ(recorder->GetParamText(Rec::P_MAXTIME), "0.0");
  EXPECT_EQ(recorder->GetParamText(Rec::P_QUALITY), "20KHZ LINEAR");
  const QStringList names = Names(*recorder);
  ASSERT_EQ(names.size(), 25);
  EXPECT_EQ(names.first(), "Play message 1");
  EXPECT_EQ(names.last(), "Play message 25");
  EXPECT_EQ(recorder->GetPath(), "/RECORDER");
}

TEST_F(CInternalMessageRecTest, AccessorsByCode) {
  recorder->SetParam(Rec::P_INPUT, 2);
  recorder->SetParam(Rec::P_OUTPUT, 77);  // no range check
  recorder->SetParam(9, 5);               // no such parameter
  EXPECT_EQ(recorder->GetParamText(Rec::P_INPUT), "IN2");
  EXPECT_EQ(recorder->GetParamText(Rec::P_OUTPUT), "77");
  EXPECT_EQ(recorder->GetParamText(7), "");
  EXPECT_EQ(recorder->GetParam(9), 0);
  EXPECT_FLOAT_EQ(recorder->GetParamFloat(3), 0.0f);
}

TEST_F(CInternalMessageRecTest, MaximumTimeIsClamped) {
  recorder->SetParamFloat(Rec::P_MAXTIME, -3.0f);
  EXPECT_EQ(recorder->GetParamText(Rec::P_MAXTIME), "0.0");
  recorder->SetParamFloat(Rec::P_MAXTIME, 500.0f);
  EXPECT_EQ(recorder->GetParamText(Rec::P_MAXTIME), "360.4");
  recorder->SetParamFloat(Rec::P_MAXTIME, 12.25f);
  EXPECT_EQ(recorder->GetParamText(Rec::P_MAXTIME), "12.2");
  recorder->SetParamFloat(Rec::P_INPUT, 3.0f);  // not a float parameter
  EXPECT_EQ(recorder->GetParam(Rec::P_INPUT), 1);
}

TEST_F(CInternalMessageRecTest, QualityTakesOnlyTheTwoExactTexts) {
  EXPECT_FALSE(recorder->SetParamText(Rec::P_QUALITY, QStringLiteral("20khz linear")));
  EXPECT_FALSE(recorder->SetParamText(Rec::P_QUALITY, QStringLiteral("10KHZ U-LAW")));
  EXPECT_FALSE(recorder->SetParamText(Rec::P_QUALITY, QString::fromLatin1("10khz \xb5-law")));
  EXPECT_EQ(recorder->GetParamText(Rec::P_QUALITY), "20KHZ LINEAR");
  EXPECT_TRUE(recorder->SetParamText(Rec::P_QUALITY, QString::fromLatin1("10KHZ \xb5-LAW")));
  EXPECT_EQ(recorder->GetParamText(Rec::P_QUALITY).toLatin1(), QByteArray("10KHZ \xb5-LAW"));

  // In the file it is the single byte 0xB5, and it reads back equal.
  const QByteArray bytes = SaveProject(doc);
  EXPECT_TRUE(
      bytes.contains(QByteArray("\x0b"
                                "10KHZ \xb5-LAW")));
  auto back = LoadProject(bytes);
  EXPECT_EQ(Rec::Find(back.get())->GetParamText(Rec::P_QUALITY), Rec::QualityMuLaw());
}

TEST_F(CInternalMessageRecTest, PositionsOutsideTheListAreRefused) {
  EXPECT_TRUE(recorder->SetParamText(Rec::NameCode(Rec::P_SET_NAME, 3), QStringLiteral("Evacuation")));
  EXPECT_EQ(recorder->GetParamText(Rec::NameCode(Rec::P_NAME, 3)), "Evacuation");
  const QStringList before = Names(*recorder);
  for (int position : {25, 30, 0xFFFF}) {
    EXPECT_FALSE(recorder->SetParamText(Rec::NameCode(Rec::P_SET_NAME, position), QStringLiteral("X"))) << position;
    EXPECT_EQ(recorder->GetParamText(Rec::NameCode(Rec::P_NAME, position)), "") << position;
  }
  EXPECT_EQ(Names(*recorder), before);
  EXPECT_EQ(recorder->GetParamText(Rec::NameCode(Rec::P_NAME, 24)), "Play message 25");
}

TEST_F(CInternalMessageRecTest, ListChoicesAppendsTheNamesOnlyForCodeOne) {
  EXPECT_EQ(recorder->ListChoices(Rec::P_NAME, nullptr), 0);
  QStringList list{"first", "second"};
  EXPECT_EQ(recorder->ListChoices(Rec::P_NAME, &list), 27);
  EXPECT_EQ(list.at(2), "Play message 1");
  EXPECT_EQ(recorder->ListChoices(Rec::P_QUALITY, &list), 27);
}

TEST_F(CInternalMessageRecTest, TakesNoPartInTransfers) {
  EXPECT_EQ(recorder->Download(false, -1), 0);
  EXPECT_EQ(recorder->Download(false, 0), 0);
  EXPECT_EQ(recorder->Download(true, 3), 3);
  EXPECT_TRUE(link.Lines().isEmpty());
  EXPECT_FALSE(Route(QStringLiteral("/RECORDER/INPUT 3")));
  EXPECT_EQ(recorder->GetParam(Rec::P_INPUT), 1);
}

TEST_F(CInternalMessageRecTest, TwentyFiveNamesAndTheSettingsSurviveTheFile) {
  for (int i = 0; i < 25; ++i)
    recorder->SetParamText(Rec::NameCode(Rec::P_SET_NAME, i), QStringLiteral("Msg %1").arg(i));
  recorder->SetParam(Rec::P_INPUT, 4);
  recorder->SetParam(Rec::P_OUTPUT, 0);
  recorder->SetParam(Rec::P_FILE, 17);
  recorder->SetParamFloat(Rec::P_MAXTIME, 99.5f);
  auto back = RoundTrip(doc);
  Rec* loaded = Rec::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Names(*loaded), Names(*recorder));
  EXPECT_EQ(loaded->GetParam(Rec::P_INPUT), 4);
  EXPECT_EQ(loaded->GetParam(Rec::P_OUTPUT), 0);
  EXPECT_EQ(loaded->GetParam(Rec::P_FILE), 17);
  EXPECT_EQ(loaded->GetParamText(Rec::P_MAXTIME), "99.5");
}

TEST(CInternalMessageRecSchemaTest, TenNamesOfAnOldRecordReplaceTheFirstDefaults) {
  QStringList ten;
  for (int i = 1; i <= 10; ++i) ten << QStringLiteral("Old %1").arg(i);
  auto doc = LoadOld(2, [ten](CArchive& ar) {
    ar << ten << int32_t(2) << int32_t(3) << int32_t(4) << 12.5f << QStringLiteral("20KHZ LINEAR");
  });
  Rec* recorder = Rec::Find(doc.get());
  ASSERT_NE(recorder, nullptr);
  QStringList names = Names(*recorder);
  ASSERT_EQ(names.size(), 25);
  EXPECT_EQ(names.mid(0, 10), ten);
  EXPECT_EQ(names.at(10), "Play message 11");
  EXPECT_EQ(names.at(24), "Play message 25");
  EXPECT_EQ(names.removeDuplicates(), 0);
  EXPECT_EQ(recorder->GetParam(Rec::P_INPUT), 2);
  EXPECT_EQ(recorder->GetParam(Rec::P_OUTPUT), 3);
  EXPECT_EQ(recorder->GetParam(Rec::P_FILE), 4);
  EXPECT_EQ(recorder->GetParamText(Rec::P_MAXTIME), "12.5");
}

TEST(CInternalMessageRecSchemaTest, SchemaOneKeepsTheDefaults) {
  auto doc = LoadOld(1, nullptr);
  Rec* recorder = Rec::Find(doc.get());
  ASSERT_NE(recorder, nullptr);
  EXPECT_EQ(Names(*recorder).at(0), "Play message 1");
  EXPECT_EQ(recorder->GetParam(Rec::P_INPUT), 1);
  EXPECT_EQ(recorder->GetParamText(Rec::P_QUALITY), "20KHZ LINEAR");
}

TEST(CInternalMessageRecSchemaTest, DamagedValuesFallBackIntoRange) {
  QStringList many;
  for (int i = 1; i <= 30; ++i) many << QStringLiteral("N%1").arg(i);
  auto doc = LoadOld(2, [many](CArchive& ar) {
    ar << many << int32_t(1) << int32_t(1) << int32_t(1) << 9999.0f << QStringLiteral("32KHZ");
  });
  Rec* recorder = Rec::Find(doc.get());
  ASSERT_NE(recorder, nullptr);
  EXPECT_EQ(Names(*recorder), many.mid(0, 25));
  EXPECT_EQ(recorder->GetParamText(Rec::P_MAXTIME), "360.4");
  EXPECT_EQ(recorder->GetParamText(Rec::P_QUALITY), "20KHZ LINEAR");
}

}  // namespace
