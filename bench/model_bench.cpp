// Project-file speed on a maximal project (every identifier pool that a real
// project fills, about 3,000 objects and 10,000 connections) and the speed of
// the reply routing, and of file names taken from the system and given back.
// Targets: save and load under 50 ms each, 10,000 reply lines routed under
// 10 ms, 2,000,000 random byte names there and back under 2 s.
#include "model/carchive.h"
#include "model/cbasedevice.h"
#include "model/cfilename.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

// A model object with a record of the size the real classes write.
class CBenchDevice final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CBenchDevice)
 public:
  CBenchDevice() = default;
  explicit CBenchDevice(int type) { m_nType = type; }

  void Serialize(CArchive& ar) override {
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
      for (int32_t v : m_values) ar << v;
      ar << m_text;
    } else {
      for (int32_t& v : m_values) ar >> v;
      ar >> m_text;
    }
  }
  bool Upload(const QString& line, QString& errorFilePath, int mode) override {
    (void)errorFilePath;
    (void)mode;
    QString key, value;
    if (!SplitUploadLine(line, &key, &value)) return false;
    ++m_uploads;
    return true;
  }

  int32_t m_values[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  QString m_text = QStringLiteral("Bench text of moderate length");
  int m_uploads = 0;
};

}  // namespace

SELV_IMPLEMENT_SERIAL(CBenchDevice, 1)

