#ifndef SELV_TESTS_MACROS_MACROTESTOBJECTS_H
#define SELV_TESTS_MACROS_MACROTESTOBJECTS_H

// Stand-ins for objects of other subsystems that the macro classes link to
// (zones, groups, consoles): only their type, identifier and name matter.
// The project-file helpers of the macro tests come with it.

#include "model/cbasedevice.h"
#include "support/projectbytes.h"

#include <QString>

class CSelvantisDoc;

class CMacroTestObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CMacroTestObject)
 public:
  explicit CMacroTestObject(int type = DT_ZONE) { m_nType = type; }
  void Serialize(CArchive& ar) override;
  using CBaseDevice::SetType;
};

// An object of the type under the identifier (category by type), or the
// one already there.
CBaseDevice* AddTestObject(CSelvantisDoc& doc, int type, int id, const QString& name = QString());

#endif
