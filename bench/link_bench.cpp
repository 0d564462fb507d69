// The serial link's throughput and routing cost.
//   DownloadToPacedUnit: the every-family project at the size of a full
//     installation (about 2,400 lines) downloaded to the simulated unit at
//     19200 baud. ratio is the share of the line's 1,920 characters a
//     second that the download used until the unit had taken its last
//     character; done_ratio the same until the transfer was done (every
//     line confirmed, then the quiet second the protocol waits).
//     after_xoff_max is the most characters that reached the unit after one
//     of its XOFFs, lost what overflowed its receive buffer.
//   DownloadToStrictUnit: the same download to a unit with a small receive
//     buffer (512 characters, XOFF above 128, XON below 32) that takes 2 ms
//     for each line, so that it holds the line often; the same counters.
//   UploadFromPacedUnit: the same project uploaded (about 5,700 queries).
//     ratio is the busier direction's characters (the unit's echoes and
//     answers) over the whole upload, as a share of 1,920 a second; where
//     the time goes: echo_pct and answer_pct of the unit's sending, and
//     held_pct, the share of the time the unit held the program's output
//     with XOFF (its sending is the limit, so it takes queries only as fast
//     as it can answer them).
//   RouteReplyLines: 1,000 reply lines cut and routed to their objects
//     through the document, per iteration.
#include "everyfamilyproject.h"
#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/iserialport.h"
#include "link/linkmode.h"
#include "link/linkprofile.h"
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

constexpr double kLineCharsPerSecond = 1920.0;

// The link on the paced simulated unit with the every-family project, for
// the length of one benchmark.
class PacedSession final {
 public:
  PacedSession() {
    CProfile::UseIniFile(m_dir.filePath("profile.ini"));
    CMessageSink::Install(&m_sink);
    TeachEveryFamily(m_sim);
    m_sim.SetPaced(true);
    m_sim.Start();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, m_sim.PtyPath());
    FillEveryFamilyProject(m_doc, EveryFamilySize::Full);
    m_doc.SetPathName(m_dir.filePath("every-family.sxm"));
    m_connected = m_link.Connect(&m_doc);
  }
  ~PacedSession() {
    m_link.Disconnect();
    m_sim.Stop();
    CMessageSink::Install(nullptr);
    CProfile::UseIniFile(QString());
  }
  bool Connected() const { return m_connected; }
  // Lets the connection's last echoes come.
  void Settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300) {
      QCoreApplication::processEvents();
      QThread::msleep(5);
    }
  }

  UnitSimulator& Sim() { return m_sim; }
  CSelvantisDoc& Doc() { return m_doc; }

 private:
  QTemporaryDir m_dir;
  QuietSink m_sink;
  UnitSimulator m_sim;
  CSelvantisDoc m_doc;
  CCommLink m_link;
  DeviceLinkScope m_scope{&m_link};
  bool m_connected = false;
};

void Download(benchmark::State& state, const UnitSimulator::Limits& limits) {
  PacedSession session;
  session.Sim().SetLimits(limits);
  if (!session.Connected()) {
    state.SkipWithError("no connection to the simulated unit");
    return;
  }
  UnitSimulator& sim = session.Sim();
  const QStringList lines = CCommandFile::CollectDownload(session.Doc());
  qint64 chars = QByteArray("/MACRO/LOCK ON\r\n").size();
  for (const QString& line : lines) chars += line.size() + 2;
  for (auto _ : state) {
    session.Settle();
    sim.ResetFlowStats();
    const qint64 before = sim.CharsReceived();
    QElapsedTimer timer;
    timer.start();
    qint64 lineDoneMs = -1;
    CTransfer transfer;
    transfer.SetProgressHandler([&](int, int) {
      if (lineDoneMs < 0 && sim.CharsReceived() - before >= chars) lineDoneMs = timer.elapsed();
    });
    const auto result = transfer.DownloadProject(session.Doc());
    const qint64 doneMs = timer.elapsed();
    if (lineDoneMs < 0) lineDoneMs = doneMs;
    if (result != CTransfer::Result::Done) state.SkipWithError("the download did not complete");
    state.counters["lines"] = lines.size();
    state.counters["chars"] = static_cast<double>(chars);
    state.counters["line_ms"] = static_cast<double>(lineDoneMs);
    state.counters["done_ms"] = static_cast<double>(doneMs);
    state.counters["ratio"] = chars / (lineDoneMs / 1000.0) / kLineCharsPerSecond;
    state.counters["done_ratio"] = chars / (doneMs / 1000.0) / kLineCharsPerSecond;
    state.counters["xoffs"] = sim.Flow().xoffs;
    state.counters["after_xoff_max"] = sim.Flow().maxAfterXoff;
    state.counters["lost"] = static_cast<double>(sim.Flow().lost);
  }
}

void DownloadToPacedUnit(benchmark::State& state) { Download(state, UnitSimulator::Limits()); }
BENCHMARK(DownloadToPacedUnit)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void DownloadToStrictUnit(benchmark::State& state) { Download(state, UnitSimulator::Limits{512, 128, 32, 2}); }
BENCHMARK(DownloadToStrictUnit)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void UploadFromPacedUnit(benchmark::State& state) {
  PacedSession session;
  if (!session.Connected()) {
    state.SkipWithError("no connection to the simulated unit");
    return;
  }
  UnitSimulator& sim = session.Sim();
  // The unit holds the project.
  sim.Preload(CCommandFile::CollectDownload(session.Doc()));
  for (auto _ : state) {
    session.Settle();
    sim.ResetFlowStats();
    const qint64 in0 = sim.CharsReceived();
    const qint64 out0 = sim.CharsSent();
    QElapsedTimer timer;
    timer.start();
    CTransfer transfer;
    const auto result = transfer.UploadProject(session.Doc());
    const double seconds = timer.elapsed() / 1000.0;
    if (result != CTransfer::Result::Done) state.SkipWithError("the upload did not complete");
    const double toUnit = static_cast<double>(sim.CharsReceived() - in0);
    const double fromUnit = static_cast<double>(sim.CharsSent() - out0);
    // The unit echoes every query as it came: the rest of its sending is
    // answers.
    const double answers = fromUnit - toUnit;
    state.counters["chars_to_unit"] = toUnit;
    state.counters["chars_from_unit"] = fromUnit;
    state.counters["total_ms"] = seconds * 1000.0;
    state.counters["ratio"] = qMax(toUnit, fromUnit) / seconds / kLineCharsPerSecond;
    state.counters["echo_pct"] = 100.0 * toUnit / fromUnit;
    state.counters["answer_pct"] = 100.0 * answers / fromUnit;
    state.counters["held_pct"] = 100.0 * sim.Flow().heldMs / (seconds * 1000.0);
    state.counters["xoffs"] = sim.Flow().xoffs;
  }
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
