#include "support/underwindowmanager.h"

#include "support/waituntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QStringList>

#include <dlfcn.h>

// Last: the X headers define words the Qt headers use.
#if __has_include(<X11/Xlib.h>)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#define SELV_HAVE_XLIB 1
#endif

namespace {

QString Xvfb() { return QStandardPaths::findExecutable(QStringLiteral("Xvfb")); }
QString Openbox() { return QStandardPaths::findExecutable(QStringLiteral("openbox")); }

void Stop(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.terminate();
  if (!process.waitForFinished(kHangLimitMs)) process.kill();
}

#ifdef SELV_HAVE_XLIB

// The X client library, loaded when a test asks for the desktop: the test
// programs do not link it.
constexpr const char* kXlib = "libX11.so.6";

// How often the screen is asked whether the manager holds it.
constexpr int kPollMs = 20;

// Asks the X server, on a connection of its own, whether a window manager
// holds the screen: the way a client that follows the desktop conventions
// finds one. The manager owns the selection WM_S<screen> while it manages
// the screen, the root window's _NET_SUPPORTING_WM_CHECK names a window of
// the manager's whose own property names itself, and the root window lists
// what the manager supports (_NET_SUPPORTED), which a Qt program reads once
// as it starts (the frame extents it is told, for one). The manager sets
// these once it receives the requests to map windows.
class ScreenProbe final {
 public:
  explicit ScreenProbe(const QString& display) {
    m_lib = dlopen(kXlib, RTLD_NOW | RTLD_LOCAL);
    if (m_lib == nullptr) return;
    m_open = reinterpret_cast<Display* (*)(const char*)>(dlsym(m_lib, "XOpenDisplay"));
    m_close = reinterpret_cast<int (*)(Display*)>(dlsym(m_lib, "XCloseDisplay"));
    m_intern = reinterpret_cast<Atom (*)(Display*, const char*, Bool)>(dlsym(m_lib, "XInternAtom"));
    m_owner = reinterpret_cast<Window (*)(Display*, Atom)>(dlsym(m_lib, "XGetSelectionOwner"));
    m_root = reinterpret_cast<Window (*)(Display*)>(dlsym(m_lib, "XDefaultRootWindow"));
    m_property = reinterpret_cast<int (*)(Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                                          unsigned long*, unsigned char**)>(dlsym(m_lib, "XGetWindowProperty"));
    m_free = reinterpret_cast<int (*)(void*)>(dlsym(m_lib, "XFree"));
    m_sync = reinterpret_cast<int (*)(Display*, Bool)>(dlsym(m_lib, "XSync"));
    m_handler = reinterpret_cast<ErrorHandler (*)(ErrorHandler)>(dlsym(m_lib, "XSetErrorHandler"));
    if (!m_open || !m_close || !m_intern || !m_owner || !m_root || !m_property || !m_free || !m_sync || !m_handler)
      return;
    // The check window may go between two questions (a manager that
    // restarts): that error is an answer, not a reason to end the program.
    m_previous = m_handler(&IgnoreError);
    m_handlerSet = true;
    m_display = m_open(display.toLocal8Bit().constData());
    if (m_display == nullptr) return;
    m_selection = m_intern(m_display, "WM_S0", False);
    m_check = m_intern(m_display, "_NET_SUPPORTING_WM_CHECK", False);
    m_supported = m_intern(m_display, "_NET_SUPPORTED", False);
  }
  ~ScreenProbe() {
    if (m_display != nullptr) m_close(m_display);
    if (m_handlerSet) m_handler(m_previous);
    if (m_lib != nullptr) dlclose(m_lib);
  }
  ScreenProbe(const ScreenProbe&) = delete;
  ScreenProbe& operator=(const ScreenProbe&) = delete;

  bool Ready() const { return m_display != nullptr; }

  bool ManagerHoldsScreen() const {
    if (m_owner(m_display, m_selection) == None) return false;
    const Window root = m_root(m_display);
    const Window check = CheckWindow(root);
    return check != None && CheckWindow(check) == check && HasProperty(root, m_supported, XA_ATOM);
  }

 private:
  using ErrorHandler = int (*)(Display*, XErrorEvent*);
  static int IgnoreError(Display*, XErrorEvent*) { return 0; }

