#ifndef SELV_LOGIC_CFAULT_H
#define SELV_LOGIC_CFAULT_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>

#include <cstdint>

// The collective-fault settings of the project (one per project, ID 1, path
// "/FAULT"): which fault sources make up the unit's FAULT state, whether
// that state is latched and on which consoles it is shown; and the sources
// the unit last reported active.
class CFault final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CFault)

 public:
  // Fault-source bits.
  static constexpr uint32_t kUnknown = 0x001;
  static constexpr uint32_t kReadyInput = 0x002;
  static constexpr uint32_t kKCM = 0x004;
  static constexpr uint32_t kAmplifier = 0x008;
  static constexpr uint32_t kInternal = 0x010;
  static constexpr uint32_t kConsole = 0x020;
  static constexpr uint32_t kSpareAmp = 0x040;
  static constexpr uint32_t kManual = 0x080;
  static constexpr uint32_t kAnyGroundFault = 0x100;
  static constexpr uint32_t kZoneMeasurement = 0x200;
  static constexpr uint32_t kZoneGroundFault = 0x400;
  static constexpr uint32_t kAllSources = 0x7FF;
  static constexpr int kSourceCount = 11;
  // Display console: none, or all consoles; other values are console IDs.
  static constexpr int kDisplayNone = -1;
  static constexpr int kDisplayAll = 0;
  static constexpr int kStepCount = 3;

  CFault();

  void Serialize(CArchive& ar) override;
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  // 0 the considered sources and 4 the active ones as keyword lists ("" for
  // none); 6 the display console: "" for none, "All Consoles", the console's
  // name or its ID followed by " *" when it does not exist.
  void GetColumnText(QString& out, int column) const;
  // 0 considered sources, 1 latched flag, 2 display console, 3 the spare
  // value, 4 active sources.
  int GetValue(int column) const;
  // 4: the active sources from a reply text: the bit of every keyword the
  // text names.
  void SetColumnText(int column, const QString& text, int reserved = 0);
  // 0 sources (masked to the known bits), 1 latched (0/1), 2 display
  // console (below -1: none), 3.
  void SetValue(int column, int value, const QString& text = QString());

  // Keyword of source bit i ("UNKNOWN" .. "ZONEGNDFLT").
  static QString SourceKeyword(int index);
  static QString FormatSources(uint32_t bits);
  // The bits of the keywords named in a comma or blank separated text.
  static uint32_t ParseSources(const QString& text);

  static QString Path();

 protected:
  QString BuildCommandPath() const override;

 private:
  int m_values[5] = {0, 0, kDisplayNone, 0, 0};
};

#endif
