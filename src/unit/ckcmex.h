#ifndef SELV_UNIT_CKCMEX_H
#define SELV_UNIT_CKCMEX_H

#include "amps/fixedtext.h"
#include "model/cbasedevice.h"

#include <array>
#include <cstdint>

// Extended data of the extension cards: eight entries (a long and a short
// text and nine values each) and two work tables. A project holds at most one
// (identifier 1), and only when its file contained it. Its download only ever
// clears the unit's card data.
class CKCMEx final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CKCMEx)

 public:
  static constexpr int kSchema = 1;
  static constexpr int kEntryCount = 8;
  static constexpr int kValueCount = 9;
  static constexpr int kWorkTableSize = 960;
  // Where the data sits in the unit's card branch.
  static constexpr const char* kCommandPath = "/KCM/DATA";

  struct Entry {
    FixedText<16> longText;  // up to 15 characters
    FixedText<6> shortText;  // up to 5 characters
    std::array<uint16_t, kValueCount> values{};

    bool operator==(const Entry& o) const {
      return longText == o.longText && shortText == o.shortText && values == o.values;
    }
    bool operator!=(const Entry& o) const { return !(*this == o); }
  };

  CKCMEx();

  // Entries zeroed, work values -1, work tables 0xFF. Returns -1.
  int Reset();

  // Entry 0..7; an index outside gives an empty entry.
  const Entry& GetEntry(int index) const;
  bool SetEntry(int index, const Entry& entry);
  int GetWorkValue(int index) const;
  const std::array<uint8_t, kWorkTableSize>& GetWorkTable(int index) const;

  void Serialize(CArchive& ar) override;
  // Step -1: 0. Step 0: "<path>/CLEAR ALL", or with bQuery the data reset
  // and "<path>/CLEAR ?". Other steps send nothing.
  int Download(bool bQuery, int nStep) override;
  // Takes the line and stores nothing.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

 protected:
  QString BuildCommandPath() const override;

 private:
  std::array<Entry, kEntryCount> m_entries{};
  std::array<int32_t, 2> m_workValues{};
  std::array<std::array<uint8_t, kWorkTableSize>, 2> m_workTables{};
};

#endif
