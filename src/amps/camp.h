#ifndef SELV_AMPS_CAMP_H
#define SELV_AMPS_CAMP_H

#include "amps/amprecord.h"
#include "model/cbasedevice.h"

#include <array>
#include <cstdint>

// The project's amplifier table: one record per amplifier bus address and a
// work table. Every project has one (identifier 1); it is held, stored and
// cleared, and its download only ever clears the unit's table.
class CAmp final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAmp)

 public:
  static constexpr int kSchema = 1;
  static constexpr int kRecordCount = 64;
  static constexpr int kWorkTableSize = 448;
  // Where the table sits in the unit's amplifier branch.
  static constexpr const char* kCommandPath = "/AMP/TABLE";

  CAmp();

  // Creates the document's table when it has none.
  static CAmp* EnsureIn(CSelvantisDoc& doc);

  // Every record zeroed, the work table filled with 0xFF.
  void Clear();

  // Record 0..63; an index outside gives an empty record.
  const AmpRecord& GetRecord(int index) const;
  // False for an index outside 0..63.
  bool SetRecord(int index, const AmpRecord& record);
  const std::array<uint8_t, kWorkTableSize>& GetWorkTable() const noexcept { return m_workTable; }

  void Serialize(CArchive& ar) override;
  // Step -1: 0 (a whole-project download sends nothing). Step 0: the clear
  // line "<path>/CLEAR ALL", or with bQuery the table emptied and
  // "<path>/CLEAR ?". Other steps send nothing.
  int Download(bool bQuery, int nStep) override;
  // Takes the line and stores nothing.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

 protected:
  QString BuildCommandPath() const override;

 private:
  std::array<AmpRecord, kRecordCount> m_records{};
  std::array<uint8_t, kWorkTableSize> m_workTable{};
};

#endif