  // The first value of a 32-bit property of window (0 without one), and
  // whether it has any.
  bool FirstValue(Window window, Atom property, Atom type, unsigned long* value) const {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status =
        m_property(m_display, window, property, 0, 1, False, type, &actualType, &format, &count, &after, &data);
    // A window gone meanwhile reports its error only once the server has
    // answered.
    m_sync(m_display, False);
    const bool found = status == Success && actualType == type && format == 32 && count >= 1 && data != nullptr;
    // Xlib hands 32-bit values out as longs.
    *value = found ? *reinterpret_cast<unsigned long*>(data) : 0;
    if (data != nullptr) m_free(data);
    return found;
  }
  bool HasProperty(Window window, Atom property, Atom type) const {
    unsigned long value = 0;
    return FirstValue(window, property, type, &value);
  }
  // The window that window's _NET_SUPPORTING_WM_CHECK names; None without.
  Window CheckWindow(Window window) const {
    unsigned long value = 0;
    return FirstValue(window, m_check, XA_WINDOW, &value) ? static_cast<Window>(value) : None;
  }

  void* m_lib = nullptr;
  Display* m_display = nullptr;
  Atom m_selection = None;
  Atom m_check = None;
  Atom m_supported = None;
  bool m_handlerSet = false;
  ErrorHandler m_previous = nullptr;
  Display* (*m_open)(const char*) = nullptr;
  int (*m_close)(Display*) = nullptr;
  Atom (*m_intern)(Display*, const char*, Bool) = nullptr;
  Window (*m_owner)(Display*, Atom) = nullptr;
  Window (*m_root)(Display*) = nullptr;
  int (*m_property)(Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*, unsigned long*,
                    unsigned char**) = nullptr;
  int (*m_free)(void*) = nullptr;
  int (*m_sync)(Display*, Bool) = nullptr;
  ErrorHandler (*m_handler)(ErrorHandler) = nullptr;
};

#endif

#ifdef SELV_HAVE_XLIB

// The keyboard extension's library; its header is not needed for the one
// call.
constexpr const char* kXtst = "libXtst.so.6";

// A connection of the child's own to its X server (DISPLAY), to read what
// the window manager did and to type as a keyboard does.
class XClient final {
 public:
  XClient() {
    m_lib = dlopen(kXlib, RTLD_NOW | RTLD_LOCAL);
    if (m_lib == nullptr) return;
    m_open = reinterpret_cast<Display* (*)(const char*)>(dlsym(m_lib, "XOpenDisplay"));
    m_close = reinterpret_cast<int (*)(Display*)>(dlsym(m_lib, "XCloseDisplay"));
    m_intern = reinterpret_cast<Atom (*)(Display*, const char*, Bool)>(dlsym(m_lib, "XInternAtom"));
    m_root = reinterpret_cast<Window (*)(Display*)>(dlsym(m_lib, "XDefaultRootWindow"));
    m_property = reinterpret_cast<int (*)(Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                                          unsigned long*, unsigned char**)>(dlsym(m_lib, "XGetWindowProperty"));
    m_free = reinterpret_cast<int (*)(void*)>(dlsym(m_lib, "XFree"));
    m_sync = reinterpret_cast<int (*)(Display*, Bool)>(dlsym(m_lib, "XSync"));
    m_keycode = reinterpret_cast<KeyCode (*)(Display*, KeySym)>(dlsym(m_lib, "XKeysymToKeycode"));
    if (!m_open || !m_close || !m_intern || !m_root || !m_property || !m_free || !m_sync || !m_keycode) return;
    m_display = m_open(nullptr);
  }
  ~XClient() {
    if (m_display != nullptr) m_close(m_display);
    if (m_xtst != nullptr) dlclose(m_xtst);
    if (m_lib != nullptr) dlclose(m_lib);
  }
  XClient(const XClient&) = delete;
  XClient& operator=(const XClient&) = delete;

  bool Ready(QString* why) const {
    if (m_display == nullptr) *why = QStringLiteral("cannot open the X display (%1)").arg(QString::fromLatin1(kXlib));
    return m_display != nullptr;
  }

