// How long a click on a switch button of the editor host takes until the
// window it names is painted, for every window of the host, with the link
// not connected and connected to the simulated unit (target: well under
// 100 ms for the slowest, so that the host never seems to freeze; a window
// must not wait for the unit's answers before it shows).
#include "editors/lists/entryframecommands.h"
#include "link/ccommlink.h"
#include "link/idevicelink.h"
#include "link/linkprofile.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QToolBar>

#include "logichandlers.h"
#include "macrohandlers.h"
#include "modulehandlers.h"
#include "monitorhandlers.h"
#include "unitsimulator.h"
#include "zonehandlers.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The button on the bars of a host window (its switch column and its
// frame's bars) that switches to kind, or null.
QAction* SwitchButton(QWidget* host, HostFrameKind kind) {
  const HostFrameSwitch* target = FindHostFrameSwitchByKind(kind);
  if (!host || !target) return nullptr;
  const QString full = EntryFrameCommands::SwitchText(target->command);
  const QString status = full.section(QLatin1Char('\n'), 0, 0);
  for (QToolBar* bar : host->findChildren<QToolBar*>())
    for (QAction* action : bar->actions())
      if (action->text() == full || action->text() == status) return action;
  return nullptr;
}

// A window whose bar has a button for kind (not kind itself).
HostFrameKind OriginOf(CFrameHostDialog& host, HostFrameKind kind) {
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    if (s.kind == kind) continue;
    host.ShowFrame(s.kind);
    if (SwitchButton(&host, kind)) return s.kind;
  }
  return kind;
}

class QuietSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override { return CMessageSink::DefaultAnswer(request.style); }
};

void BM_FrameSwitch(benchmark::State& state, HostFrameKind kind, bool connected) {
  // A profile of its own: the host keeps its size there.
  QTemporaryDir profileDir;
  CProfile::UseIniFile(profileDir.filePath(QStringLiteral("profile.ini")));
  QuietSink sink;
  CMessageSink::Install(&sink);
  UnitSimulator sim;
  for (auto registerFamily : {RegisterLogicHandlers, RegisterMacroHandlers, RegisterModuleHandlers,
                              RegisterMonitorHandlers, RegisterZoneHandlers})
    registerFamily(sim);
  CCommLink link;  // without the unit, as on a desk, or on the simulated one
  DeviceLinkScope scope(&link);
  CSelvantisDoc doc;
  doc.OnNewDocument();
  doc.SetUpgradeFlag(1);  // the larger unit: every window may open
  SetActiveDoc(&doc);
  if (connected) {
    if (!sim.Start()) {
      state.SkipWithError("the simulated unit did not start");
      return;
    }
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    if (!link.Connect(&doc)) {
      state.SkipWithError("no connection to the simulated unit");
      return;
    }
  }
  {
    CFrameHostDialog host(&doc, kind);
    host.resize(1200, 760);
    host.show();
    const HostFrameKind origin = OriginOf(host, kind);
    for (auto _ : state) {
      state.PauseTiming();
      host.ShowFrame(origin);
      host.repaint();
      QApplication::processEvents();
      QAction* button = SwitchButton(&host, kind);
      if (!button) {
        state.ResumeTiming();
        state.SkipWithError("no switch button leads to this window");
        break;
      }
      state.ResumeTiming();
      button->trigger();
      QApplication::processEvents();  // the host swaps the frame
      host.repaint();
    }
    if (host.GetKind() != kind) state.SkipWithError("the click did not bring up the window");
    host.reject();
  }
  link.Disconnect();
  SetActiveDoc(nullptr);
  CMessageSink::Install(nullptr);
  CProfile::UseIniFile(QString());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (const bool connected : {false, true}) {
    for (const HostFrameSwitch& s : kHostFrameSwitches) {
      const std::string name = std::string(connected ? "BM_FrameSwitchOnLine/" : "BM_FrameSwitch/") + s.frameClass;
      benchmark::RegisterBenchmark(name.c_str(), BM_FrameSwitch, s.kind, connected)->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
