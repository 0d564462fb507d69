#ifndef SELV_UNIT_CCARDBUSEDITOR_H
#define SELV_UNIT_CCARDBUSEDITOR_H

#include <QString>

#include <cstdint>
#include <vector>

class CBaseDevice;
class CControlPad;
class CKCM;
class QRect;
class CRelais;
class CSelvantisDoc;

// The rules by which the card configuration changes the project's card bus:
// adding bus cards and the cards on them (with their relays), labelling
// channels, relays and digital-slot outputs with control pads, giving relays
// a function, assigning zones and groups, and removing all of these again.
// Every change acts on the document's objects at once; refusals are told to
// the user through the message sink and change nothing. Holds only the
// document; the objects belong to it.
//
// Terminal pins are keys, not indexes: KCM212 channels use card inputs 0..11
// and KCM216 DA channels inputs 100..107, beyond the drawn pin counts.
class CCardBusEditor final {
 public:
  static constexpr int kRelayBitmap = 313;
  static constexpr int kChannelPadBitmap = 313;
  static constexpr int kChannelPadTextFlags = 3;
  static constexpr int kTerminalPadTextFlags = 9;
  static constexpr int kCardTextFlags = 3;
  static constexpr int kKCM212Channels = 12;
  static constexpr int kKCM216Channels = 8;
  static constexpr int kDAPinBase = 100;
  // Zone outputs by target: collection call, priority-call and control relay.
  static constexpr int kZoneCollCallOutput = 10;
  static constexpr int kZonePriorityOutput = 11;
  static constexpr int kZoneControlOutput = 12;

  enum StringId : uint32_t {
    IDS_POOL_FULL = 34207,      // "Cannot create this device ! ..."
    IDS_CANNOT_INSERT = 34378,  // "Can not insert object!"
    IDS_MODULE_IN_USE = 34180,  // "This module can only be removed, ..."
  };

  // How an assigned zone or group is shown (the offer entry's image); it
  // decides the pins of the link (AssignObject).
  enum class EntryRole { Zone, Other, PriorityZone, ControlZone };

  explicit CCardBusEditor(CSelvantisDoc& doc);
  CCardBusEditor(const CCardBusEditor&) = delete;
  CCardBusEditor& operator=(const CCardBusEditor&) = delete;

  // ---- Drops ------------------------------------------------------------------
  // A new KCM201 bus card; null when the project has eight already
  // (message) or the creation failed.
  CKCM* AddBusCard();
  // A KCM208, KCM209, KCM212 or KCM216 card on the first free place of its
  // module group on bus; a relay card with its five relays, numbered after
  // the card. Refused ("Can not insert object!") when no place is free or
  // when the model's cards already reach a bus card beyond this one.
  CKCM* AddCard(CKCM& bus, int kind);
  // A label on a channel: KCM212 channel n (numbered across the cards), a
  // KCM216 AD channel or, with bDA, a DA channel. Null when the channel is
  // not on that card or already labelled.
  CControlPad* AddChannelLabel(CKCM& card, int channel, bool bDA = false);
  // A label on a relay with nothing on its input.
  CControlPad* AddRelayLabel(CRelais& relay);
  // A label on output n (1..8) of the digital slot; output 1 is the slave
  // clock. Null while the slot is empty or the output is taken.
  CControlPad* AddDigitalOutputLabel(CBaseDevice& slot, int output);
  // "P relay" (32827) or "Control relay" (32828) for a relay with its default
  // function and nothing on its input.
  bool SetRelayFunction(CRelais& relay, int kind);
  // The first collection call whose output 0 is free switches the relay
  // (any relay with nothing on its input); "ERROR1287" when none is free.
  CBaseDevice* AssignCollectionCall(CRelais& relay);
  // Links object (a zone or group) to target by the target's kind and the
  // role; false when the link exists already or the object's output is
  // taken.
  bool AssignObject(CBaseDevice& target, CBaseDevice& object, EntryRole role);
  // The pins of that link: object's output and target's input.
  static void AssignmentPins(const CBaseDevice& target, EntryRole role, int* objectOutput, int* targetInput);

  // ---- Deletes ------------------------------------------------------------------
  // In use: something beyond the card hangs on an object on its inputs (an
  // input of that object, or a control pad linked elsewhere), or, for a bus
  // card, one of its cards is in use.
  bool IsCardInUse(const CKCM& card) const;
  // Removes the card with everything on its inputs (a bus card with its
  // cards); refused with message 34180 while in use.
  bool RemoveCard(CKCM& card);
  // The relay's input links go and its function returns to the default.
  void ResetRelayFunction(CRelais& relay);
  // Deletes a label pad; a relay it labelled returns to its default
  // function.
  bool RemoveLabel(CControlPad& pad);
  // Removes every input link of parent that comes from object; the number
  // removed.
  int RemoveAssignment(CBaseDevice& parent, CBaseDevice& object);

  // ---- Texts ------------------------------------------------------------------
  // "KCM208: 1-3", "KCM212: 14", "KCM216: AD0 DA3".
  QString CardText(const CKCM& card) const;
  // "%s-%d" with the bus card's name and identifier.
  static QString BusCardText(const CKCM& bus);
  // The first and last channel number of a KCM212 or KCM216 card.
  static bool ChannelRange(const CKCM& card, int* first, int* last);
  // The relay kind a relay returns to: 32797 on a KCM209, else 32826.
  static int DefaultRelayKind(const CRelais& relay);
  // A relay counts as used when something drives its input or its function
  // is not the default.
  static bool IsRelayInUse(const CRelais& relay);

 private:
  CControlPad* MakePad(int kind, const QString& name, const QRect& rect, int bitmap, int textFlags);
  CRelais* MakeRelay(CKCM& card, int pin);
  bool IsObjectInUse(const CBaseDevice& object, const CBaseDevice& card) const;
  void RemoveCardUnchecked(CKCM& card);

  CSelvantisDoc& m_doc;
};

#endif
