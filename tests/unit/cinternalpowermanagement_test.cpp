// The power management: the eight download lines (references as
// identifiers), the clamps, the references kept as connections with
// placeholders created on demand, uploads that take only what the unit may
// set and never lose a link to a bad identifier, and the three schemas of
// the record.
#include "unit/cinternalpowermanagement.h"
#include "link/linkmode.h"
#include "macros/cmacro.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "unitmoduletest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace {

using Power = CInternalPowerManagement;

std::unique_ptr<CSelvantisDoc> PowerManagementLoadOld(int schema, std::function<void(CArchive&)> extra) {
  return LoadOldModule<Power>(DT_POWERMANAGEMENT, schema, std::move(extra));
}

class CInternalPowerManagementTest : public UnitModuleTest<Power> {
 protected:
  Power*& power = module;
};

TEST_F(CInternalPowerManagementTest, DownloadsEightLinesWithIdentifiers) {
  EXPECT_EQ(power->Download(false, -1), 8);
  EXPECT_EQ(DownloadAll(false),
            (QStringList{"/POWER/BATT_PRIO 70", "/POWER/MAINS_PRIO 30", "/POWER/MAINS_COND 0", "/POWER/BOOT_MAC 0",
                         "/POWER/SHUT_MAC 0", "/POWER/DROP_SHUT NO", "/POWER/BATT_AVLBL NO", "/POWER/SHUT_PRIO 0"}));
  power->SetParam(Power::P_MAINS_COND, 5);
  power->SetParam(Power::P_BOOT_MAC, 12);
  power->SetParam(Power::P_SHUT_MAC, 13);
  power->SetParam(Power::P_DROP_SHUT, 1);
  power->SetParam(Power::P_BATT_AVLBL, 1);
  power->SetParam(Power::P_SHUT_PRIO, 40);
  doc.GetIDManager().FindBaseDevice(12, DT_MACRO)->SetName(QStringLiteral("Boot"));
  EXPECT_EQ(DownloadAll(false), (QStringList{"/POWER/BATT_PRIO 70", "/POWER/MAINS_PRIO 30", "/POWER/MAINS_COND 5",
                                             "/POWER/BOOT_MAC 12", "/POWER/SHUT_MAC 13", "/POWER/DROP_SHUT YES",
                                             "/POWER/BATT_AVLBL YES", "/POWER/SHUT_PRIO 40"}));
  const QStringList queries = DownloadAll(true);
  ASSERT_EQ(queries.size(), 8);
  EXPECT_EQ(queries[2], "/POWER/MAINS_COND ?");
  EXPECT_EQ(queries[7], "/POWER/SHUT_PRIO ?");
  link.SetOutBufferCount(512);
  for (int step = 0; step < 8; ++step) EXPECT_EQ(power->Download(false, step), step);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CInternalPowerManagementTest, PrioritiesAreClampedAndFlagsStoredAsZeroOrOne) {
  struct Row {
    int code;
    int value;
    int stored;
    const char* text;
  };
  const Row rows[] = {{Power::P_BATT_PRIO, 300, 255, "255"}, {Power::P_MAINS_PRIO, -1, 0, "0"},
                      {Power::P_SHUT_PRIO, -5, 0, "0"},      {Power::P_SHUT_PRIO, 128, 128, "128"},
                      {Power::P_DROP_SHUT, 5, 1, "YES"},     {Power::P_BATT_AVLBL, -7, 1, "YES"},
                      {Power::P_BATT_AVLBL, 0, 0, "NO"}};
  for (const Row& row : rows) {
    power->SetParam(row.code, row.value);
    EXPECT_EQ(power->GetParam(row.code), row.stored) << row.code << " " << row.value;
    EXPECT_EQ(power->GetParamText(row.code), row.text) << row.code << " " << row.value;
  }
  power->SetParam(5, 9);  // no parameter
  EXPECT_EQ(power->GetParam(5), 0);
  EXPECT_EQ(power->GetParamText(5), "");
}

