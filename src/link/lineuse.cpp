#include "link/lineuse.h"

#include "link/idevicelink.h"

#include <QCoreApplication>

LineUse CurrentLineUse() { return GetDeviceLink()->CurrentLineUse(); }

QString LineUseRefusal(LineUse use) {
  switch (use) {
    case LineUse::Free: break;
    case LineUse::Transfer:
      return QCoreApplication::translate("LineUse",
                                         "Not available while a transfer with the unit runs: wait until it has ended.");
    case LineUse::Closing:
      return QCoreApplication::translate("LineUse",
                                         "Not available while the connection to the unit closes: wait until it has closed.");
  }
  return QString();
}
