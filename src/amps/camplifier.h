#ifndef SELV_AMPS_CAMPLIFIER_H
#define SELV_AMPS_CAMPLIFIER_H

#include "amps/amptypeinfo.h"
#include "model/cbasedevice.h"

#include <memory>

// One power amplifier between the unit's audio outputs (its inputs) and the
// zones (its outputs). Its model is a row of the amplifier-type table; an
// addressable model has a bus address 0..63 on the unit's amplifier bus, and
// the addressable amplifiers in address order number their outputs as the
// system's global amplifier channels.
class CAmplifier final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAmplifier)

 public:
  static constexpr int kSchema = 3;
  static constexpr int kMenuId = 216;
  static constexpr int kNoAddress = -1;
  static constexpr int kAddressCount = 64;
  // New amplifiers are placed this far right of the point asked for.
  static constexpr int kPlaceOffsetX = 270;
  // Records before schema 2 were drawn this far further left.
  static constexpr int kOldRecordShiftX = 50;
  // Canvas size of a new amplifier block.
  static constexpr int kBlockWidth = 60;
  static constexpr int kBlockHeight = 80;

  // Context menu commands: relay topologies on the first free output.
  enum Command : int {
    ID_TOPOLOGY_DIRECT = 33032,
    ID_TOPOLOGY_1INN = 33033,
    ID_TOPOLOGY_ADD = 33034,
    ID_TOPOLOGY_PROGPAGE = 33070,
  };

  CAmplifier();

  // A new amplifier of the model for the document, placed for the point at
  // (and so 270 units right of it); not yet added to the document. Null for
  // a kind that is not a model or a full pool (the user was told).
  static std::unique_ptr<CAmplifier> Make(CSelvantisDoc& doc, int kind, const QPoint& at);

  // The relay topology a context-menu command adds is made through the
  // document's factory of type 19 with the command id as its kind; this is
  // the topology's mode for that command (the number of its inputs).
  static int TopologyModeOfCommand(int commandId);

  // ---- The amplifier-type table -----------------------------------------------
  // Row index of the amplifier's kind; 0 for a kind not in the table.
  int GetTypeIndex() const;
  // The row of the amplifier's kind, the end row when not found.
  const AmpTypeInfo* GetTypeInfo() const;
  static const AmpTypeInfo* FindTypeRow(int kind);
  // The row of index 0..17; null for any other index and for the end row.
  static const AmpTypeInfo* GetTypeRow(int index);
  bool IsAddressable() const;
  // Output count of the model (0 for the end row).
  int GetModelOutputCount() const;
  // Power of output 0..3 in W; 0 when not stated or out of range.
  int GetOutputPower(int output) const;

  // ---- Bus address and channels ------------------------------------------------
  // The bus address (-1 none); 1 when bOther is set.
  int GetAddress(bool bOther = false) const;
  // Column 0: stores the address when it is 0..63. Always 1.
  int SetAddress(int column, int address);
  // Column 0: the address as "%x".
  void GetColumnText(QString& out, int column) const;
  // The global amplifier channel of channelIndex (0-based) of this
  // amplifier; -1 when it is not addressable.
  int GetGlobalChannel(int channelIndex) const;
  // The lowest address 0..63 that no addressable amplifier of the document
  // other than except holds; -1 when all are taken.
  static int FindFreeAddress(const CSelvantisDoc* doc, const CBaseDevice* except);

  // ---- Base operations -----------------------------------------------------------
  void Serialize(CArchive& ar) override;
  // Places the amplifier 270 units right of rect with the pins and picture
  // of its model; an addressable model takes the lowest free address.
  bool CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc) override;
  int OnAfterLoad() override;
  void LayoutPins() override;
  bool OnCommand(int id) override;
  // Nothing is disabled.
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  // A model change: pins, picture and path follow the new row, the input
  // connections and those of outputs beyond the new count go. A kind that is
  // not a model of the table is refused.
  void SetKind(int kind) override;
  int GetReportColumns(std::vector<ReportColumn>& columns) const override;
  int GetReportLine(QStringList& cells, bool bHeader) const override;

  bool IsAddressableAmplifier() const override;
  int GetAmplifierBusAddress() const override;
  int GetAmplifierChannelCount() const override;

 private:
  // Adds a relay topology of the command's kind on the first free output.
  bool AddRelayTopology(int commandId);

  int m_nAddress = kNoAddress;
};

#endif
