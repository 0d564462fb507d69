#ifndef SELV_LINK_CTRANSFERNOTIFIER_H
#define SELV_LINK_CTRANSFERNOTIFIER_H

#include "link/lineuse.h"

#include <QObject>

// The news of CTransfer::IsRunning(): a transfer has taken the line, or it
// has ended (its end message answered). Whatever offers commands that must wait for a
// transfer (the main window's Download, the on-line windows' polls) listens
// here, whoever started the transfer. One for the program.
class CTransferNotifier final : public QObject {
  Q_OBJECT

 public:
  static CTransferNotifier& Instance();
  CTransferNotifier(const CTransferNotifier&) = delete;
  CTransferNotifier& operator=(const CTransferNotifier&) = delete;

 signals:
  void runningChanged(bool running);
  // Who uses the line has changed (CurrentLineUse).
  void lineUseChanged(LineUse use);

 private:
  CTransferNotifier() = default;
};

#endif
