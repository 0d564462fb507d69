#include "shell/cmenumodel.h"

#include "shell/shellcommands.h"

#include <QCoreApplication>

namespace {
using K = ShellMenuItem::Kind;

ShellMenuItem Cmd(int id, const char* text, const char* shortcut = nullptr, const char* icon = nullptr,
                  bool checkable = false) {
  ShellMenuItem item;
  item.kind = K::Command;
  item.command = id;
  item.text = text;
  item.shortcut = shortcut;
  item.icon = icon;
  item.checkable = checkable;
  return item;
}

ShellMenuItem Special(K kind) {
  ShellMenuItem item;
  item.kind = kind;
  return item;
}

std::vector<ShellMenu> Build() {
  using namespace ShellCmd;
  std::vector<ShellMenu> menus;
  menus.push_back(
      {QT_TRANSLATE_NOOP("CMainFrame", "&File"),
       {Cmd(kFileNew, QT_TRANSLATE_NOOP("CMainFrame", "&New project"), "Ctrl+N", "new"),
        Cmd(kFileOpen, QT_TRANSLATE_NOOP("CMainFrame", "&Open..."), "Ctrl+O", "open"),
        Cmd(kFileClose, QT_TRANSLATE_NOOP("CMainFrame", "&Close"), "Ctrl+W"),
        Cmd(kFileSave, QT_TRANSLATE_NOOP("CMainFrame", "&Save"), "Ctrl+S", "save"),
        Cmd(kFileSaveAs, QT_TRANSLATE_NOOP("CMainFrame", "Save &as..."), "Ctrl+Shift+S"), Special(K::Separator),
        Cmd(kFilePrint, QT_TRANSLATE_NOOP("CMainFrame", "&Print..."), "Ctrl+P", "print"),
        Cmd(kFilePrintPreview, QT_TRANSLATE_NOOP("CMainFrame", "Print pre&view"), nullptr, "preview"),
        Cmd(kFileExportPdf, QT_TRANSLATE_NOOP("CMainFrame", "&Export drawing as PDF..."), nullptr, "export"),
        Cmd(kFilePrintSetup, QT_TRANSLATE_NOOP("CMainFrame", "Print set&up...")), Special(K::Separator),
        Special(K::RecentFiles), Special(K::Separator),
        Cmd(kAppExit, QT_TRANSLATE_NOOP("CMainFrame", "E&xit"), "Ctrl+Q")}});
  menus.push_back({QT_TRANSLATE_NOOP("CMainFrame", "&Edit"),
                   {Special(K::PlaceObjects), Special(K::Separator),
                    Cmd(kEditDelete, QT_TRANSLATE_NOOP("CMainFrame", "&Delete object"), "Del", "delete"),
                    Cmd(kEditProperties, QT_TRANSLATE_NOOP("CMainFrame", "P&roperties..."), "Alt+Return", "properties"),
                    Cmd(kEditSelectNone, QT_TRANSLATE_NOOP("CMainFrame", "Select &none"), "Esc")}});
  menus.push_back(
      {QT_TRANSLATE_NOOP("CMainFrame", "&View"),
       {Cmd(kViewToolbar, QT_TRANSLATE_NOOP("CMainFrame", "&Toolbar"), nullptr, nullptr, true),
        Cmd(kViewZoomBar, QT_TRANSLATE_NOOP("CMainFrame", "&Zoom bar"), nullptr, nullptr, true),
        Cmd(kViewStatusBar, QT_TRANSLATE_NOOP("CMainFrame", "&Status bar"), nullptr, nullptr, true),
        Cmd(kViewProtocolMonitor, QT_TRANSLATE_NOOP("CMainFrame", "Protocol &monitor"), "F8", "monitor", true),
        Special(K::Separator), Cmd(kZoomIn, QT_TRANSLATE_NOOP("CMainFrame", "Zoom &in"), "Ctrl++", "zoomin"),
        Cmd(kZoomOut, QT_TRANSLATE_NOOP("CMainFrame", "Zoom &out"), "Ctrl+-", "zoomout"),
        Cmd(kZoom100, QT_TRANSLATE_NOOP("CMainFrame", "&Actual size"), "Ctrl+0", "zoom100"),
        Cmd(kZoomFit, QT_TRANSLATE_NOOP("CMainFrame", "&Fit to window"), "Ctrl+9", "zoomfit"), Special(K::Separator),
        Cmd(kViewProject, QT_TRANSLATE_NOOP("CMainFrame", "&Project..."), nullptr, "project"),
        Cmd(kViewPreferences, QT_TRANSLATE_NOOP("CMainFrame", "Pr&eferences..."), nullptr, "preferences")}});
  menus.push_back(
      {QT_TRANSLATE_NOOP("CMainFrame", "&Communication"),
       {Cmd(kCommConnect, QT_TRANSLATE_NOOP("CMainFrame", "&Connect"), "F5", "connect"),
        Cmd(kCommDisconnect, QT_TRANSLATE_NOOP("CMainFrame", "&Disconnect"), "Shift+F5", "disconnect"),
        Special(K::Separator),
        Cmd(kCommDownload, QT_TRANSLATE_NOOP("CMainFrame", "Down&load project to unit"), "F6", "download"),
        Cmd(kCommUpload, QT_TRANSLATE_NOOP("CMainFrame", "&Upload settings from unit"), "F7", "upload"),
        Cmd(kCommCompare, QT_TRANSLATE_NOOP("CMainFrame", "Co&mpare with unit"), "Ctrl+F7", "compare"),
        Cmd(kCommExport, QT_TRANSLATE_NOOP("CMainFrame", "&Export parameters..."), nullptr, "export"),
        Cmd(kCommSendFile, QT_TRANSLATE_NOOP("CMainFrame", "Send command &file..."), nullptr, "sendfile"),
        Special(K::Separator),
        Cmd(kSaveVmxSettings, QT_TRANSLATE_NOOP("CMainFrame", "Save &VMX settings"), nullptr, "savevmx"),
        Cmd(kCommShowErrorFile, QT_TRANSLATE_NOOP("CMainFrame", "Show e&rror file"), nullptr, "errorfile")}});
  menus.push_back(
      {QT_TRANSLATE_NOOP("CMainFrame", "&Window"),
       {Cmd(kWindowCascade, QT_TRANSLATE_NOOP("CMainFrame", "&Cascade")),
        Cmd(kWindowTile, QT_TRANSLATE_NOOP("CMainFrame", "&Tile")), Special(K::Separator), Special(K::WindowList)}});
  menus.push_back({QT_TRANSLATE_NOOP("CMainFrame", "&Help"),
                   {Cmd(kAppAbout, QT_TRANSLATE_NOOP("CMainFrame", "&About Selvantis..."), nullptr, "about")}});
  return menus;
}
}  // namespace

