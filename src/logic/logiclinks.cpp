#include "logic/logiclinks.h"

#include "logic/ccondition.h"
#include "macros/cmacro.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "unit/ccontrolpad.h"

#include <memory>

CBaseDevice* GetLinkedInput(const CBaseDevice& self, int pin, int type) {
  for (const ConnectionRecord& record : self.GetInputConnections()) {
    if (record.nOwnPin == pin && record.pPeer != nullptr && record.pPeer->GetType() == type) return record.pPeer;
  }
  return nullptr;
}

int GetLinkedInputID(const CBaseDevice& self, int pin, int type) {
  const CBaseDevice* peer = GetLinkedInput(self, pin, type);
  return peer != nullptr ? peer->GetID() : 0;
}

QString GetLinkedInputName(const CBaseDevice& self, int pin, int type) {
  const CBaseDevice* peer = GetLinkedInput(self, pin, type);
  return peer != nullptr ? peer->GetName() : QString();
}

CBaseDevice* SetLinkedInput(CBaseDevice& self, int pin, int type, int id) {
  self.DisconnectInputPin(pin);
  self.SetModified();
  CSelvantisDoc* doc = self.GetDocument();
  if (id == 0 || doc == nullptr) return nullptr;
  CBaseDevice* peer = doc->GetIDManager().FindBaseDevice(id, type);
  if (peer == nullptr || peer == &self) return nullptr;
  CBaseDevice::Connect(peer, 0, &self, pin);
  return peer;
}

CBaseDevice* FindOrCreatePlaceholder(CSelvantisDoc* doc, int type, int id) {
  if (doc == nullptr) return nullptr;
  CIDManager& ids = doc->GetIDManager();
  if (!ids.IsInPool(type, id) || id < CIDManager::GetFirstID(type)) return nullptr;
  if (CBaseDevice* existing = ids.FindBaseDevice(id, type)) return existing;
  const QString name = Fmt("%d *", id);
  if (type == DT_CONDITION) {
    auto condition = std::make_unique<CCondition>();
    if (!condition->CreateWithID(CCondition::kKindCondition, name, id, CAT_ENTRIES, doc)) return nullptr;
    return doc->AddObject(std::move(condition));
  }
  if (type == DT_MACRO) return CMacro::FindOrCreatePlaceholder(*doc, id);
  return nullptr;
}

CBaseDevice* AdoptUploadedEntry(CSelvantisDoc* doc, std::unique_ptr<CBaseDevice> object, int kind, int id, int category,
                                const QString& baseName) {
  if (doc == nullptr || !object) return nullptr;
  const QString name = baseName + Fmt(" %d", id);
  if (!object->CreateWithID(kind, name, id, category, doc)) return nullptr;
  CBaseDevice* added = doc->AddObject(std::move(object));
  if (added != nullptr) added->SetUniqueName(name, false);
  return added;
}

QString PadKeyword(const CBaseDevice* pad) {
  const auto* controlPad = dynamic_cast<const CControlPad*>(pad);
  return controlPad != nullptr ? controlPad->GetKeyword() : QString();
}

int PadNumber(const CBaseDevice* pad) {
  const auto* controlPad = dynamic_cast<const CControlPad*>(pad);
  return controlPad != nullptr ? controlPad->GetNumber() : 0;
}
