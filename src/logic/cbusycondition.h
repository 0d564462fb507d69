#ifndef SELV_LOGIC_CBUSYCONDITION_H
#define SELV_LOGIC_CBUSYCONDITION_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// A busy condition: true while audio of the chosen sources reaches the
// chosen zones and groups (linked on the inputs; the root group stands for
// all zones) or the chosen outputs of the unit, with a matching mode and a
// minimum priority 0..10.
class CBusyCondition final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CBusyCondition)

 public:
  static constexpr int kKindBusy = IDS_BUSY_CONDITION;
  // Source bits.
  static constexpr uint32_t kSourceAlarm = 0x01;
  static constexpr uint32_t kSourceChime = 0x02;
  static constexpr uint32_t kSourceMessage = 0x04;
  static constexpr uint32_t kSourcePage = 0x08;
  static constexpr uint32_t kSourceBackground = 0x10;
  static constexpr uint32_t kAllSources = 0x1F;
  static constexpr int kSourceCount = 5;
  // The unit's audio outputs OUT1..OUT4, one bit each.
  static constexpr int kOutputCount = 4;
  static constexpr int kMaxPriority = 10;

  CBusyCondition();

  void Serialize(CArchive& ar) override;

  // 0 the sources, 2 "ON"/"OFF" of matching, 3 priority "%d", 4 the zones
  // ("ALL", a range list with the groups after "G", or "NONE"), 6 the outputs.
  void GetColumnText(QString& out, int column) const;
  // 0 source bits, 2 matching flag, 3 minimum priority.
  int GetValue(int column) const;
  void SetValue(int column, int value, const QString& text = QString());
  // 3 minimum priority ("%d", kept within 0..10); 5 the outputs from a text
  // such as "OUT1,OUT3" (numbers alone are taken too; "NONE" or "" clears).
  void SetColumnText(int column, const QString& text, int reserved = 0);
  // Makes the zone and group links equal the list (other objects are ignored).
  void SetZones(const std::vector<CBaseDevice*>& zones);

  uint32_t GetOutputs() const { return m_outputs; }
  // The unit's keyword of a source bit ("ALARM", ...) and its display text.
  static QString SourceKeyword(int index);
  static QString SourceText(int index);
  static QString FormatOutputs(uint32_t outputs);
  static bool ParseOutputs(const QString& text, uint32_t* outputs);

  QStringList GetLines(const QString& prefix, bool bQuery) const;
  static QStringList UnusedLines(const QString& prefix);
  static QStringList QueryLines(const QString& prefix);
  // "AUDIO", "MATCH", "PRIO", "ZONES", "GROUPS", "OUTPUT".
  bool ParseField(const QString& field, const QString& value, const QString& errorFilePath);

 private:
  void LinkZones(int type, const std::vector<int>& ids);
  std::vector<CBaseDevice*> LinkedOfType(int type) const;

  uint32_t m_sources = 0;
  bool m_matching = false;
  int m_minPriority = 0;
  uint32_t m_outputs = 0;
};

#endif