TEST_F(CInternalPowerManagementTest, MissingMacroIsCreatedAndLinked) {
  ASSERT_EQ(doc.GetIDManager().FindBaseDevice(12, DT_MACRO), nullptr);
  power->SetParam(Power::P_BOOT_MAC, 12);
  CBaseDevice* macro = doc.GetIDManager().FindBaseDevice(12, DT_MACRO);
  ASSERT_NE(macro, nullptr);
  EXPECT_EQ(macro->GetName(), "12 *");
  EXPECT_EQ(macro->GetCategory(), CAT_MACROS);
  EXPECT_EQ(power->GetParam(Power::P_BOOT_MAC), 12);
  EXPECT_EQ(power->GetParamText(Power::P_BOOT_MAC), "12 *");
  // From the macro's output 0 to input 1, recorded at both ends.
  const ConnectionRecord* in = power->FindInputConnection(Power::kPinBootMacro);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->pPeer, macro);
  EXPECT_EQ(in->nPeerPin, 0);
  EXPECT_EQ(in->nPeerCategory, CAT_MACROS);
  const ConnectionRecord* out = macro->FindOutputConnection(0);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->pPeer, power);
  EXPECT_EQ(out->nPeerPin, Power::kPinBootMacro);
  EXPECT_EQ(out->nPeerCategory, CAT_MODULES);

  // The same identifier again changes nothing.
  doc.SetModifiedFlag(false);
  power->SetParam(Power::P_BOOT_MAC, 12);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(power->GetInputConnections().size(), 1u);

  // 0 unlinks; the macro stays in the project.
  power->SetParam(Power::P_BOOT_MAC, 0);
  EXPECT_EQ(power->GetParam(Power::P_BOOT_MAC), 0);
  EXPECT_EQ(power->GetParamText(Power::P_BOOT_MAC), "");
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(12, DT_MACRO), macro);
  EXPECT_TRUE(macro->GetOutputConnections().empty());
}

TEST_F(CInternalPowerManagementTest, MissingConditionIsCreatedAsAPlaceholder) {
  power->SetParam(Power::P_MAINS_COND, 7);
  CBaseDevice* condition = doc.GetIDManager().FindBaseDevice(7, DT_CONDITION);
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(condition->GetKind(), 34129);
  EXPECT_EQ(condition->GetCategory(), CAT_ENTRIES);
  EXPECT_EQ(condition->GetName(), "7 *");
  EXPECT_EQ(power->GetParam(Power::P_MAINS_COND), 7);
  // An existing condition is linked, not made again.
  power->SetParam(Power::P_MAINS_COND, 0);
  const int conditions = doc.GetIDManager().GetCount(DT_CONDITION);
  power->SetParam(Power::P_MAINS_COND, 7);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_CONDITION), conditions);
  EXPECT_EQ(power->GetParam(Power::P_MAINS_COND), 7);
  // The shut-down macro has its own pin.
  power->SetParam(Power::P_SHUT_MAC, 7);
  EXPECT_EQ(power->GetParam(Power::P_SHUT_MAC), 7);
  EXPECT_EQ(power->GetParam(Power::P_MAINS_COND), 7);
  EXPECT_EQ(power->GetParam(Power::P_BOOT_MAC), 0);
}

TEST_F(CInternalPowerManagementTest, UploadTakesOnlyWhatTheUnitMaySet) {
  power->SetParam(Power::P_MAINS_COND, 3);
  Route(QStringLiteral("/POWER/BATT_PRIO 300"));
  EXPECT_EQ(power->GetParam(Power::P_BATT_PRIO), 255);
  Route(QStringLiteral("/POWER/MAINS_PRIO 12"));
  EXPECT_EQ(power->GetParam(Power::P_MAINS_PRIO), 12);
  Route(QStringLiteral("/POWER/MAINS_COND OFF"));
  EXPECT_EQ(power->GetParam(Power::P_MAINS_COND), 0);
  Route(QStringLiteral("/POWER/SHUT_MAC 20"));
  EXPECT_EQ(power->GetParam(Power::P_SHUT_MAC), 20);
  EXPECT_NE(doc.GetIDManager().FindBaseDevice(20, DT_MACRO), nullptr);
  // Not taken from the unit.
  Route(QStringLiteral("/POWER/SHUT_PRIO 5"));
  Route(QStringLiteral("/POWER/DROP_SHUT YES"));
  Route(QStringLiteral("/POWER/BATT_AVLBL YES"));
  EXPECT_EQ(power->GetParam(Power::P_SHUT_PRIO), 0);
  EXPECT_EQ(power->GetParam(Power::P_DROP_SHUT), 0);
  EXPECT_EQ(power->GetParam(Power::P_BATT_AVLBL), 0);
  // Echoes, other modes and values without a number.
  Route(QStringLiteral("/POWER/BATT_PRIO ?"));
  Route(QStringLiteral("/POWER/BATT_PRIO 1"), LINKMODE_NORMAL);
  Route(QStringLiteral("/POWER/MAINS_PRIO abc"));
  Route(QStringLiteral("/POWER/SHUT_MAC off"));
  EXPECT_EQ(power->GetParam(Power::P_BATT_PRIO), 255);
  EXPECT_EQ(power->GetParam(Power::P_MAINS_PRIO), 12);
  EXPECT_EQ(power->GetParam(Power::P_SHUT_MAC), 20);
}

