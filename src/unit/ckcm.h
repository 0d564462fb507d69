#ifndef SELV_UNIT_CKCM_H
#define SELV_UNIT_CKCM_H

#include "model/cbasedevice.h"

class CRelais;

// One extension card of the central unit's card bus; the kind it was created
// with decides the model (KCM201 bus card, KCM208/KCM209 relay cards, KCM212
// input card, KCM216 analog card) and with it the type code. A card sits on
// the bus by the connection of its output pin 0 to an input of a KCM201
// card: inputs 0..11 take relay cards, 12..16 KCM212, 17..18 KCM216. Cards
// of a model are numbered densely; removing one renumbers the higher ones,
// their relays and their bus places.
class CKCM final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CKCM)

 public:
  static constexpr int kSchema = 2;

  enum Kind : int {
    KIND_KCM201 = 34262,
    KIND_KCM208 = 32796,
    KIND_KCM209 = 32797,
    KIND_KCM212 = 34136,
    KIND_KCM216 = 34263,
  };

  // KCM201 bus inputs by module group.
  static constexpr int kRelayInputFirst = 0;
  static constexpr int kRelayInputLast = 11;
  static constexpr int kInputCardFirst = 12;
  static constexpr int kInputCardLast = 16;
  static constexpr int kAnalogCardFirst = 17;
  static constexpr int kAnalogCardLast = 18;
  static constexpr int kBusInputs = 19;
  static constexpr int kMaxBusCards = 8;
  // "s" relays run to 100: twenty KCM209 cards of five.
  static constexpr int kMaxKCM209 = 20;

  CKCM();

  // The type code of a card kind, 0 for another kind.
  static int TypeOfKind(int kind);
  // Pin counts the card models are created with.
  static int InputCountOfKind(int kind);

  void Serialize(CArchive& ar) override;
  // Sets the type code from the kind, then creates. A KCM209 beyond the
  // twentieth is refused like a full pool.
  bool Create(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category, int bitmapId,
              int textFlags, CSelvantisDoc* doc) override;
  // Puts an old KCM212 record, which had no bus link, on a KCM201 card.
  int OnAfterLoad() override;
  // 33001 deletes the card and renumbers the higher cards of its model.
  bool OnCommand(int id) override;
  // Renumbering: relays and the bus place follow the new identifier.
  void SetID(int id) override;
  int GetReportColumns(std::vector<ReportColumn>& columns) const override;
  int GetReportLine(QStringList& cells, bool bHeader) const override;

  // identifier x input count + own pin + 1 of the first input connection
  // from peer; 0 when peer feeds no input.
  int GetConnectedInputNumber(const CBaseDevice* peer) const;

  // The bus input range of the card's model (first, last); false for a
  // KCM201 or an unknown kind.
  bool GetBusRange(int* first, int* last) const;

 private:
  // Moves the bus link (output pin 0) down inside the model's range.
  void MoveBusLinkDown();
  bool IsBusInputFree(const CBaseDevice* bus, int pin) const;
  void RenumberRelays();
};

#endif
