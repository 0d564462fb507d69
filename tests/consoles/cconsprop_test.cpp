// Console parameters and key sets: the model table, key numbering, the
// parameter texts with their limits, the colour words, and the record with
// its older layouts.

#include "consoletestsupport.h"
#include "model/carchive.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace constest;

namespace {

std::vector<int> Numbers(const std::vector<std::unique_ptr<CConsKey>>& keys) {
  std::vector<int> numbers;
  for (const auto& key : keys) numbers.push_back(key->GetNumber());
  return numbers;
}

QByteArray String(const char* text) {
  QByteArray bytes;
  bytes.append(char(qstrlen(text)));
  bytes.append(text);
  return bytes;
}

// The saved project as an older program wrote it: the console's record
// with the schema and without ON_PRIO (schemas 0..3).
QByteArray AsOldSchema(CSelvantisDoc& doc, CConsole& console, int schema) {
  QByteArray bytes = SaveProject(doc);
  // Prio .. flags: five ints, the two codes, the flags.
  const QByteArray head = OwnRecord(console).left(20 + 5 + 4 + 4);
  const int at = bytes.indexOf(head);
  EXPECT_GE(at, 0);
  if (schema < 4) bytes.remove(at + head.size(), 4);
  EXPECT_TRUE(PatchSchema(bytes, "CConsole", schema));
  return bytes;
}

CConsole* OnlyConsole(CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> consoles;
  doc.GetIDManager().GetBaseDeviceList(consoles, DT_CONSOLE);
  return consoles.size() == 1 ? dynamic_cast<CConsole*>(consoles[0]) : nullptr;
}

}  // namespace

TEST(CConsPropTest, SmallConsoleNumbersItsKeysDownTheColumns) {
  CConsProp prop;
  prop.CreateKeys(CConsProp::RCX6010, nullptr);
  EXPECT_EQ(Numbers(prop.GetProgrammableKeys()), (std::vector<int>{1, 3, 5, 7, 9, 2, 4, 6, 8, 10}));
  EXPECT_EQ(Numbers(prop.GetFixedKeys()),
            (std::vector<int>{102, 101, 103, 106, 104, 107, 105, 108, 112, 111, 110, 109}));
  EXPECT_EQ(prop.GetKeyCount(), 10);
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PASSW), "846,3971");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_TYPE), "RCX6010");
  const struct {
    int code;
    const char* value;
  } defaults[] = {{CConsProp::P_PRIO, "5"},
                  {CConsProp::P_PTTPRIO, "1"},
                  {CConsProp::P_PRECHIME, "0"},
                  {CConsProp::P_BUZZER, "1"},
                  {CConsProp::P_COMP, "0"},
                  {CConsProp::P_GERMAN, "1"},
                  {CConsProp::P_DOSCHAR, "0"},
                  {CConsProp::P_EXT, "0"},
                  {CConsProp::P_ONPRIO, "40"},
                  {CConsProp::P_MODELFLAG, "0"},
                  {9, ""}};
  for (const auto& d : defaults) EXPECT_EQ(prop.GetParamText(d.code), QString::fromLatin1(d.value)) << d.code;
  EXPECT_EQ(prop.FindKey(7)->GetNumber(), 7);
  EXPECT_EQ(prop.GetKeyAt(1)->GetNumber(), 3);
  EXPECT_EQ(prop.GetKeyAt(101)->GetNumber(), 102);
  EXPECT_EQ(prop.FindKey(101), prop.GetKeyAt(102));
  EXPECT_EQ(prop.FindKey(11), nullptr);
  EXPECT_EQ(prop.GetKeyAt(113), nullptr);
  EXPECT_EQ(prop.GetKeyAt(-1), nullptr);
}

