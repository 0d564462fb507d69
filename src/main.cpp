#include "link/ccommandline.h"
#include "shell/ccommandlineapp.h"
#include "shell/cselvantisapp.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
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
