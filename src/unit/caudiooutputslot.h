#ifndef SELV_UNIT_CAUDIOOUTPUTSLOT_H
#define SELV_UNIT_CAUDIOOUTPUTSLOT_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

// An audio output slot of the unit: two outputs, numbered across the slots
// (slot s has outputs 2s-1 and 2s), which feed amplifier inputs. The pin
// names are kept in a text list stored with the slot.
class CAudioOutputSlot final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAudioOutputSlot)

 public:
  static constexpr int kOutputs = 2;
  // From this many amplifier inputs on one output the user is warned.
  static constexpr int kWarnConnections = 20;
  static constexpr uint32_t kWarnStringId = 32790;

  CAudioOutputSlot();

  void Serialize(CArchive& ar) override;
  bool RegisterPath() override;

  // The unit's output number of pin 0 or 1: pin + 2 * ID - 1; 0 for another pin.
  int GetOutputNumber(int pin) const;
  const QStringList& GetPinNames() const { return m_pinNames; }
  QString GetPinName(int pin) const { return m_pinNames.value(pin); }
  // Names an output; false for a pin other than 0 and 1.
  bool SetPinName(int pin, const QString& name);

  // Counts the connections on output 0 or 1 and, at 20 or more, warns the
  // user with the output number and the count. Returns the count.
  int WarnConnectionCount(int output);

 private:
  void ApplyPinNames();

  QStringList m_pinNames;
};

#endif
