#ifndef SELV_SHELL_CMESSAGEBOXSINK_H
#define SELV_SHELL_CMESSAGEBOXSINK_H

#include "model/cmessagesink.h"

#include <QMessageBox>
#include <QString>

// Shows the program's messages as modal message boxes over the active
// window. Installed by the running application; tests install a recorder.
class CMessageBoxSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override;

  // The buttons, icon and default button a style asks for.
  static QMessageBox::StandardButtons Buttons(uint32_t style);
  static QMessageBox::Icon IconOf(uint32_t style);
  static QMessageBox::StandardButton DefaultButton(uint32_t style);
  static int Answer(QMessageBox::StandardButton button);
};

#endif
