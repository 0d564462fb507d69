// How long a click on a switch button of the editor host takes until the
// window it names is painted, for every window of the host, with the link
// not connected (target: well under 100 ms for the slowest, so that the
// host never seems to freeze).
#include "editors/lists/entryframecommands.h"
#include "link/ccommlink.h"
#include "link/idevicelink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QToolBar>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The button on the bars of frame that switches to kind, or null.
QAction* SwitchButton(QWidget* frame, HostFrameKind kind) {
  const HostFrameSwitch* target = FindHostFrameSwitchByKind(kind);
  if (!frame || !target) return nullptr;
  const QString full = EntryFrameCommands::SwitchText(target->command);
  const QString status = full.section(QLatin1Char('\n'), 0, 0);
  for (QToolBar* bar : frame->findChildren<QToolBar*>())
    for (QAction* action : bar->actions())
      if (action->text() == full || action->text() == status) return action;
  return nullptr;
}

// A window whose bar has a button for kind (not kind itself).
HostFrameKind OriginOf(CFrameHostDialog& host, HostFrameKind kind) {
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    if (s.kind == kind) continue;
    host.ShowFrame(s.kind);
    if (SwitchButton(host.GetFrame(), kind)) return s.kind;
  }
  return kind;
}

void BM_FrameSwitch(benchmark::State& state, HostFrameKind kind) {
  // A profile of its own: the host keeps its size there.
  QTemporaryDir profileDir;
  CProfile::UseIniFile(profileDir.filePath(QStringLiteral("profile.ini")));
  CCommLink link;  // not connected, as on a desk without the unit
  DeviceLinkScope scope(&link);
  CSelvantisDoc doc;
  doc.OnNewDocument();
  doc.SetUpgradeFlag(1);  // the larger unit: every window may open
  SetActiveDoc(&doc);
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
      QAction* button = SwitchButton(host.GetFrame(), kind);
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
  SetActiveDoc(nullptr);
  CProfile::UseIniFile(QString());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    benchmark::RegisterBenchmark((std::string("BM_FrameSwitch/") + s.frameClass).c_str(), BM_FrameSwitch, s.kind)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
