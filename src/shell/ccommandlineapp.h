#ifndef SELV_SHELL_CCOMMANDLINEAPP_H
#define SELV_SHELL_CCOMMANDLINEAPP_H

#include <QStringList>

// The program run from a terminal with the options of the command line
// (CCommandLine): the messages in the profile's language or the one
// --language names, with the translations the window's messages use, and
// --print drawn as the window's PDF export draws it. Needs a Qt application
// object; a QApplication only for --print.
class CCommandLineApp final {
 public:
  // args without the program name; returns the exit status.
  static int Run(const QStringList& args);
  // The arguments after the program's name, each file name exactly as
  // given (CFileName), whatever its encoding. After the Qt application took
  // its own options out of argv.
  static QStringList Arguments(int argc, char** argv);
};

#endif
