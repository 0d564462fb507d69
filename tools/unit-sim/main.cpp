// The simulated central unit as a program: prints the pseudo-terminal path a
// person can point the application at and runs until it is stopped.
//   unit-sim [--paced] [--baud N] [--no-echo] [--verbose] [PATH=VALUE ...]
// --verbose prints every line received and, paced, how well the application
// keeps to the unit's flow control whenever that changes.
#include "everyfamily.h"
#include "unitsimulator.h"
#include "zonetesthandlers.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  UnitSimulator sim;
  // Every family of commands the simulator knows, and the zone test of the
  // service windows.
  RegisterTransferFamilies(sim);
  RegisterZoneTestHandlers(sim);
  bool verbose = false;
  sim.SetPaced(false);
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == QLatin1String("--paced")) {
      sim.SetPaced(true);
    } else if (arg == QLatin1String("--no-echo")) {
      sim.SetEcho(false);
    } else if (arg == QLatin1String("--verbose")) {
      verbose = true;
    } else if (arg == QLatin1String("--baud") && i + 1 < argc) {
      bool ok = false;
      const int baud = QString::fromLocal8Bit(argv[++i]).toInt(&ok);
      if (!ok || baud <= 0) {
        std::fprintf(stderr, "unit-sim: --baud needs a positive number\n");
        return 2;
      }
      sim.SetLineRate(baud);
    } else if (arg.startsWith(QLatin1Char('/')) && arg.contains(QLatin1Char('='))) {
      const int eq = arg.indexOf(QLatin1Char('='));
      sim.SetValue(arg.left(eq), arg.mid(eq + 1));
    } else {
      std::fprintf(stderr, "usage: unit-sim [--paced] [--baud N] [--no-echo] [--verbose] [/PATH=VALUE ...]\n");
      return 2;
    }
  }
  QString error;
  if (!sim.Start(&error)) {
    std::fprintf(stderr, "unit-sim: cannot open a pseudo-terminal: %s\n", error.toLocal8Bit().constData());
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::printf("%s\n", sim.PtyPath().toLocal8Bit().constData());
  std::fflush(stdout);
  UnitSimulator::FlowStats told;
  while (!g_stop) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // The log is cleared as it goes, so a long run does not grow.
    const QStringList lines = sim.ReceivedLines();
    sim.ClearLog();
    if (!verbose) continue;
    for (const QString& line : lines) std::printf("> %s\n", line.toLatin1().constData());
    const UnitSimulator::FlowStats flow = sim.Flow();
    if (flow.xoffs != told.xoffs || flow.maxAfterXoff != told.maxAfterXoff || flow.maxBacklog != told.maxBacklog ||
        flow.lost != told.lost) {
      std::printf(
          "! flow: %d XOFF, at most %d characters after one, backlog at most %d, buffer at most %d, %lld lost\n",
          flow.xoffs, flow.maxAfterXoff, flow.maxBacklog, flow.maxBuffered, static_cast<long long>(flow.lost));
      told = flow;
    }
    std::fflush(stdout);
  }
  sim.Stop();
  return 0;
}
