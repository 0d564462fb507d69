#ifndef SELV_AMPS_CRELAIS_H
#define SELV_AMPS_CRELAIS_H

#include "model/cbasedevice.h"

#include <cstdint>

class CRelaisManager;

// One relay contact on an extension card. Its number within its series
// ("r" on KCM208 cards, "s" on KCM209 cards) is kept here and in the
// document's relay manager; the series follows from the kind of the card
// its output pin 0 is connected to. Relay n sits on input (n - 1) mod 5 of
// card (n - 1) / 5 + 1 of its series.
class CRelais final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CRelais)

 public:
  static constexpr int kSchema = 2;
  static constexpr int kBitmap = 313;
  static constexpr int kRelaysPerCard = 5;

  // What a relay switches (its kind), and the card kinds of the series.
  enum Kind : int {
    KIND_COLLCALL = 32787,  // "Collection call"
    KIND_ZONE = 32826,      // "Zone relay"
    KIND_PRELAY = 32827,    // "P relay"
    KIND_CONTROL = 32828,   // "Control relay"
    KIND_KCM208 = 32796,    // card kind of the "r" series
    KIND_KCM209 = 32797,    // card kind of the "s" series; also a relay kind
  };

  CRelais();
  ~CRelais() override;

  void Serialize(CArchive& ar) override;
  // After the base creation takes a number by kind: collection call, zone
  // and P relays from the "r" series, kind KCM209 from the "s" series, other
  // kinds none. A full series leaves the number 0.
  bool CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc) override;
  // Claims the stored number in the series of the card on output pin 0.
  int OnAfterLoad() override;
  // On a KCM208 card "r%d ", on a KCM209 card "s%d ", followed by the
  // caption of the relay's kind unless it is a zone relay or of kind KCM209.
  // The rebuilt name is also stored.
  QString GetName() const override;
  // 33001 deletes the relay only while nothing feeds its input.
  bool OnCommand(int id) override;

  uint32_t GetNumber() const noexcept { return m_nNumber; }
  // The number within its series (low 16 bits).
  uint32_t GetSeriesNumber() const noexcept { return m_nNumber & 0xFFFF; }
  // True when output pin 0 leads to a KCM209 card.
  bool IsSSeries() const;
  // The kind of the card on output pin 0, 0 when none.
  int GetCardKind() const;
  // Releases the current number in the table of the relay's series, stores
  // the new one and claims it there (silently not when it is taken).
  void SetNumber(uint32_t number);
  // Takes the relay out of both series, stores the number and claims it in
  // the chosen series; 1 when the claim succeeded. For relays that are put
  // onto a card of that series next.
  int Renumber(uint32_t number, bool bRSeries);
  // Stores the number only, no table.
  void StoreNumber(uint32_t number) { m_nNumber = number; }

  // Builds the cards behind a numbered relay: every missing card of the
  // series up to the relay's card, with its five relays, each new card put
  // on the first free relay input (0..11) of a KCM201 card. Acts only for
  // the relay kinds and the card kind of the series; returns 0 when a card
  // could not be created, else 1.
  int AttachToCard(int kind, bool bRSeries);

 private:
  CRelaisManager* Manager() const;

  uint32_t m_nNumber = 0;
};

#endif