TEST(CConsPropTest, ModelsDecideKeysFlagAndExtension) {
  CConsProp prop;
  prop.CreateKeys(CConsProp::RCX6550X, nullptr);
  EXPECT_EQ(prop.GetKeyCount(), 100);
  EXPECT_TRUE(prop.GetModelFlag());
  EXPECT_EQ(prop.GetExt(), CConsProp::EXT_6350);
  std::vector<int> first5;
  for (int i = 0; i < 5; ++i) first5.push_back(prop.GetKeyAt(i)->GetNumber());
  EXPECT_EQ(first5, (std::vector<int>{1, 21, 41, 61, 81}));
  prop.CreateKeys(CConsProp::RCX6106, nullptr);
  EXPECT_EQ(prop.GetKeyCount(), 0);
  EXPECT_TRUE(prop.GetModelFlag());
  EXPECT_EQ(prop.GetFixedKeyCount(), 12);
  prop.CreateKeys(12345, nullptr);
  EXPECT_EQ(prop.GetKeyCount(), 0);
  const struct {
    int model, keys;
  } models[] = {{34000, 10}, {34001, 20}, {34002, 10},  {34003, 20}, {34004, 50}, {34005, 60}, {34006, 70},
                {34007, 60}, {34008, 70}, {34009, 100}, {34318, 30}, {34319, 80}, {34566, 0}};
  for (const auto& m : models) EXPECT_EQ(CConsProp::ModelKeyCount(m.model), m.keys) << m.model;
}

TEST(CConsPropTest, ParameterTextsAreKeptWithinTheirLimits) {
  CConsProp prop;
  prop.CreateKeys(CConsProp::RCX6010, nullptr);
  const struct {
    int code;
    const char* text;
    int readCode;
    const char* expected;
  } rows[] = {
      {CConsProp::P_PRIO, "11", CConsProp::P_PRIO, "2"},
      {CConsProp::P_PRIO, "1", CConsProp::P_PRIO, "2"},
      {CConsProp::P_PRIO, "7", CConsProp::P_PRIO, "7"},
      {CConsProp::P_PASSW, "123,4567", CConsProp::P_SHORTCODE, "123"},
      {CConsProp::P_PASSW, "123,4567", CConsProp::P_LONGCODE, "4567"},
      {CConsProp::P_PASSW, "555", CConsProp::P_SHORTCODE, "555"},
      {CConsProp::P_PASSW, "555", CConsProp::P_LONGCODE, "3971"},
      {CConsProp::P_LONGCODE, "999", CConsProp::P_LONGCODE, "3971"},
      {CConsProp::P_LONGCODE, "1234abc", CConsProp::P_LONGCODE, "3971"},
      {CConsProp::P_LONGCODE, "9999", CConsProp::P_LONGCODE, "9999"},
      {CConsProp::P_SHORTCODE, "1000", CConsProp::P_SHORTCODE, "846"},
      {CConsProp::P_SHORTCODE, "-5", CConsProp::P_SHORTCODE, "846"},
      {CConsProp::P_PTTPRIO, "5", CConsProp::P_PTTPRIO, "1"},
      {CConsProp::P_PTTPRIO, "-1", CConsProp::P_PTTPRIO, "1"},
      {CConsProp::P_PTTPRIO, "2", CConsProp::P_PTTPRIO, "2"},
      {CConsProp::P_EXT, "9", CConsProp::P_EXT, "0"},
      {CConsProp::P_EXT, "3", CConsProp::P_EXT, "3"},
      {CConsProp::P_BUZZER, "5", CConsProp::P_BUZZER, "1"},
      {CConsProp::P_BUZZER, "0", CConsProp::P_BUZZER, "0"},
      {CConsProp::P_BUZZER, "XYZ", CConsProp::P_BUZZER, "0"},
      {CConsProp::P_ONPRIO, "70", CConsProp::P_ONPRIO, "70"},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(prop.SetParamText(row.code, row.text)) << row.code << " " << row.text;
    EXPECT_EQ(prop.GetParamText(row.readCode), QString::fromLatin1(row.expected)) << row.code << " " << row.text;
  }
  for (int code : {1, 2, 8, 9, 10, 18, 254, 255, -1, -6}) EXPECT_FALSE(prop.SetParamText(code, "1")) << code;
  // The PTT priority text is always one of the table's.
  EXPECT_EQ(CConsole::PttPrioText(prop.GetPttPrio()), "EXT");
  EXPECT_EQ(CConsole::PttPrioText(7), "INT");
  EXPECT_EQ(CConsole::ExtText(-1), "OFF");
}

