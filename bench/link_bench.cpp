// The serial link's throughput and routing cost.
//   DownloadToPacedUnit: the every-family project at the size of a full
//     installation (about 2,400 lines) downloaded to the simulated unit at
//     19200 baud. ratio is the share of the line's 1,920 characters a
//     second that the download used until the unit had taken its last
//     character; done_ratio the same until the transfer was done (every
//     line confirmed, then the quiet second the protocol waits).
//     lines_per_s is the lines the unit echoed per second until the last
//     echo came.
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
//   DownloadToFastUnit/<baud>: the same download to a simulated unit that
//     answers at once, on a line set to 115,200, 460,800 or 4,000,000 baud:
//     what the program's own loop makes of a line that hardly makes it
//     wait. lines_per_s is the lines the unit echoed per second, from the
//     start until the last echo came; cpu_pct the program's processor time
//     (its own thread, not the simulator's) over that time.
//   DownloadThroughMemoryPort: the same download through the real link on
//     a port in memory that echoes every line from the event loop, as a
//     port does: no wire, no simulator, only the program's own work; the
//     same counters.
//   RouteReplyLines: 1,000 reply lines cut and routed to their objects
//     through the document, per iteration.
#include "everyfamilyproject.h"
#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "link/linkprofile.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "support/quietport.h"
#include "unitsimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>
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

class QuietSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override { return CMessageSink::DefaultAnswer(request.style); }
};

constexpr double kLineCharsPerSecond = 1920.0;

// A port in memory whose far end echoes every line as it came and answers
// the identity queries; what it sends is handed over from the event loop,
// as a port does.
class EchoPort final : public QuietPort {
 public:
  bool Output(const QByteArray& bytes) override {
    if (!m_open) return false;
    m_line += bytes;
    for (int end = m_line.indexOf('\n'); end >= 0; end = m_line.indexOf('\n')) {
      QByteArray line = m_line.left(end);
      m_line.remove(0, end + 1);
      if (line.endsWith('\r')) line.chop(1);
      if (line.isEmpty()) continue;
      m_input += line + "\r\n";
      if (line == "/SERVICE/DEVID ?") m_input += "/SERVICE/DEVID 4711\r\n";
      if (line == "/SERVICE/VER ?") m_input += "/SERVICE/VER V1.0\r\n";
    }
    if (!m_input.isEmpty() && !m_posted) {
      m_posted = true;
      QTimer::singleShot(0, &m_context, [this] {
        m_posted = false;
        if (!m_input.isEmpty() && m_onReceive) m_onReceive();
      });
    }
    return true;
  }
  QByteArray Input() override {
    QByteArray bytes;
    bytes.swap(m_input);
    return bytes;
  }
  int InBufferCount() const override { return static_cast<int>(m_input.size()); }
  bool WaitForInput(int ms) override {
    if (m_input.isEmpty() || !m_onReceive) {
      QThread::msleep(static_cast<unsigned long>(qBound(0, ms, 1)));
      return false;
    }
    m_onReceive();
    return true;
  }

 private:
  bool m_posted = false;
  QByteArray m_line;
  QByteArray m_input;
  QObject m_context;
};

// How a session reaches its unit.
struct Line {
  bool paced = true;    // the simulated unit at its line's pace
  int baud = 19200;     // the program's line setting
  bool memory = false;  // a port in memory (EchoPort) in place of the simulator
};

// The processor time of the calling thread (the program's, not the
// simulator's), in milliseconds.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The link on the simulated unit (or a port in memory) with the
// every-family project, for the length of one benchmark.
class PacedSession final {
 public:
  explicit PacedSession(const Line& line = Line()) {
    CProfile::UseIniFile(m_dir.filePath("profile.ini"));
    CMessageSink::Install(&m_sink);
    const QString settings = QStringLiteral("%1,n,8,1").arg(line.baud);
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kSettings, settings);
    FillEveryFamilyProject(m_doc, EveryFamilySize::Full);
    m_doc.SetPathName(m_dir.filePath("every-family.sxm"));
    if (line.memory) {
      m_link = std::make_unique<CCommLink>(std::make_unique<EchoPort>());
      m_scope = std::make_unique<DeviceLinkScope>(m_link.get());
      m_connected = m_link->ConnectPort(QStringLiteral("memory"), settings, &m_doc);
      return;
    }
    TeachEveryFamily(m_sim);
    m_sim.SetPaced(line.paced);
    m_sim.Start();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, m_sim.PtyPath());
    m_link = std::make_unique<CCommLink>();
    m_scope = std::make_unique<DeviceLinkScope>(m_link.get());
    m_connected = m_link->Connect(&m_doc);
  }
  ~PacedSession() {
    m_link->Disconnect();
    m_scope.reset();
    m_link.reset();
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
  std::unique_ptr<CCommLink> m_link;
  std::unique_ptr<DeviceLinkScope> m_scope;
  bool m_connected = false;
};

