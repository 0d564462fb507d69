// The serial link's throughput and routing cost.
//   DownloadToPacedUnit: a project of 5,000 lines downloaded to the simulated
//     unit at 19200 baud; line_use is the share of the line's 1,920
//     characters a second that the download used until the unit had taken
//     the last character (the quiet second the protocol waits afterwards is
//     not counted).
//   RouteReplyLines: 1,000 reply lines cut and routed to their objects
//     through the document, per iteration.
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/iserialport.h"
#include "link/linkmode.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "unitsimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// An object with n values under "/BENCH<id>".
class BenchDevice final : public CBaseDevice {
  SELV_DECLARE_SERIAL(BenchDevice)
 public:
  BenchDevice() { m_nType = DT_MEMOFLAG; }
  QString BuildCommandPath() const override { return Fmt("/BENCH%d", m_nID); }
  int Download(bool bQuery, int nStep) override {
    if (nStep < 0) return m_values.size();
    return SendStep(bQuery, nStep, GetPath(), Fmt("/V%d", nStep), m_values[nStep]);
  }
  bool Upload(const QString& line, QString&, int) override {
    QString key, value;
    if (!SplitUploadLine(line, &key, &value)) return false;
    ++m_taken;
    return true;
  }
  QStringList m_values;
  int m_taken = 0;
};

BenchDevice* AddDevice(CSelvantisDoc& doc, int id, int count) {
  auto device = std::make_unique<BenchDevice>();
  for (int i = 0; i < count; ++i) device->m_values << Fmt("%d", i * 7);
  if (!device->CreateWithID(0, Fmt("Bench %d", id), id, CAT_MISC, &doc)) return nullptr;
  return doc.Adopt(std::move(device));
}

// A port in memory: nothing goes anywhere.
class NullPort final : public ISerialPort {
 public:
  bool Open(const QString&, const QString&, QString*) override { return m_open = true; }
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  bool Output(const QByteArray&) override { return m_open; }
  QByteArray Input() override { return QByteArray(); }
  int InBufferCount() const override { return 0; }
  int OutBufferCount() const override { return 0; }
  bool WaitForInput(int) override { return false; }
  bool WaitForOutput(int) override { return false; }
  void SetHandlers(ReceiveHandler, ErrorHandler) override {}

 private:
  bool m_open = false;
};

class QuietSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override { return CMessageSink::DefaultAnswer(request.style); }
};

void DownloadToPacedUnit(benchmark::State& state) {
  QTemporaryDir dir;
  CProfile::UseIniFile(dir.filePath("profile.ini"));
  QuietSink sink;
  CMessageSink::Install(&sink);
  UnitSimulator sim;
  sim.SetPaced(true);
  sim.Start();
  CProfile::WriteString("COMSECTION", "Port", sim.PtyPath());
  CSelvantisDoc doc;
  int lines = 0;
  for (int id = 1; id <= 50; ++id) {
    AddDevice(doc, id, 100);
    lines += 100;
  }
  CCommLink link;
  DeviceLinkScope scope(&link);
  if (!link.Connect(&doc)) {
    state.SkipWithError("no connection to the simulated unit");
    return;
  }
  for (auto _ : state) {
    QThread::msleep(200);
    sim.ClearLog();
    const qint64 before = sim.CharsReceived();
    qint64 chars = 0;
    for (CBaseDevice* object : doc.GetAllObjects()) {
      auto* device = static_cast<BenchDevice*>(object);
      for (int i = 0; i < device->m_values.size(); ++i)
        chars += Fmt("%s/V%d %s\r\n", device->GetPath().toLatin1().constData(), i,
                     device->m_values[i].toLatin1().constData())
                     .size();
    }
    chars += QByteArray("/MACRO/LOCK ON\r\n").size();
    QElapsedTimer timer;
    timer.start();
    qint64 lineDoneMs = -1;
    CTransfer transfer;
    transfer.SetProgressHandler([&](int, int) {
      if (lineDoneMs < 0 && sim.CharsReceived() - before >= chars) lineDoneMs = timer.elapsed();
    });
    const auto result = transfer.DownloadProject(doc);
    // Until the unit had taken the last character of the download.
    while (sim.CharsReceived() - before < chars && timer.elapsed() < 600000) QThread::msleep(1);
    if (lineDoneMs < 0) lineDoneMs = timer.elapsed();
    const qint64 totalMs = timer.elapsed();
    if (result != CTransfer::Result::Done) state.SkipWithError("the download did not complete");
    state.counters["lines"] = lines;
    state.counters["chars"] = static_cast<double>(chars);
    state.counters["line_ms"] = static_cast<double>(lineDoneMs);
    state.counters["total_ms"] = static_cast<double>(totalMs);
    state.counters["line_use_pct"] = 100.0 * chars / (lineDoneMs / 1000.0) / 1920.0;
    // The busier direction's share of the line's 1,920 characters a second.
    state.counters["ratio"] = chars / (lineDoneMs / 1000.0) / 1920.0;
  }
  link.Disconnect();
  sim.Stop();
  CMessageSink::Install(nullptr);
  CProfile::UseIniFile(QString());
}
BENCHMARK(DownloadToPacedUnit)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

