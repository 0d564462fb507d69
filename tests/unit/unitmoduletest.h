#ifndef SELV_TESTS_UNIT_UNITMODULETEST_H
#define SELV_TESTS_UNIT_UNITMODULETEST_H

#include "link/linkmode.h"
#include "model/carchive.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"
#include "support/recordinglink.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

// Fixture of the tests of one of the unit's module objects (fuses, audio
// settings, pilot tone, power management, message recorder), which every
// new project holds once: the project, the module as Module::Find gives it,
// and a recording link.
//
//   class CFuseTest : public UnitModuleTest<CFuse> {
//    protected:
//     CFuse*& fuse = module;
//   };
template <class Module>
class UnitModuleTest : public testing::Test {
 protected:
  void SetUp() override {
    doc.OnNewDocument();
    module = Module::Find(&doc);
    ASSERT_NE(module, nullptr);
  }

  // Every step of a download (or query), in order, and the lines they sent;
  // each step must move on by one.
  QStringList DownloadAll(bool bQuery) {
    link.Clear();
    const int count = module->Download(bQuery, -1);
    for (int step = 0; step < count; ++step) {
      const int next = module->Download(bQuery, step);
      EXPECT_EQ(next, step + 1);
      if (next != step + 1) break;
    }
    return link.TakeLines();
  }

  // A reply line from the unit, routed as the link routes it in mode.
  bool Route(const QString& line, int mode = LINKMODE_UPLOAD) {
    QString errorFile;
    return doc.RouteReplyLine(line, errorFile, mode);
  }

  CSelvantisDoc doc;
  RecordingLink link;
  Module* module = nullptr;
};

// A module record as an older program version wrote it: the base record,
// then what extra writes, with the class tag's schema set to schema. The
// module is created under identifier 1 with Module's kind and class name.
template <class Module>
std::unique_ptr<CSelvantisDoc> LoadOldModule(int type, int schema, std::function<void(CArchive&)> extra) {
  class OldRecord final : public CBaseDevice {
   public:
    OldRecord(int recordType, std::function<void(CArchive&)> write) : m_extra(std::move(write)) { SetType(recordType); }
    const char* GetClassName() const override { return Module::kClassName; }
    void Serialize(CArchive& ar) override {
      CBaseDevice::Serialize(ar);
      if (m_extra) m_extra(ar);
    }

   private:
    std::function<void(CArchive&)> m_extra;
  };
  CSelvantisDoc doc;
  auto old = std::make_unique<OldRecord>(type, std::move(extra));
  EXPECT_TRUE(old->CreateWithID(Module::kKind, QString::fromLatin1(Module::kClassName), 1, CAT_MODULES, &doc));
  doc.Adopt(std::move(old));
  QByteArray bytes = SaveProject(doc);
  EXPECT_TRUE(PatchSchema(bytes, Module::kClassName, schema));
  return LoadProject(bytes);
}

#endif
