#ifndef SELV_TESTS_SUPPORT_UNDERWINDOWMANAGER_H
#define SELV_TESTS_SUPPORT_UNDERWINDOWMANAGER_H

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// An X server of its own (Xvfb, on a display it picks) with the window
// manager openbox, for the few tests that need what only a real desktop
// does (cursors the server shows, maximised windows). The test program runs
// one of its own tests in a child under that desktop. Both programs stop
// when the object goes.
class UnderWindowManager final {
 public:
  UnderWindowManager() = default;
  UnderWindowManager(const UnderWindowManager&) = delete;
  UnderWindowManager& operator=(const UnderWindowManager&) = delete;
  ~UnderWindowManager();

  // Empty when Xvfb and openbox are installed; else why the test skips.
  static QString Missing();
  // Starts the server and the window manager; false with *why when they do
  // not start.
  bool Start(QString* why);
  // Runs this test program with --gtest_filter=filter under the desktop;
  // true when the child's test passed. *output holds what it printed.
  bool RunChild(const QString& filter, QString* output);

 private:
  QProcess m_server;
  QProcess m_manager;
  QTemporaryDir m_home;
  QProcessEnvironment m_env;
};

#endif