//   UploadFromPacedUnit: the same project uploaded; ratio is the busier
//     direction's characters (the echoes and answers coming back) over the
//     whole upload, as a share of 1,920 a second.
void UploadFromPacedUnit(benchmark::State& state) {
  QTemporaryDir dir;
  CProfile::UseIniFile(dir.filePath("profile.ini"));
  QuietSink sink;
  CMessageSink::Install(&sink);
  UnitSimulator sim;
  sim.SetPaced(true);
  sim.Start();
  CProfile::WriteString("COMSECTION", "Port", sim.PtyPath());
  CSelvantisDoc doc;
  for (int id = 1; id <= 20; ++id) AddDevice(doc, id, 100);
  for (int id = 1; id <= 20; ++id)
    for (int i = 0; i < 100; ++i) sim.SetValue(Fmt("/BENCH%d/V%d", id, i), Fmt("%d", i * 7));
  CCommLink link;
  DeviceLinkScope scope(&link);
  if (!link.Connect(&doc)) {
    state.SkipWithError("no connection to the simulated unit");
    return;
  }
  for (auto _ : state) {
    QThread::msleep(200);
    const qint64 in0 = sim.CharsReceived();
    const qint64 out0 = sim.CharsSent();
    QElapsedTimer timer;
    timer.start();
    CTransfer transfer;
    const auto result = transfer.UploadProject(doc);
    const double seconds = timer.elapsed() / 1000.0;
    if (result != CTransfer::Result::Done) state.SkipWithError("the upload did not complete");
    const double toUnit = static_cast<double>(sim.CharsReceived() - in0);
    const double fromUnit = static_cast<double>(sim.CharsSent() - out0);
    state.counters["chars_to_unit"] = toUnit;
    state.counters["chars_from_unit"] = fromUnit;
    state.counters["total_ms"] = seconds * 1000.0;
    state.counters["ratio"] = qMax(toUnit, fromUnit) / seconds / 1920.0;
  }
  link.Disconnect();
  sim.Stop();
  CMessageSink::Install(nullptr);
  CProfile::UseIniFile(QString());
}
BENCHMARK(UploadFromPacedUnit)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void RouteReplyLines(benchmark::State& state) {
  CSelvantisDoc doc;
  std::vector<BenchDevice*> devices;
  for (int id = 1; id <= 100; ++id) devices.push_back(AddDevice(doc, id, 10));
  CCommLink link(std::make_unique<NullPort>());
  link.Port().Open(QString(), QString(), nullptr);
  link.SetDocument(&doc);
  link.SetLinkMode(state.range(0));
  QByteArray chunk;
  for (int i = 0; i < 1000; ++i) chunk += Fmt("/BENCH%d/V%d %d\r\n", i % 100 + 1, i % 10, i).toLatin1();
  // Received in pieces of 64 bytes, as a serial port hands them over.
  std::vector<QByteArray> pieces;
  for (int pos = 0; pos < chunk.size(); pos += 64) pieces.push_back(chunk.mid(pos, 64));
  for (auto _ : state) {
    for (const QByteArray& piece : pieces) link.HandleIncoming(piece);
    if (state.range(0) == LINKMODE_COMMANDLIST) link.ClearReplyList();
  }
  state.SetItemsProcessed(state.iterations() * 1000);
  int taken = 0;
  for (BenchDevice* device : devices) taken += device->m_taken;
  state.counters["routed"] = taken;
}
BENCHMARK(RouteReplyLines)->Arg(LINKMODE_NORMAL)->Arg(LINKMODE_COMMANDLIST)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
