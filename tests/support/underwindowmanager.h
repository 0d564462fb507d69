#ifndef SELV_TESTS_SUPPORT_UNDERWINDOWMANAGER_H
#define SELV_TESTS_SUPPORT_UNDERWINDOWMANAGER_H

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// An X server of its own (Xvfb, on a display it picks) with the window
// manager openbox, for the few tests that need what only a real desktop
// does (cursors the server shows, maximised windows). The test program runs
// one of its own tests in a child under that desktop. Both programs stop
// when the object goes.
//
// Start returns once the window manager has taken the screen (it owns the
// screen's manager selection and names its check window on the root
// window), not merely once its process runs: a window the child maps before
// that is found by the manager as it starts up, which treats it otherwise
// (it is, for one, never given the focus).
class UnderWindowManager final {
 public:
  UnderWindowManager() = default;
  UnderWindowManager(const UnderWindowManager&) = delete;
  UnderWindowManager& operator=(const UnderWindowManager&) = delete;
  ~UnderWindowManager();

  // Empty when Xvfb, openbox and the X client library are there; else why
  // the test skips.
  static QString Missing();
  // Starts the server and the window manager and waits until the manager
  // holds the screen; false with *why when either does not come up.
  bool Start(QString* why);
  // Runs this test program with --gtest_filter=filter under the desktop;
  // true when the child's test passed. *output holds what it printed.
  bool RunChild(const QString& filter, QString* output);
  // Whether the child skipped its test (output as RunChild gave it); *why
  // is the reason it printed.
  static bool ChildSkipped(const QString& filter, const QString& output, QString* why);

  // For the child, on the desktop its DISPLAY names.
  // The windows the manager manages, bottom to top (the ids of QWindow::
  // winId()); false with *why when the server cannot be asked.
  static bool StackingOrder(std::vector<unsigned long>* windows, QString* why);
  // Presses and releases the key of keysym (an X keysym: 0xff0d Return,
  // 0xff8d the keypad's Enter, 0x20 space) on the X server, as a keyboard
  // does: the event goes to the window the manager gave the focus.
  static bool PressKey(unsigned long keysym, QString* why);
  // Empty when PressKey can type (the X keyboard extension's library is
  // there); else why a test that types skips.
  static QString KeyboardMissing();

 private:
  QProcess m_server;
  QProcess m_manager;
  QTemporaryDir m_home;
  QProcessEnvironment m_env;
};

#endif
