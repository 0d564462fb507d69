#ifndef SELV_SHELL_CUNITSAVECOMMAND_H
#define SELV_SHELL_CUNITSAVECOMMAND_H

class QWidget;

// "Save VMX settings" from a window of the editor host, as the
// Communication menu runs it: "/SERVICE/START FASTSAVE" with its echo
// waited for, the result said, and a refusal with its reason while the line
// is in use (a transfer, the closing). The window's status bar says it, and
// the main window's too.
class CUnitSaveCommand final {
 public:
  CUnitSaveCommand() = delete;

  // frame: the window the command came from (its status bar, when it is a
  // main window of the host).
  static void Run(QWidget* frame);
};

#endif