TEST_F(CInternalPowerManagementTest, BadIdentifierKeepsTheOldLink) {
  power->SetParam(Power::P_BOOT_MAC, 12);
  const int macros = doc.GetIDManager().GetCount(DT_MACRO);
  const int objects = doc.GetTotalObjectCount();
  MessageRecorder messages;
  for (const char* line : {"/POWER/BOOT_MAC 999", "/POWER/BOOT_MAC -3", "/POWER/BOOT_MAC 251"}) {
    Route(QString::fromLatin1(line));
    EXPECT_EQ(power->GetParam(Power::P_BOOT_MAC), 12) << line;
  }
  power->SetParam(Power::P_MAINS_COND, 4);
  power->SetParam(Power::P_MAINS_COND, 1000);
  EXPECT_EQ(power->GetParam(Power::P_MAINS_COND), 4);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_MACRO), macros);
  EXPECT_EQ(doc.GetTotalObjectCount(), objects + 1);  // only condition 4
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CInternalPowerManagementTest, ReferencesSurviveTheProjectFile) {
  power->SetParam(Power::P_MAINS_COND, 5);
  power->SetParam(Power::P_BOOT_MAC, 12);
  power->SetParam(Power::P_SHUT_MAC, 13);
  power->SetParam(Power::P_BATT_PRIO, 1);
  power->SetParam(Power::P_MAINS_PRIO, 2);
  power->SetParam(Power::P_SHUT_PRIO, 3);
  power->SetParam(Power::P_BATT_AVLBL, 1);
  EXPECT_EQ(OwnRecord(*power), Int32s({1, 2, 3, 0, 1}));
  auto back = RoundTrip(doc);
  Power* loaded = Power::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  const int codes[] = {0, 1, 2, 3, 4, 6, 7, 8};
  for (int code : codes) EXPECT_EQ(loaded->GetParam(code), power->GetParam(code)) << code;
  EXPECT_EQ(loaded->GetParamText(Power::P_BOOT_MAC), "12 *");
}

TEST(CInternalPowerManagementSchemaTest, OlderRecordsKeepTheDefaultsTheyLack) {
  auto one = PowerManagementLoadOld(1, nullptr);
  Power* p1 = Power::Find(one.get());
  ASSERT_NE(p1, nullptr);
  EXPECT_EQ(p1->GetParam(Power::P_BATT_PRIO), 70);
  EXPECT_EQ(p1->GetParam(Power::P_MAINS_PRIO), 30);

  auto two = PowerManagementLoadOld(2, [](CArchive& ar) { ar << int32_t(11) << int32_t(22); });
  Power* p2 = Power::Find(two.get());
  ASSERT_NE(p2, nullptr);
  EXPECT_EQ(p2->GetParam(Power::P_BATT_PRIO), 11);
  EXPECT_EQ(p2->GetParam(Power::P_MAINS_PRIO), 22);
  EXPECT_EQ(p2->GetParam(Power::P_SHUT_PRIO), 0);
  EXPECT_EQ(p2->GetParam(Power::P_DROP_SHUT), 0);
  EXPECT_EQ(p2->GetParam(Power::P_BATT_AVLBL), 0);

  // A damaged schema-3 record: values out of range are brought into it.
  auto three =
      PowerManagementLoadOld(3, [](CArchive& ar) { ar << int32_t(11) << int32_t(999) << int32_t(33) << int32_t(5) << int32_t(0); });
  Power* p3 = Power::Find(three.get());
  ASSERT_NE(p3, nullptr);
  EXPECT_EQ(p3->GetParam(Power::P_BATT_PRIO), 11);
  EXPECT_EQ(p3->GetParam(Power::P_MAINS_PRIO), 255);
  EXPECT_EQ(p3->GetParam(Power::P_SHUT_PRIO), 33);
  EXPECT_EQ(p3->GetParam(Power::P_DROP_SHUT), 1);
  EXPECT_EQ(p3->GetParam(Power::P_BATT_AVLBL), 0);
}

}  // namespace
