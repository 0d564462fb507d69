#include "macrotestobjects.h"

#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CMacroTestObject, 1)

void CMacroTestObject::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring())
    ar << static_cast<int32_t>(m_nType);
  else {
    int32_t type = 0;
    ar >> type;
    m_nType = type;
  }
}

CBaseDevice* AddTestObject(CSelvantisDoc& doc, int type, int id, const QString& name) {
  if (CBaseDevice* existing = doc.GetIDManager().FindBaseDevice(id, type)) return existing;
  int category = CAT_MISC;
  if (type == DT_ZONE)
    category = CAT_ZONES;
  else if (type == DT_GROUP)
    category = CAT_GROUPS;
  else if (type == DT_CONSOLE)
    category = CAT_CONSOLES;
  auto object = std::make_unique<CMacroTestObject>(type);
  const QString n = name.isEmpty() ? Fmt("Test %d/%d", type, id) : name;
  if (!object->CreateWithID(0, n, id, category, &doc)) return nullptr;
  return doc.AddObject(std::move(object));
}
