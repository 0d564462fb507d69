#ifndef SELV_AMPS_CCOLLECTIONCALL_H
#define SELV_AMPS_CCOLLECTIONCALL_H

#include "model/cbasedevice.h"

#include <QString>

class CSelvantisDoc;

// One of the unit's ten collection-call channels ("/VMX/COLLCALL<id>"): a
// relay on output pin 0 and the zones on its inputs, directly or through
// two levels of groups. Every project has all ten.
//
// A relay topology that claims the same number owns the command path in the
// document's path map; the collection call registers it only while no
// topology claims its number.
class CCollectionCall final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CCollectionCall)

 public:
  static constexpr int kSchema = 1;
  static constexpr int kCount = 10;
  static constexpr int kKindCaption = 32787;  // "Collection call"
  static constexpr int kBitmap = 313;

  CCollectionCall();

  // Creates the collection calls 1..10 the document lacks.
  static void EnsureAll(CSelvantisDoc& doc);

  // The number of the relay on output pin 0 ("%d", low 16 bits), or "0".
  QString GetRelayText() const;
  // The range list of the zones on the inputs ("0" for none).
  QString GetZonesText() const;

  // The relay's name when one is connected, else the own name.
  QString GetName() const override;
  // Registers the path unless a relay topology claims this number.
  bool RegisterPath() override;
  void Serialize(CArchive& ar) override;
  // Step 0 "<path>/RELAY <relay>", step 1 "<path>/ZONES <zones>".
  int Download(bool bQuery, int nStep) override;
  // Outside a download: a different "/RELAY" is reported (nothing changes);
  // "/ZONES" connects the listed zones that are not yet connected (a list
  // that cannot be read connects nothing).
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
};

#endif