const std::vector<ShellMenu>& CMenuModel::MainMenus() {
  static const std::vector<ShellMenu> menus = Build();
  return menus;
}

const std::vector<int>& CMenuModel::StandardToolbar() {
  using namespace ShellCmd;
  static const std::vector<int> bar = {kFileNew,
                                       kFileOpen,
                                       kFileSave,
                                       0,
                                       kFilePrint,
                                       kFilePrintPreview,
                                       0,
                                       kEditDelete,
                                       kEditProperties,
                                       0,
                                       kCommConnect,
                                       kCommDisconnect,
                                       kCommDownload,
                                       kCommUpload,
                                       kCommCompare,
                                       kCommSendFile,
                                       kSaveVmxSettings,
                                       0,
                                       kViewProtocolMonitor,
                                       kViewProject,
                                       0,
                                       kAppAbout};
  return bar;
}

const std::vector<int>& CMenuModel::ZoomToolbar() {
  using namespace ShellCmd;
  static const std::vector<int> bar = {kZoomIn, kZoomOut, kZoom100, kZoomFit};
  return bar;
}

const ShellMenuItem* CMenuModel::Find(int command) {
  for (const ShellMenu& menu : MainMenus())
    for (const ShellMenuItem& item : menu.items)
      if (item.kind == ShellMenuItem::Kind::Command && item.command == command) return &item;
  return nullptr;
}

QString CMenuModel::ToolTip(int command) {
  const ShellMenuItem* item = Find(command);
  if (!item) return QString();
  QString text = QCoreApplication::translate(kContext, item->text);
  text.remove(QStringLiteral("..."));
  // Drop mnemonics but keep a literal "&&".
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text.at(i) == QLatin1Char('&')) {
      if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += text.at(i);
  }
  return out;
}
