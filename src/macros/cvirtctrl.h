#ifndef SELV_MACROS_CVIRTCTRL_H
#define SELV_MACROS_CVIRTCTRL_H

#include "model/cbasedevice.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CSelvantisDoc;

// The virtual-controller block (one per project, identifier 1, path
// "/VIRTCTRL"): how the virtual-controller items (CVirtCtrlItem, 1..40) are
// wired to the sources that drive them and the destinations they act on.
// Each source or destination row of a group holds the identifier of the item
// wired to it (0 = none); an item used as a source keeps the item it drives
// in its own record. Owns no item.
class CVirtCtrl final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CVirtCtrl)

 public:
  // Groups of rows, numbered as the designer's row images.
  enum Group : int {
    G_ITEM = 4,     // an item as a source: that item's own record
    G_ENCODER = 5,  // shaft encoders
    G_AD = 6,       // analog inputs
    G_DA = 7,       // analog outputs
    G_IN = 8,
    G_OUT = 9,
    G_ALARM = 10,
    G_CHIME = 11,
    G_MESSAGE = 12,
    G_MONITOR = 13,
    G_AMPCHAN = 14,  // amplifier channels, global numbers from 1
    G_DELAY = 15,
    G_FIRST = G_ITEM,
    G_LAST = G_DELAY,
  };
  static constexpr int kMaxItems = 40;
  static constexpr int kStepsPerItem = 6;
  // Step 0 sends nothing; item k owns steps 6k-5 .. 6k.
  static constexpr int kStepCount = 1 + kMaxItems * kStepsPerItem;
  // Sent around a download of the whole block.
  static constexpr const char* kSourceLockOn = "/VIRTCTRL/SOURCE/LOCK ON";
  static constexpr const char* kDestLockOn = "/VIRTCTRL/DEST/LOCK ON";
  static constexpr const char* kSourceLockOff = "/VIRTCTRL/SOURCE/LOCK OFF";
  static constexpr const char* kDestLockOff = "/VIRTCTRL/DEST/LOCK OFF";

  CVirtCtrl();

  void Serialize(CArchive& ar) override;

  // Rows of a group (0 for a number that is no group).
  static int GroupSize(int group);
  // The item wired to the row (index from 0); 0 for none or a bad group or
  // index.
  int GetLink(int group, int index) const;
  // Wires the item (0 clears). False, and nothing changed, for a bad group,
  // index or item identifier.
  bool SetLink(int group, int index, int itemId);
  // Clears every row wired to the item and the item's own record.
  void RemoveItemLinks(int itemId);
  // An item moved to another identifier: its rows and record follow.
  void RenumberItem(int oldId, int newId);

  // Row texts: the row's label, the name of the wired item ("" when none);
  // true when the row's hardware (or item) exists.
  bool GetVCRowText(int row, QString& label, QString& name) const;
  bool GetEncoderRowText(int row, QString& label, QString& name) const;
  bool GetADRowText(int row, QString& label, QString& name) const;
  bool GetDARowText(int row, QString& label, QString& name) const;
  bool GetInRowText(int row, QString& label, QString& name) const;
  bool GetOutRowText(int row, QString& label, QString& name) const;
  bool GetAlarmRowText(QString& label, QString& name) const;
  bool GetChimeRowText(QString& label, QString& name) const;
  bool GetMessageRowText(QString& label, QString& name) const;
  bool GetMonitorRowText(QString& label, QString& name) const;
  bool GetAmpChanRowText(int row, QString& label, QString& name) const;
  bool GetDelayRowText(int row, QString& label, QString& name) const;
  // The same by group.
  bool GetRowText(int group, int row, QString& label, QString& name) const;

  // The lines of item k (steps 6k-5 .. 6k): "/ENTRY<k>/LINK", "/SOURCE/ENC",
  // "/SOURCE/AD", "/DEST/DA", "/DEST/AMPCHAN" and "/DEST/OTHER".
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  // The line of one step (for tests and the command files); "" for step 0.
  QString StepLine(int nStep, bool bQuery) const;
  // The texts of item k's sources and destinations.
  QString SourcesText(int itemId) const;
  QString DestinationsText(int itemId) const;

  static CVirtCtrl* Find(const CSelvantisDoc* doc);

 protected:
  QString BuildCommandPath() const override;

 private:
  std::vector<uint8_t>* Table(int group);
  const std::vector<uint8_t>* Table(int group) const;
  QString ItemName(int itemId) const;
  QString RangeOf(int group, int itemId) const;
  bool TakeRange(int group, int itemId, const QString& text);

  std::vector<uint8_t> m_items;  // the items' own records: the item each drives
  std::vector<uint8_t> m_encoders;
  std::vector<uint8_t> m_ad;
  std::vector<uint8_t> m_da;
  std::vector<uint8_t> m_in;
  std::vector<uint8_t> m_out;
  std::vector<uint8_t> m_alarm;
  std::vector<uint8_t> m_chime;
  std::vector<uint8_t> m_message;
  std::vector<uint8_t> m_monitor;
  std::vector<uint8_t> m_ampChannels;
  std::vector<uint8_t> m_delays;
};

#endif
