// Extended card data: the eight entries in the project file, texts cut to
// their fields, and the clear line that is its only download.

#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"
#include "support/recordinglink.h"
#include "unit/ckcmex.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

CKCMEx* AddData(CSelvantisDoc& doc) {
  auto data = std::make_unique<CKCMEx>();
  if (!data->CreateWithID(0, QStringLiteral("Card data"), 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(data));
}

CKCMEx* DataOf(CSelvantisDoc& doc) { return dynamic_cast<CKCMEx*>(doc.GetIDManager().FindBaseDevice(1, DT_KCMEX)); }

CKCMEx::Entry FullEntry(int i) {
  CKCMEx::Entry e;
  e.longText.Set(QStringLiteral("Entry %1 long..........").arg(i));  // cut to 15
  e.shortText.Set(QStringLiteral("S%1xyz").arg(i));                  // cut to 5
  for (int v = 0; v < CKCMEx::kValueCount; ++v) e.values[size_t(v)] = uint16_t(0x8000 + i * 16 + v);
  return e;
}

// Writes a record as another program might have: base record, then the
// entries with the given texts.
class DataStandIn final : public CBaseDevice {
 public:
  explicit DataStandIn(std::function<void(CArchive&)> body) : m_body(std::move(body)) { SetType(DT_KCMEX); }
  const char* GetClassName() const override { return "CKCMEx"; }
  void Serialize(CArchive& ar) override {
    CBaseDevice::Serialize(ar);
    m_body(ar);
  }

 private:
  std::function<void(CArchive&)> m_body;
};

TEST(CKCMExTest, NewProjectHasNone) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  EXPECT_EQ(DataOf(doc), nullptr);
}

TEST(CKCMExTest, ProjectFileKeepsTheEightEntries) {
  CSelvantisDoc doc;
  CKCMEx* data = AddData(doc);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->GetPath(), QStringLiteral("/KCM/DATA"));
  for (int i = 0; i < CKCMEx::kEntryCount; ++i) ASSERT_TRUE(data->SetEntry(i, FullEntry(i)));
  EXPECT_FALSE(data->SetEntry(8, FullEntry(0)));

  auto back = RoundTrip(doc);
  CKCMEx* loaded = DataOf(*back);
  ASSERT_NE(loaded, nullptr);
  for (int i = 0; i < CKCMEx::kEntryCount; ++i) {
    const CKCMEx::Entry& e = loaded->GetEntry(i);
    EXPECT_EQ(e.longText.Get(), QStringLiteral("Entry %1 long..........").arg(i).left(15)) << i;
    EXPECT_EQ(e.shortText.Get(), QStringLiteral("S%1xyz").arg(i).left(5)) << i;
    EXPECT_EQ(e.values, FullEntry(i).values) << i;
  }
  // The work state is not stored: it is in reset state after loading.
  EXPECT_EQ(loaded->GetWorkValue(0), -1);
  EXPECT_EQ(loaded->GetWorkValue(1), -1);
  for (uint8_t b : loaded->GetWorkTable(1)) ASSERT_EQ(b, 0xFF);
}

TEST(CKCMExTest, OverlongTextsFromAFileAreCut) {
  CSelvantisDoc doc;
  auto old = std::make_unique<DataStandIn>([](CArchive& ar) {
    for (int i = 0; i < CKCMEx::kEntryCount; ++i) {
      ar << QString(20, QLatin1Char('L')) << QStringLiteral("SHORT+3");
      for (int v = 0; v < CKCMEx::kValueCount; ++v) ar << uint16_t(i * 10 + v);
    }
  });
  ASSERT_TRUE(old->CreateWithID(0, QStringLiteral("data"), 1, CAT_MODULES, &doc));
  doc.Adopt(std::move(old));
  auto back = RoundTrip(doc);
  CKCMEx* loaded = DataOf(*back);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetEntry(0).longText.Get(), QString(15, QLatin1Char('L')));
  EXPECT_EQ(loaded->GetEntry(0).shortText.Get(), QStringLiteral("SHORT"));
  EXPECT_EQ(loaded->GetEntry(7).values[8], 78);  // later fields still in step
}

TEST(CKCMExTest, DownloadSendsOnlyTheClearLine) {
  RecordingLink link;
  CSelvantisDoc doc;
  CKCMEx* data = AddData(doc);
  ASSERT_NE(data, nullptr);
  data->SetEntry(2, FullEntry(2));

  EXPECT_EQ(data->Download(false, -1), 0);
  EXPECT_TRUE(link.Lines().isEmpty());
  EXPECT_EQ(data->Download(false, 0), 1);
  EXPECT_EQ(link.Lines(), QStringList{"/KCM/DATA/CLEAR ALL"});
  EXPECT_EQ(data->GetEntry(2), FullEntry(2));
  EXPECT_EQ(data->Download(true, 3), 3);
  EXPECT_EQ(link.Lines().size(), 1);

  link.SetOutBufferCount(600);
  EXPECT_EQ(data->Download(true, 0), 0);
  EXPECT_EQ(link.Lines().size(), 1);
  EXPECT_EQ(data->GetEntry(2), FullEntry(2));

  link.SetOutBufferCount(0);
  link.Clear();
  EXPECT_EQ(data->Download(true, 0), 1);
  EXPECT_EQ(link.Lines(), QStringList{" ?"});  // shortened: the path repeats
  EXPECT_EQ(data->GetEntry(2), CKCMEx::Entry{});
  EXPECT_EQ(data->GetWorkValue(1), -1);
  EXPECT_EQ(data->Reset(), -1);

  CKCMEx loose;  // no path: sends nothing
  link.Clear();
  EXPECT_EQ(loose.Download(false, 0), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST(CKCMExTest, RepliesChangeNothing) {
  CSelvantisDoc doc;
  CKCMEx* data = AddData(doc);
  ASSERT_NE(data, nullptr);
  data->SetEntry(0, FullEntry(0));
  QString errorFile;
  doc.RouteReplyLine(QStringLiteral("/KCM/DATA/CLEAR 1"), errorFile, 7);
  doc.RouteReplyLine(QStringLiteral("/KCM/DATA/CLEAR ?"), errorFile, 7);
  EXPECT_EQ(data->GetEntry(0), FullEntry(0));
}

}  // namespace
