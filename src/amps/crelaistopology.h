#ifndef SELV_AMPS_CRELAISTOPOLOGY_H
#define SELV_AMPS_CRELAISTOPOLOGY_H

#include "model/cbasedevice.h"

#include <QString>

#include <cstdint>
#include <vector>

class CRelais;
class CSelvantisDoc;
class CZone;

// A canvas block fed by amplifier outputs that owns one zone per output pin
// and gives the zones their relays by its kind ("Direct", "1 in N", "N in
// 1", "Program/Page"). A topology of input type "Collection call" with a
// collection-call number also sends that collection call's relay and its own
// zones under "/VMX/COLLCALL<n>"; the first to claim the number answers the
// replies to that path.
//
// Creating the topology creates its zones, changing its zone count creates
// or deletes zones, deleting it deletes them.
class CRelaisTopology final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CRelaisTopology)

 public:
  static constexpr int kSchema = 2;
  static constexpr int kMenuId = 236;
  static constexpr int kMaxZones = 100;
  static constexpr int kWidth = 100;
  static constexpr int kHeightPerZone = 35;
  static constexpr int kPlaceOffsetX = 150;
  // The pictogram drawn inside the block (the stored bitmap id stays 0:
  // the block is drawn at any height, so no one picture can fill it).
  static constexpr int kBitmap = 314;

  enum Kind : int {
    KIND_DIRECT = 33032,
    KIND_1INN = 33033,
    KIND_NIN1 = 33034,
    KIND_PROGPAGE = 33070,
    KIND_END = 32788,  // kind of the table's end row
  };

  // Input types (rows of RelayInputTypeTable).
  enum InputType : int {
    INPUT_NOT_USED = 0,
    INPUT_COLLCALL = 1,
    INPUT_COMMON_P = 2,
    INPUT_SEPARATE_P = 3,
    INPUT_D_E = 4,
    INPUT_D = 5,
    INPUT_E = 6,
  };

  // A row of TopologyKindTable.
  struct KindRow {
    int32_t index;
    int32_t kind;
    int32_t inputs;
    int32_t picture;
  };
  // A row of RelayInputTypeTable.
  struct InputTypeRow {
    int32_t index;
    int32_t stringId;  // 0 for the empty rows 7 and 8
  };

  static constexpr int kKindRows = 4;       // three kinds and the end row
  static constexpr int kInputTypeRows = 9;  // indexes 0..8
  static constexpr uint32_t kStrZoneLimit = 32773;

  CRelaisTopology();
  ~CRelaisTopology() override;

  // ---- Tables -----------------------------------------------------------------
  static const KindRow* TopologyKindTable();
  // The row of a kind; the end row for a kind without one ("N in 1").
  static const KindRow* FindKindRow(int kind);
  // The row of index 0..2; null for the end row and any other index.
  static const KindRow* GetKindRow(int index);
  const KindRow* GetKindRow() const { return FindKindRow(m_nKind); }
  static const InputTypeRow* RelayInputTypeTable();
  // The row of index 0..8; null outside.
  static const InputTypeRow* GetInputTypeRow(int index);
  // Inputs of a kind: "N in 1" 4, "Program/Page" 2, others 1.
  static int InputCountOfKind(int kind);

  // ---- State ------------------------------------------------------------------------
  int GetZoneCount() const noexcept { return m_nZoneCount; }
  int GetInputType() const noexcept { return m_nInputType; }
  int GetCollCallNumber() const noexcept { return m_nCollCall; }
  int GetReserved() const noexcept { return m_nReserved; }
  int GetFirstRelay() const noexcept { return m_nFirstRelay; }
  int GetFirstPageRelay() const noexcept { return m_nFirstPageRelay; }
  void SetFirstRelays(int firstRelay, int firstPageRelay);
  // The zone on an output pin, or null.
  CZone* GetZoneOnPin(int pin) const;
  // The zones on the output pins, in pin order.
  std::vector<CZone*> GetZones() const;
  // Puts the zones in a column right of the block, each level with its pin
  // or, where names or other blocks are in the way, as little below as the
  // free room allows.
  void PlaceZones();

  // ---- Operations ------------------------------------------------------------------
  // Changes kind and zone count together. A count that would take the
  // project past 100 zones is refused (message 32773) and the count stays;
  // zones on pins beyond the new count are deleted, missing ones created.
  void ChangeKind(int kind, int zoneCount);
  // The relays of the kind for every zone; first below 0: without numbering
  // (after creation), else counting up from first (and from the first page
  // relay for "Program/Page").
  void AssignRelays(int first);
  // The block of five relays holding number exists; returns that relay.
  CRelais* EnsureRelayBlock(int number, int kind, bool bRSeries);

  // The texts the download sends and the upload compares.
  QString GetRelayText() const;
  QString GetZonesText() const;

  // ---- Base operations -----------------------------------------------------------
  void Serialize(CArchive& ar) override;
  // nInputs: ignored (the kind decides); nOutputs: the number of zones.
  // False when the pool is full or the project would hold more than 100
  // zones (message 32773; the caller destroys the object).
  bool CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc) override;
  int OnAfterLoad() override;
  // The kind with the current zone count.
  void SetKind(int kind) override;
  // The block with the pictogram, a bus and one relay contact for each
  // zone, level with the zone's output pin.
  void Draw(IPainter& painter) override;
  bool OnCommand(int id) override;
  // Everything stays enabled.
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  const std::vector<uint32_t>& GetLegacyRelays() const noexcept { return m_legacyRelays; }

 protected:
  // "/VMX/COLLCALL<n>" with a collection-call number, else none.
  QString BuildCommandPath() const override;

 private:
  bool IsCollCallInput() const;
  CZone* CreateZone(int pin);
  void PlaceZone(CZone& zone, int pin);
  void ConvertLegacy();
  // Claims the collection-call number and its path; false (and the user
  // told, naming both) when another topology holds it.
  bool ClaimCollCall();
  // After a topology of the number left the document: its holder, another
  // topology of the number or else the collection call takes the path.
  static void HandOverCollCall(CSelvantisDoc* doc, int number);

  int m_nZoneCount = 0;
  int m_nInputType = INPUT_NOT_USED;
  int m_nReserved = 0;
  int m_nCollCall = 0;
  int m_nFirstRelay = 0;
  int m_nFirstPageRelay = 0;
  std::vector<uint32_t> m_legacyRelays;
  std::vector<uint32_t> m_legacySecond;
};

#endif
