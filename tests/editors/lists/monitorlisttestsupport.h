#ifndef SELV_TESTS_EDITORS_LISTS_MONITORLISTTESTSUPPORT_H
#define SELV_TESTS_EDITORS_LISTS_MONITORLISTTESTSUPPORT_H

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "unit/ccontrolpad.h"
#include "unit/ckcm.h"

// A KCM209 relay pad whose relay number is number: output 0 of the pad on
// input (number - 1) mod 5 of KCM209 card (number - 1) / 5 + 1.
inline CControlPad* AddMonitorRelayPad(CSelvantisDoc& doc, int number) {
  const int cardId = (number - 1) / 5 + 1;
  while (doc.GetIDManager().FindBaseDevice(cardId, DT_KCM209) == nullptr) {
    if (doc.CreateObject(DT_KCM209, CKCM::KIND_KCM209) == nullptr) return nullptr;
  }
  CBaseDevice* card = doc.GetIDManager().FindBaseDevice(cardId, DT_KCM209);
  auto* pad = dynamic_cast<CControlPad*>(doc.CreateObject(DT_CONTROLPAD, CControlPad::kKindKCM209));
  if (pad == nullptr) return nullptr;
  CBaseDevice::Connect(pad, 0, card, (number - 1) % 5);
  return pad;
}

#endif
