#ifndef SELV_LINK_CTRANSFERNOTIFIER_H
#define SELV_LINK_CTRANSFERNOTIFIER_H

#include "link/lineuse.h"

#include <QObject>

// The news of who uses the line (CurrentLineUse): a transfer has taken it
// or has ended (its end message answered), Disconnect's closing has begun
// or ended. Whatever offers commands that must wait while the line is in
// use (the main window's Download, the on-line windows' polls, the windows
// that would destroy what the user of the line still uses) listens here,
// whoever took the line. One for the program.
class CTransferNotifier final : public QObject {
  Q_OBJECT

 public:
  static CTransferNotifier& Instance();
  CTransferNotifier(const CTransferNotifier&) = delete;
  CTransferNotifier& operator=(const CTransferNotifier&) = delete;

 signals:
  // Who uses the line has changed (CurrentLineUse).
  void lineUseChanged(LineUse use);

 private:
  CTransferNotifier() = default;
};

#endif
