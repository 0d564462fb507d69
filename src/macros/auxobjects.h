#ifndef SELV_MACROS_AUXOBJECTS_H
#define SELV_MACROS_AUXOBJECTS_H

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"

#include <QRect>
#include <QString>

#include <memory>

// Helpers for settings objects (the zone test, the power supply) that carry
// out their settings through auxiliary objects of the project: conditions,
// logic outputs, triggers and macros they create, name and link to
// themselves on one of their input pins.

// A new object of class T in doc (kind, one input and one output, the
// category), named name (made unique without a message); null when its
// pool is full.
template <class T>
T* CreateAuxObject(CSelvantisDoc& doc, int kind, int category, const QString& name) {
  auto object = std::make_unique<T>();
  if (!object->Create(kind, 1, 1, QString(), QRect(), category, 0, CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
    return nullptr;
  T* added = doc.template Adopt<T>(std::move(object));
  if (added && !name.isEmpty()) added->SetUniqueName(name, false);
  return added;
}

// The object of the type linked to owner's input pin (from its output pin
// 0), or null.
inline CBaseDevice* GetAuxObject(const CBaseDevice& owner, int pin, int type) {
  for (const ConnectionRecord& r : owner.GetInputConnections())
    if (r.nOwnPin == pin && r.pPeer && r.pPeer->GetType() == type) return r.pPeer;
  return nullptr;
}

// Links object to owner's input pin in place of what was there (null: only
// unlinks).
inline void SetAuxObject(CBaseDevice& owner, int pin, CBaseDevice* object) {
  owner.DisconnectInputPin(pin);
  if (object) CBaseDevice::Connect(object, 0, &owner, pin);
  owner.SetModified();
}

#endif
