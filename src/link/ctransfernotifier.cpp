#include "link/ctransfernotifier.h"

CTransferNotifier& CTransferNotifier::Instance() {
  static CTransferNotifier notifier;
  return notifier;
}