namespace {

struct PoolFill {
  int type;
  int category;
};

// Types whose pools a large installation fills, and the list they live in.
const PoolFill kFills[] = {
    {DT_AMPLIFIER, CAT_AMPLIFIERS},     {DT_ZONE, CAT_ZONES},         {DT_GROUP, CAT_GROUPS},
    {DT_CONSOLE, CAT_CONSOLES},         {DT_MACRO, CAT_MACROS},       {DT_CONDITION, CAT_ENTRIES},
    {DT_LOGICOUT, CAT_ENTRIES},         {DT_MEMOFLAG, CAT_ENTRIES},   {DT_TRIGGER, CAT_ENTRIES},
    {DT_CONTROLPAD, CAT_ENTRIES},       {DT_RELAY, CAT_MISC},         {DT_LANGROUP, CAT_MISC},
    {DT_RELAYTOPOLOGY, CAT_TOPOLOGIES}, {DT_READYINPUT, CAT_ENTRIES}, {DT_KCM208, CAT_ENTRIES},
    {DT_KCM201, CAT_ENTRIES},           {DT_APPOINT, CAT_CALENDAR},   {DT_HOLIDAY, CAT_CALENDAR},
    {DT_DAYPROG, CAT_CALENDAR},         {DT_VIRTCTRLITEM, CAT_MISC},
};

// Builds the maximal project once; the benchmarks copy it through a file image.
std::unique_ptr<CSelvantisDoc> MakeMaximalProject(int* objectCount, int* connectionCount) {
  auto doc = std::make_unique<CSelvantisDoc>();
  std::vector<CBaseDevice*> all;
  for (const PoolFill& fill : kFills) {
    const int capacity = CIDManager::GetPoolMaxID(fill.type);
    for (int i = 0; i < capacity; ++i) {
      auto object = std::make_unique<CBenchDevice>(fill.type);
      if (!object->Create(0, 4, 4, QString(), QRect(10 * i, 20, 60, 40), fill.category, 0, CBaseDevice::TF_NAME,
                          doc.get()))
        break;
      all.push_back(doc->Adopt(std::move(object)));
    }
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<size_t> pick(0, all.size() - 1);
  std::uniform_int_distribution<int> pin(0, 7);
  int connections = 0;
  for (; connections < 10000; ++connections)
    CBaseDevice::Connect(all[pick(random)], pin(random), all[pick(random)], pin(random));
  *objectCount = static_cast<int>(all.size());
  *connectionCount = connections;
  return doc;
}

const QByteArray& ProjectImage() {
  static QByteArray image;
  if (image.isEmpty()) {
    int objects = 0, connections = 0;
    std::unique_ptr<CSelvantisDoc> doc = MakeMaximalProject(&objects, &connections);
    QBuffer buffer(&image);
    buffer.open(QIODevice::WriteOnly);
    doc->SaveTo(buffer);
  }
  return image;
}

void BM_SaveMaximalProject(benchmark::State& state) {
  int objects = 0, connections = 0;
  std::unique_ptr<CSelvantisDoc> doc = MakeMaximalProject(&objects, &connections);
  int64_t bytes = 0;
  for (auto _ : state) {
    QByteArray image;
    QBuffer buffer(&image);
    buffer.open(QIODevice::WriteOnly);
    const ProjectFileResult result = doc->SaveTo(buffer);
    if (!result.ok) state.SkipWithError("save failed");
    bytes = image.size();
    benchmark::DoNotOptimize(image.data());
  }
  state.counters["objects"] = objects;
  state.counters["connections"] = connections;
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveMaximalProject)->Unit(benchmark::kMillisecond);

void BM_LoadMaximalProject(benchmark::State& state) {
  QByteArray image = ProjectImage();
  CSelvantisDoc doc;
  for (auto _ : state) {
    QBuffer buffer(&image);
    buffer.open(QIODevice::ReadOnly);
    const ProjectFileResult result = doc.LoadFrom(buffer);
    if (!result.ok) state.SkipWithError("load failed");
  }
  state.counters["objects"] = doc.GetTotalObjectCount();
}
BENCHMARK(BM_LoadMaximalProject)->Unit(benchmark::kMillisecond);

void BM_RouteReplyLines(benchmark::State& state) {
  int objects = 0, connections = 0;
  std::unique_ptr<CSelvantisDoc> doc = MakeMaximalProject(&objects, &connections);
  // Replies as the unit sends them: keys under registered paths, and some
  // lines nobody owns.
  QStringList lines;
  std::mt19937 random(11);
  std::uniform_int_distribution<int> which(0, 5);
  for (int i = 0; i < 10000; ++i) {
    const int n = 1 + i % 64;
    switch (which(random)) {
      case 0: lines.append(Fmt("/VMX/ZONE%d/NAME Zone %d", 1 + i % 100, i)); break;
      case 1: lines.append(Fmt("/AMP%d/CHAN2/VOL -12", n)); break;
      case 2: lines.append(Fmt("/CONS/ADR%d/KEY%d SEL,%d", 1 + i % 16, 1 + i % 100, n)); break;
      case 3: lines.append(Fmt("/VMX/LANGRP%d/ZONES 1-5,7", n)); break;
      case 4: lines.append(Fmt("/GROUP%d/ZONES 1,2,3", n)); break;
      default: lines.append(Fmt("/NOBODY/PATH%d 1", n)); break;
    }
  }
  QString errorFile;
  int routed = 0;
  for (auto _ : state) {
    routed = 0;
    for (const QString& line : lines)
      if (doc->RouteReplyLine(line, errorFile, 7)) ++routed;
    benchmark::DoNotOptimize(routed);
  }
  state.counters["lines"] = lines.size();
  state.counters["routed"] = routed;
}
BENCHMARK(BM_RouteReplyLines)->Unit(benchmark::kMillisecond);

// Random names of 1 to 16 bytes (any byte but "/" and NUL), from the
// system and back; every one must come back as it was.
void BM_FileNameRoundTrip(benchmark::State& state) {
  std::mt19937 random(44);
  std::uniform_int_distribution<int> length(1, 16);
  std::uniform_int_distribution<int> byte(1, 255);
  std::vector<QByteArray> names(2000000);
  for (QByteArray& name : names) {
    for (int n = length(random); name.size() < n;) {
      const char c = static_cast<char>(byte(random));
      if (c != '/') name += c;
    }
  }
  for (auto _ : state) {
    int changed = 0;
    for (const QByteArray& name : names) changed += CFileName::ToSystem(CFileName::FromSystem(name)) != name;
    if (changed != 0) state.SkipWithError("a name came back changed");
    benchmark::DoNotOptimize(changed);
  }
  state.counters["names"] = static_cast<double>(names.size());
}
BENCHMARK(BM_FileNameRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