  bool Stacking(std::vector<unsigned long>* windows, QString* why) const {
    const Atom stacking = m_intern(m_display, "_NET_CLIENT_LIST_STACKING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = m_property(m_display, m_root(m_display), stacking, 0, 4096, False, XA_WINDOW, &type, &format,
                                  &count, &after, &data);
    const bool found = status == Success && type == XA_WINDOW && format == 32 && data != nullptr;
    windows->clear();
    // Xlib hands 32-bit values out as longs.
    if (found) windows->assign(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + count);
    if (data != nullptr) m_free(data);
    if (!found) *why = QStringLiteral("the window manager keeps no stacking list");
    return found;
  }

  bool Key(unsigned long keysym, QString* why) {
    if (m_xtst == nullptr) m_xtst = dlopen(kXtst, RTLD_NOW | RTLD_LOCAL);
    using FakeKey = int (*)(Display*, unsigned int, Bool, unsigned long);
    const auto fake = m_xtst != nullptr ? reinterpret_cast<FakeKey>(dlsym(m_xtst, "XTestFakeKeyEvent")) : nullptr;
    if (fake == nullptr) {
      *why = QStringLiteral("needs the X library %1 (libxtst6)").arg(QString::fromLatin1(kXtst));
      return false;
    }
    const KeyCode code = m_keycode(m_display, keysym);
    if (code == 0) {
      *why = QStringLiteral("the X server's keyboard has no key for keysym 0x%1").arg(keysym, 0, 16);
      return false;
    }
    const bool sent = fake(m_display, code, True, 0) != 0 && fake(m_display, code, False, 0) != 0;
    m_sync(m_display, False);
    if (!sent) *why = QStringLiteral("the X server has no XTEST extension");
    return sent;
  }

 private:
  void* m_lib = nullptr;
  void* m_xtst = nullptr;
  Display* m_display = nullptr;
  Display* (*m_open)(const char*) = nullptr;
  int (*m_close)(Display*) = nullptr;
  Atom (*m_intern)(Display*, const char*, Bool) = nullptr;
  Window (*m_root)(Display*) = nullptr;
  int (*m_property)(Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*, unsigned long*,
                    unsigned char**) = nullptr;
  int (*m_free)(void*) = nullptr;
  int (*m_sync)(Display*, Bool) = nullptr;
  KeyCode (*m_keycode)(Display*, KeySym) = nullptr;
};

#endif

// Waits until the window manager on display holds the screen, or its
// process has ended; false with *why otherwise.
bool WaitForManager(const QString& display, const QProcess& manager, QString* why) {
#ifdef SELV_HAVE_XLIB
  ScreenProbe probe(display);
  if (!probe.Ready()) {
    *why = QStringLiteral("cannot ask the X server %1 for its window manager (%2)")
               .arg(display, QString::fromLatin1(kXlib));
    return false;
  }
  QElapsedTimer sincePoll;
  bool holds = false;
  WaitUntil([&] {
    if (manager.state() == QProcess::NotRunning) return true;
    if (sincePoll.isValid() && sincePoll.elapsed() < kPollMs) return false;
    sincePoll.start();
    holds = probe.ManagerHoldsScreen();
    return holds;
  });
  if (!holds)
    *why = manager.state() == QProcess::NotRunning
               ? QStringLiteral("the window manager ended before it took the screen")
               : QStringLiteral("the window manager did not take the screen");
  return holds;
#else
  (void)display;
  (void)manager;
  *why = QStringLiteral("built without the X11 headers");
  return false;
#endif
}

}  // namespace

UnderWindowManager::~UnderWindowManager() {
  Stop(m_manager);
  Stop(m_server);
}

QString UnderWindowManager::Missing() {
  if (Xvfb().isEmpty() || Openbox().isEmpty())
    return QStringLiteral("needs Xvfb and the window manager openbox (scripts/deps.sh installs both)");
#ifndef SELV_HAVE_XLIB
  return QStringLiteral("built without the X11 headers (libx11-dev; scripts/deps.sh installs it)");
#else
  void* lib = dlopen(kXlib, RTLD_NOW | RTLD_LOCAL);
  if (lib == nullptr) return QStringLiteral("needs the X client library %1 (libx11-6)").arg(QString::fromLatin1(kXlib));
  dlclose(lib);
  return QString();
#endif
}