void Download(benchmark::State& state, const Line& line, const UnitSimulator::Limits& limits) {
  PacedSession session(line);
  session.Sim().SetLimits(limits);
  if (!session.Connected()) {
    state.SkipWithError("no connection to the unit");
    return;
  }
  UnitSimulator& sim = session.Sim();
  const QStringList lines = CCommandFile::CollectDownload(session.Doc());
  qint64 chars = QByteArray("/MACRO/LOCK ON\r\n").size();
  for (const QString& text : lines) chars += text.size() + 2;
  for (auto _ : state) {
    session.Settle();
    sim.ResetFlowStats();
    const qint64 before = sim.CharsReceived();
    QElapsedTimer timer;
    timer.start();
    const double cpu0 = ThreadCpuMs();
    qint64 lineDoneMs = -1;
    qint64 echoedMs = -1;
    double echoedCpuMs = 0;
    CTransfer transfer;
    transfer.SetProgressHandler([&](int done, int total) {
      if (!line.memory && lineDoneMs < 0 && sim.CharsReceived() - before >= chars) lineDoneMs = timer.elapsed();
      if (echoedMs < 0 && total > 0 && done >= total) {
        echoedMs = timer.elapsed();
        echoedCpuMs = ThreadCpuMs() - cpu0;
      }
    });
    const auto result = transfer.DownloadProject(session.Doc());
    const qint64 doneMs = timer.elapsed();
    if (lineDoneMs < 0) lineDoneMs = doneMs;
    if (echoedMs <= 0) {
      echoedMs = doneMs;
      echoedCpuMs = ThreadCpuMs() - cpu0;
    }
    if (result != CTransfer::Result::Done) state.SkipWithError("the download did not complete");
    state.counters["lines"] = lines.size();
    state.counters["chars"] = static_cast<double>(chars);
    state.counters["line_ms"] = static_cast<double>(lineDoneMs);
    state.counters["done_ms"] = static_cast<double>(doneMs);
    state.counters["echoed_ms"] = static_cast<double>(echoedMs);
    state.counters["lines_per_s"] = lines.size() / (static_cast<double>(qMax<qint64>(1, echoedMs)) / 1000.0);
    state.counters["cpu_pct"] = 100.0 * echoedCpuMs / static_cast<double>(qMax<qint64>(1, echoedMs));
    if (line.memory) continue;
    state.counters["ratio"] = chars / (lineDoneMs / 1000.0) / kLineCharsPerSecond;
    state.counters["done_ratio"] = chars / (doneMs / 1000.0) / kLineCharsPerSecond;
    state.counters["xoffs"] = sim.Flow().xoffs;
    state.counters["after_xoff_max"] = sim.Flow().maxAfterXoff;
    state.counters["lost"] = static_cast<double>(sim.Flow().lost);
  }
}

void DownloadToPacedUnit(benchmark::State& state) { Download(state, Line(), UnitSimulator::Limits()); }
BENCHMARK(DownloadToPacedUnit)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void DownloadToStrictUnit(benchmark::State& state) { Download(state, Line(), UnitSimulator::Limits{512, 128, 32, 2}); }
BENCHMARK(DownloadToStrictUnit)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void DownloadToFastUnit(benchmark::State& state) {
  Download(state, Line{false, static_cast<int>(state.range(0)), false}, UnitSimulator::Limits());
}
BENCHMARK(DownloadToFastUnit)
    ->Arg(115200)
    ->Arg(460800)
    ->Arg(4000000)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void DownloadThroughMemoryPort(benchmark::State& state) {
  Download(state, Line{false, 460800, true}, UnitSimulator::Limits());
}
BENCHMARK(DownloadThroughMemoryPort)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond)->UseRealTime();

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
  // A port in memory: nothing goes anywhere.
  CCommLink link(std::make_unique<QuietPort>());
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
