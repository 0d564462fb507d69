// Opens the program with a project and saves a picture of one of its windows,
// as a user sees it: test equipment for scripts/screenshot.sh and the user
// guide's pictures, not part of the product.
//
//   show-window [--german] [--upgrade] PROJECT.sxm NAME OUT.png
//
// NAME is one of
//   main                 the main window with the project's drawing, fitted
//   place-menu           the drawing's menu of blocks to place
//   menu:BLOCK           the context menu of the block named BLOCK
//   BLOCK                the dialog or window that the block's "Properties"
//                        opens (the small Macro, Clock, Trigger, Calendar,
//                        Audio, System blocks open the entry lists; Service
//                        the service functions; VMX 7000 the project data)
//   CLASS                an editor or on-line window by its frame class
//                        (CMacroDlgFrm, CClkFrm, CFaultDlgFrm, ...), shown in
//                        the window that hosts the entry lists
//   compare              the differences window of Communication > Compare
//                        with unit, against a simulated unit that holds the
//                        project but for a few settings changed on it
// --german shows the German interface; --upgrade sets the project's central
// unit to the larger variant first (the on-line windows need it).
#include "everyfamily.h"
#include "link/linkprofile.h"
#include "macros/cmacro.h"
#include "model/cbasedevice.h"
#include "model/cfilename.h"
#include "model/commandids.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/ccomparewnd.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "unitsimulator.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

int Fail(const QString& what) {
  std::fprintf(stderr, "show-window: %s\n", qPrintable(what));
  return 1;
}

// Lets the window lay itself out and paint (fonts, pictures, the drawing).
void Settle(int ms = 800) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Save(QWidget* widget, const QString& out) {
  Settle();
  const QPixmap picture = widget->grab();
  if (picture.isNull() || !picture.save(out, "PNG")) return false;
  std::printf("%s: %d x %d\n", qPrintable(out), picture.width(), picture.height());
  return true;
}

// Saves a picture of a menu as it pops up.
bool SaveMenu(QMenu* menu, const QString& out) {
  menu->popup(QPoint(20, 20));
  const bool saved = Save(menu, out);
  menu->close();
  return saved;
}

CBaseDevice* FindBlock(CSelvantisDoc& doc, const QString& name) {
  for (CBaseDevice* object : doc.GetAllObjects())
    if (object->GetName() == name && !object->GetRect().isEmpty()) return object;
  return nullptr;
}

// The block's "Properties" entry of its context menu, or null.
QAction* PropertiesEntry(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    if (action->menu()) {
      if (QAction* found = PropertiesEntry(action->menu())) return found;
      continue;
    }
    const int id = action->data().toInt();
    if ((id == ID_SHOW_PROPERTIES || id == 33005 || id == 33006) && action->isEnabled()) return action;
  }
  return nullptr;
}

// Chooses "Properties" and saves the modal window that comes up.
bool SaveProperties(CSelvantisView& view, CBaseDevice* block, const QString& out) {
  view.SetCurrentObject(block);
  std::unique_ptr<QMenu> menu(view.CreateContextMenu(nullptr));
  QAction* properties = menu ? PropertiesEntry(menu.get()) : nullptr;
  if (properties == nullptr) return false;
  bool saved = false;
  // The dialog runs its own event loop: the picture is taken from there.
  auto* poll = new QTimer(&view);
  QObject::connect(poll, &QTimer::timeout, &view, [&saved, poll, out] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    poll->stop();
    saved = Save(modal, out);
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->reject();
    else
      modal->close();
  });
  poll->start(100);
  properties->trigger();
  poll->deleteLater();
  return saved;
}

// A simulated unit that knows every family of commands, on a fast line
// (the simulator answers at once), for the comparison's picture.
bool StartUnit(UnitSimulator& sim) {
  RegisterEveryFamily(sim);
  if (!sim.Start()) return false;
  CProfile::WriteString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kPort),
                        sim.PtyPath());
  CProfile::WriteString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kSettings),
                        QStringLiteral("460800,n,8,1"));
  return true;
}