bool UnderWindowManager::Start(QString* why) {
  m_env = QProcessEnvironment::systemEnvironment();
  // The X server picks a free display and writes its number to a pipe once
  // it takes connections.
  m_server.setProcessChannelMode(QProcess::SeparateChannels);
  m_server.start(Xvfb(), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
  if (!m_server.waitForStarted(kHangLimitMs)) {
    *why = QStringLiteral("the X server did not start: ") + m_server.errorString();
    return false;
  }
  QString number;
  WaitUntil([&] {
    number += QString::fromLatin1(m_server.readAllStandardOutput());
    return number.contains(QLatin1Char('\n')) || m_server.state() == QProcess::NotRunning;
  });
  number = number.trimmed();
  if (number.isEmpty()) {
    *why = QStringLiteral("the X server did not start: ") + QString::fromLocal8Bit(m_server.readAllStandardError());
    return false;
  }
  const QString display = QLatin1Char(':') + number;
  m_env.insert(QStringLiteral("DISPLAY"), display);
  m_env.insert(QStringLiteral("HOME"), m_home.path());
  m_manager.setProcessEnvironment(m_env);
  m_manager.setProcessChannelMode(QProcess::MergedChannels);
  m_manager.start(Openbox(), {});
  if (!m_manager.waitForStarted(kHangLimitMs)) {
    *why = QStringLiteral("the window manager did not start: ") + m_manager.errorString();
    return false;
  }
  if (!WaitForManager(display, m_manager, why)) {
    *why += QStringLiteral(": ") + QString::fromLocal8Bit(m_manager.readAll());
    return false;
  }
  return true;
}

bool UnderWindowManager::RunChild(const QString& filter, QString* output) {
  QProcessEnvironment env = m_env;
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("SELV_WM_CHILD"), QStringLiteral("1"));
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filter});
  // The child's own waits each end at the hang limit.
  const bool finished = child.waitForFinished(8 * kHangLimitMs);
  *output = QString::fromLocal8Bit(child.readAll());
  return finished && child.exitCode() == 0 && output->contains(QStringLiteral("[       OK ] ") + filter);
}

bool UnderWindowManager::ChildSkipped(const QString& filter, const QString& output, QString* why) {
  if (!output.contains(QStringLiteral("[  SKIPPED ] ") + filter)) return false;
  // GoogleTest prints "<file>:<line>: Skipped", then the reason, then the
  // test's "[  SKIPPED ]" line.
  const QStringList lines = output.split(QLatin1Char('\n'));
  QStringList reason;
  bool in = false;
  for (const QString& line : lines) {
    if (line.startsWith(QStringLiteral("[  SKIPPED ] "))) break;
    if (in && !line.trimmed().isEmpty()) reason << line.trimmed();
    if (line.endsWith(QStringLiteral(": Skipped"))) in = true;
  }
  *why = reason.join(QLatin1Char(' '));
  return true;
}

bool UnderWindowManager::StackingOrder(std::vector<unsigned long>* windows, QString* why) {
#ifdef SELV_HAVE_XLIB
  XClient client;
  return client.Ready(why) && client.Stacking(windows, why);
#else
  windows->clear();
  *why = QStringLiteral("built without the X11 headers");
  return false;
#endif
}

QString UnderWindowManager::KeyboardMissing() {
#ifdef SELV_HAVE_XLIB
  void* lib = dlopen(kXtst, RTLD_NOW | RTLD_LOCAL);
  if (lib == nullptr) return QStringLiteral("needs the X library %1 (libxtst6)").arg(QString::fromLatin1(kXtst));
  dlclose(lib);
  return QString();
#else
  return QStringLiteral("built without the X11 headers");
#endif
}

bool UnderWindowManager::PressKey(unsigned long keysym, QString* why) {
#ifdef SELV_HAVE_XLIB
  XClient client;
  return client.Ready(why) && client.Key(keysym, why);
#else
  (void)keysym;
  *why = QStringLiteral("built without the X11 headers");
  return false;
#endif
}