TEST(CConsPropTest, ColourWordsGoByKeyNumber) {
  CConsProp prop;
  prop.CreateKeys(CConsProp::RCX6010, nullptr);
  EXPECT_EQ(prop.FindKey(101)->GetColour(), 0x80000011u);
  EXPECT_EQ(prop.FindKey(102)->GetColour(), 0x80000200u);
  EXPECT_EQ(prop.FindKey(107)->GetColour(), 0x8000041Eu);
  EXPECT_EQ(prop.FindKey(112)->GetColour(), 0x80000820u);
  EXPECT_EQ(prop.FindKey(3)->GetColour(), 0x80007C1Fu);
  // Every fixed key's default function is among those its colour offers.
  const int bitOfType[CConsKey::TYPE_COUNT] = {0,     0x040, 0x080, 0x100, 0x200, 0x400, 0x001, 0x004,
                                               0x008, 0x002, 0x010, 0x020, 0x800, 0x800, 0x800, 0x800};
  for (int position = 0; position < CConsKey::kFixedKeyCount; ++position) {
    const int type = CConsKey::FixedKeyType(position);
    const CConsKey* key = prop.FindKey(CConsKey::FixedKeyNumber(position));
    if (type == CConsKey::DISABLED) continue;
    EXPECT_NE(key->GetAllowedFunctions() & bitOfType[type], 0) << position;
  }
}

TEST(CConsPropTest, DefaultRecordFieldsInOrder) {
  CSelvantisDoc doc;
  CConsole* console = AddConsole(doc);
  const QByteArray record = OwnRecord(*console);
  QByteArray expected = Int32s({5, 1, 34000, 10, 0}) + String("3971") + String("846") + Int32s({0x05, 40});
  EXPECT_TRUE(record.startsWith(expected));
  // Then the ten programmable keys and the twelve fixed keys.
  const QByteArray arrays = record.mid(expected.size());
  EXPECT_EQ(arrays.left(2), QByteArray::fromHex("0a00"));
}

TEST(CConsPropTest, RecordOfAnotherSchemaIsReadAsSchemaThree) {
  CConsProp source;
  source.CreateKeys(CConsProp::RCX6010, nullptr);
  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  {
    CArchive out(&buffer, CArchive::store);
    out << int32_t(7) << int32_t(2) << int32_t(34000) << int32_t(10) << int32_t(0);
    out << QStringLiteral("1234") << QStringLiteral("567") << uint32_t(0x3F);
    out.WriteCount(0);
    out.WriteCount(0);
  }
  buffer.seek(0);
  MessageRecorder messages;
  CConsProp prop;
  CArchive in(&buffer, CArchive::load);
  prop.SerializeData(in, 7);
  EXPECT_TRUE(messages.Saw(34189));
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PRIO), "7");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PASSW), "567,1234");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_ONPRIO), "40");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_DOSCHAR), "1");
  EXPECT_EQ(prop.GetKeyCount(), 0);
}

TEST(CConsPropTest, DamagedValuesAreBroughtIntoRange) {
  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  {
    CArchive out(&buffer, CArchive::store);
    out << int32_t(99) << int32_t(44) << int32_t(34000) << int32_t(55) << int32_t(-3);
    out << QStringLiteral("12x") << QStringLiteral("") << uint32_t(0) << int32_t(40);
    out.WriteCount(0);
    out.WriteCount(0);
  }
  buffer.seek(0);
  CConsProp prop;
  CArchive in(&buffer, CArchive::load);
  prop.SerializeData(in, 4);
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PRIO), "2");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PTTPRIO), "1");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_EXT), "0");
  EXPECT_EQ(prop.GetParamText(CConsProp::P_PASSW), "846,3971");
  // K follows the keys the record holds, not the number it states.
  EXPECT_EQ(prop.GetKeyCount(), 0);
}