// Downloads the project with a chime macro, changes a few settings on the
// unit (a volume, a console key, a zone's wiring, the macro's type, a
// setting its software does not know) and compares: the differences window
// comes up.
CCompareWnd* ShowComparison(CMainFrame& frame, UnitSimulator& sim) {
  CSelvantisDoc* doc = frame.GetActiveDocument();
  CMacro* chime = doc != nullptr ? CMacro::CreateMacro(CMacro::kKindChime, *doc) : nullptr;
  if (chime == nullptr) return nullptr;
  if (!frame.OnCommand(ShellCmd::kCommConnect) || !frame.OnCommand(ShellCmd::kCommDownload)) return nullptr;
  sim.SetValue(QStringLiteral("/MACRO/ENTRY%1/TYPE").arg(chime->GetID()), QStringLiteral("NONE"));
  sim.SetValue(QStringLiteral("/AUDIO/ALARM_VOL"), QStringLiteral("-20.0"));
  sim.SetValue(QStringLiteral("/CONS/ADR1/KEY3"), QStringLiteral("MACRO,1"));
  sim.SetValue(QStringLiteral("/VMX/ZONE2/OUTPUT"), QStringLiteral("3"));
  sim.RegisterHandler(QStringLiteral("/FAULT/LATCH"),
                      [](UnitSimulator&, const UnitSimulator::Command& command, QStringList& replies) {
                        if (command.IsQuery()) replies << QStringLiteral("ERROR ") + command.path;
                        return true;
                      });
  if (!frame.OnCommand(ShellCmd::kCommCompare)) return nullptr;
  return frame.findChild<CCompareWnd*>();
}

const HostFrameSwitch* FrameOfClass(const QString& name) {
  for (const HostFrameSwitch& s : kHostFrameSwitches)
    if (name == QLatin1String(s.frameClass)) return &s;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qtApp(argc, argv);
  // The names as the system gave them (a project named in Latin-1 opens).
  QStringList args;
  for (int i = 1; i < argc; ++i) args << CFileName::FromSystem(argv[i]);
  const bool german = args.removeAll(QStringLiteral("--german")) > 0;
  const bool upgrade = args.removeAll(QStringLiteral("--upgrade")) > 0;
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: show-window [--german] [--upgrade] PROJECT.sxm NAME OUT.png\n");
    return 2;
  }
  const QString& project = args[0];
  const QString& name = args[1];
  const QString& out = args[2];

  // Made before the program, so that the program's link goes first.
  UnitSimulator sim;
  CSelvantisApp::SetupApplicationNames();
  CShellSettings::SetLanguage(german ? CStringTable::Language::German : CStringTable::Language::English);
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  CSelvantisApp app;
  if (!app.InitInstance({project})) return Fail(QStringLiteral("the program did not start"));
  CMainFrame* frame = app.MainFrame();
  if (frame->screen() != nullptr) frame->setGeometry(frame->screen()->availableGeometry().adjusted(0, 0, -320, -200));
  frame->show();
  Settle();
  CSelvantisView* view = frame->GetActiveView();
  if (view == nullptr) return Fail(QStringLiteral("the project did not open: ") + project);
  CSelvantisDoc& doc = view->GetDocument();
  if (upgrade) doc.SetUpgradeFlag(1);

  bool saved = false;
  if (name == QLatin1String("compare")) {
    if (!StartUnit(sim)) return Fail(QStringLiteral("the simulated unit did not start"));
    CCompareWnd* window = ShowComparison(*frame, sim);
    if (window == nullptr) return Fail(QStringLiteral("no comparison"));
    saved = Save(window, out);
    window->close();
  } else if (name == QLatin1String("main")) {
    // As the guide describes it: View > Fit to window.
    view->ZoomToFit();
    Settle();
    saved = Save(frame, out);
  } else if (name == QLatin1String("place-menu")) {
    std::unique_ptr<QMenu> menu(view->CreatePlaceMenu(nullptr, QPoint(100, 100)));
    saved = SaveMenu(menu.get(), out);
  } else if (name.startsWith(QLatin1String("menu:"))) {
    CBaseDevice* block = FindBlock(doc, name.mid(5));
    if (block == nullptr) return Fail(QStringLiteral("no block named ") + name.mid(5));
    view->SetCurrentObject(block);
    std::unique_ptr<QMenu> menu(view->CreateContextMenu(nullptr));
    saved = menu && SaveMenu(menu.get(), out);
  } else if (const HostFrameSwitch* s = FrameOfClass(name)) {
    CFrameHostDialog host(&doc, s->kind);
    host.show();
    saved = Save(&host, out);
    host.reject();
  } else if (CBaseDevice* block = FindBlock(doc, name)) {
    saved = SaveProperties(*view, block, out);
  } else {
    return Fail(QStringLiteral("no window or block named ") + name);
  }
  if (!saved) return Fail(QStringLiteral("no picture of ") + name);
  // The project is shown, never saved.
  doc.SetModifiedFlag(false);
  return 0;
}
