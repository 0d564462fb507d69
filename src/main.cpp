#include "link/ccommandline.h"
#include "model/clogroute.h"
#include "shell/ccommandlineapp.h"
#include "shell/cselvantisapp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

int main(int argc, char** argv) {
  const QStringList args = CCommandLineApp::Arguments(argc, argv);
  // The error output is the user's, from before Qt starts: the program's
  // log and Qt's own warnings (XDG_RUNTIME_DIR not set under cron or ssh)
  // go there only with --verbose.
  QFile err;
  err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
  const CLogRoute log(err, CLogRoute::AsksForLog(args));
  switch (CCommandLine::ModeOf(args)) {
    case CCommandLine::Mode::Terminal: {
      QCoreApplication qtApp(argc, argv);
      return CCommandLineApp::Run(CCommandLineApp::Arguments(argc, argv));
    }
    case CCommandLine::Mode::Offscreen: {
      // The print-out is drawn without a display.
      qputenv("QT_QPA_PLATFORM", "offscreen");
      QApplication qtApp(argc, argv);
      return CCommandLineApp::Run(CCommandLineApp::Arguments(argc, argv));
    }
    case CCommandLine::Mode::Window: break;
  }
  QApplication qtApp(argc, argv);
  CSelvantisApp app;
  return app.Run(CCommandLineApp::Arguments(argc, argv));
}