TEST(CConsPropTest, TooManyKeysOrADoubleKeyRefuseTheRecord) {
  for (int variant = 0; variant < 2; ++variant) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    CConsKey a(3, nullptr), b(3, nullptr), fixed(101, nullptr);
    {
      CArchive out(&buffer, CArchive::store);
      out << int32_t(5) << int32_t(1) << int32_t(34000) << int32_t(10) << int32_t(0);
      out << QStringLiteral("3971") << QStringLiteral("846") << uint32_t(5) << int32_t(40);
      if (variant == 0) {
        out.WriteCount(2);
        out.WriteObject(&a);
        out.WriteObject(&b);
      } else {
        out.WriteCount(1);
        out.WriteObject(&fixed);  // a fixed key among the programmable ones
      }
      out.WriteCount(0);
    }
    buffer.seek(0);
    CConsProp prop;
    CArchive in(&buffer, CArchive::load);
    EXPECT_THROW(prop.SerializeData(in, 4), CArchiveException) << variant;
  }
}

TEST(CConsPropTest, OlderSchemasConvertAsTheyLoad) {
  MessageRecorder messages;
  {
    CSelvantisDoc doc;
    AddZones(doc, 2);
    for (int i = 0; i < 4; ++i) AddSignal(doc, CAudioSignal::kKindChime);
    CConsole* console = AddConsole(doc);
    console->GetProp().SetParamText(CConsProp::P_ONPRIO, "70");
    console->GetProp().SetParamText(CConsProp::P_DOSCHAR, "1");
    console->GetProp().SetParamText(CConsProp::P_PTTPRIO, "2");
    ASSERT_TRUE(console->FindKey(108)->SetFunctionFromText(CConsKey::TALK, "-1,4,50", true));
    ASSERT_EQ(console->GetProp().GetParamText(CConsProp::P_PRECHIME), "0");

    auto s3 = LoadProject(AsOldSchema(doc, *console, 3));
    CConsole* c3 = OnlyConsole(*s3);
    ASSERT_NE(c3, nullptr);
    EXPECT_EQ(c3->GetProp().GetParamText(CConsProp::P_ONPRIO), "40");
    EXPECT_EQ(c3->GetProp().GetParamText(CConsProp::P_PRECHIME), "1");
    EXPECT_EQ(c3->GetProp().GetParamText(CConsProp::P_DOSCHAR), "1");

    auto s1 = LoadProject(AsOldSchema(doc, *console, 1));
    CConsole* c1 = OnlyConsole(*s1);
    ASSERT_NE(c1, nullptr);
    EXPECT_EQ(c1->GetProp().GetParamText(CConsProp::P_DOSCHAR), "0");
    EXPECT_EQ(c1->GetProp().GetParamText(CConsProp::P_PTTPRIO), "0");

    messages.Clear();
    auto s0 = LoadProject(AsOldSchema(doc, *console, 0));
    ASSERT_NE(OnlyConsole(*s0), nullptr);
    EXPECT_TRUE(messages.Saw(34189));
  }
  {
    CSelvantisDoc doc;
    CConsole* console = AddConsole(doc, CConsProp::RCX6520X);
    console->SetName("Desk");
    messages.Clear();
    auto s2 = LoadProject(AsOldSchema(doc, *console, 2));
    CConsole* c2 = OnlyConsole(*s2);
    ASSERT_NE(c2, nullptr);
    EXPECT_EQ(c2->GetKind(), CConsProp::RCX6520);
    EXPECT_EQ(c2->GetProp().GetParamText(CConsProp::P_TYPE), "RCX6520");
    // The keys stay: only the model changes.
    EXPECT_EQ(c2->GetProp().GetKeyCount(), 70);
    EXPECT_EQ(c2->GetProp().GetParamText(CConsProp::P_EXT), "0");
    ASSERT_TRUE(messages.Saw(34190));
    for (const MessageRequest& r : messages.Requests())
      if (r.id == 34190) {
        EXPECT_EQ(r.text.count("Desk"), 3);
        EXPECT_EQ(r.style & MB_ICONMASK, MB_ICONSTOP);
      }
  }
}
