#include "unit/ccardbuseditor.h"

#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "macros/rangelist.h"
#include "model/cidmanager.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "unit/ccontrolpad.h"
#include "unit/ckcm.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <memory>

namespace {

constexpr int kSlaveClockPin = 0;
constexpr int kDigitalOutputs = 8;
constexpr uint32_t kStrSlaveClock = 34091;
// A pad on a digital-slot output sits this far right of the pin.
constexpr int kSlotPadOffset = 20;

QString ModelName(int kind) { return ModelString(static_cast<uint32_t>(kind)); }

bool IsCardKind(int kind) {
  return kind == CKCM::KIND_KCM208 || kind == CKCM::KIND_KCM209 || kind == CKCM::KIND_KCM212 ||
         kind == CKCM::KIND_KCM216;
}

CRelais* RelayOnInput(const CBaseDevice& card, int pin) {
  const ConnectionRecord* r = card.FindInputConnection(pin);
  return r != nullptr ? dynamic_cast<CRelais*>(r->pPeer) : nullptr;
}

bool HasPadOnInput(const CBaseDevice& card, int pin) {
  for (const ConnectionRecord& r : card.GetInputConnections())
    if (r.nOwnPin == pin && r.pPeer != nullptr && r.pPeer->GetType() == DT_CONTROLPAD) return true;
  return false;
}

// The card a relay sits on, or null.
CBaseDevice* CardOfRelay(const CRelais& relay) {
  const ConnectionRecord* r = relay.FindOutputConnection(0);
  if (r == nullptr || r->pPeer == nullptr) return nullptr;
  const int type = r->pPeer->GetType();
  return (type == DT_KCM208 || type == DT_KCM209) ? r->pPeer : nullptr;
}

}  // namespace

CCardBusEditor::CCardBusEditor(CSelvantisDoc& doc) : m_doc(doc) {}

// ---- Drops --------------------------------------------------------------------------

CKCM* CCardBusEditor::AddBusCard() {
  if (m_doc.GetIDManager().GetCount(DT_KCM201) >= CKCM::kMaxBusCards) {
    AfxMessageBox(ModelString(IDS_POOL_FULL), MB_OK | MB_ICONEXCLAMATION, IDS_POOL_FULL);
    return nullptr;
  }
  auto card = std::make_unique<CKCM>();
  if (!card->Create(CKCM::KIND_KCM201, CKCM::kBusInputs, CKCM::kBusInputs, ModelName(CKCM::KIND_KCM201), QRect(),
                    CAT_ENTRIES, 0, kCardTextFlags, &m_doc))
    return nullptr;
  return m_doc.Adopt(std::move(card));
}

CKCM* CCardBusEditor::AddCard(CKCM& bus, int kind) {
  if (bus.GetType() != DT_KCM201 || bus.GetDocument() != &m_doc || !IsCardKind(kind)) return nullptr;
  const int type = CKCM::TypeOfKind(kind);
  CIDManager& ids = m_doc.GetIDManager();

  // Cards of a model fill the bus cards in identifier order.
  if (const CBaseDevice* last = ids.FindBaseDevice(ids.GetMaxID(type), type)) {
    const ConnectionRecord* link = last->FindOutputConnection(0);
    if (link != nullptr && link->pPeer != nullptr && link->pPeer->GetType() == DT_KCM201 &&
        bus.GetID() < link->pPeer->GetID()) {
      AfxMessageBox(IDS_CANNOT_INSERT, MB_OK | MB_ICONEXCLAMATION);
      return nullptr;
    }
  }

  int first = CKCM::kRelayInputFirst, last = CKCM::kRelayInputLast;
  if (kind == CKCM::KIND_KCM212) {
    first = CKCM::kInputCardFirst;
    last = CKCM::kInputCardLast;
  } else if (kind == CKCM::KIND_KCM216) {
    first = CKCM::kAnalogCardFirst;
    last = CKCM::kAnalogCardLast;
  }
  int place = -1;
  for (int in = first; in <= last; ++in) {
    if (bus.FindInputConnection(in) == nullptr) {
      place = in;
      break;
    }
  }
  if (place < 0) {
    AfxMessageBox(IDS_CANNOT_INSERT, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }

  const int pins = CKCM::InputCountOfKind(kind);
  auto fresh = std::make_unique<CKCM>();
  // A full pool refuses every place alike: one message, then stop.
  if (!fresh->Create(kind, pins, pins, ModelName(kind), QRect(), CAT_ENTRIES, 0, kCardTextFlags, &m_doc))
    return nullptr;
  CKCM* card = m_doc.Adopt(std::move(fresh));
  if (card == nullptr) return nullptr;
  CBaseDevice::Connect(card, 0, &bus, place);
  if (kind == CKCM::KIND_KCM208 || kind == CKCM::KIND_KCM209) {
    for (int pin = 0; pin < CRelais::kRelaysPerCard; ++pin) MakeRelay(*card, pin);
  }
  return card;
}

CRelais* CCardBusEditor::MakeRelay(CKCM& card, int pin) {
  const int kind = card.GetKind() == CKCM::KIND_KCM209 ? CRelais::KIND_KCM209 : CRelais::KIND_ZONE;
  auto fresh = std::make_unique<CRelais>();
  if (!fresh->Create(kind, 1, 1, QString(), QRect(), CAT_MISC, kRelayBitmap, 3, &m_doc)) return nullptr;
  CRelais* relay = m_doc.Adopt(std::move(fresh));
  if (relay == nullptr) return nullptr;
  CBaseDevice::Connect(relay, 0, &card, pin);
  // The relay's number follows its card and place, not the first free one.
  relay->SetNumber(static_cast<uint32_t>(CRelais::kRelaysPerCard * (card.GetID() - 1) + pin + 1));
  return relay;
}

CControlPad* CCardBusEditor::MakePad(int kind, const QString& name, const QRect& rect, int bitmap, int textFlags) {
  auto pad = std::make_unique<CControlPad>();
  if (!pad->Create(kind, 1, 1, name, rect, CAT_ENTRIES, bitmap, textFlags, &m_doc)) return nullptr;
  return m_doc.Adopt(std::move(pad));
}

bool CCardBusEditor::ChannelRange(const CKCM& card, int* first, int* last) {
  int width = 0;
  if (card.GetType() == DT_KCM212)
    width = kKCM212Channels;
  else if (card.GetType() == DT_KCM216)
    width = kKCM216Channels;
  else
    return false;
  const int a = width * (card.GetID() - 1) + 1;
  if (first != nullptr) *first = a;
  if (last != nullptr) *last = a + width - 1;
  return card.GetID() > 0;
}

CControlPad* CCardBusEditor::AddChannelLabel(CKCM& card, int channel, bool bDA) {
  int first = 0, last = 0;
  if (card.GetDocument() != &m_doc || !ChannelRange(card, &first, &last)) return nullptr;
  // A channel of another card would land on a wrong terminal of this one.
  if (channel < first || channel > last) return nullptr;
  const bool analog = card.GetType() == DT_KCM216;
  if (bDA && !analog) return nullptr;
  const int width = analog ? kKCM216Channels : kKCM212Channels;
  const int pin = (channel - 1) % width + (bDA ? kDAPinBase : 0);
  if (card.FindInputConnection(pin) != nullptr) return nullptr;

  QString channelText = Fmt("%d", channel);
  if (analog) channelText = Fmt(bDA ? "DA Channel%d" : "AD Channel%d", channel);
  const int createKind = analog ? CControlPad::kKindKCM216 : CControlPad::kKindKCM212;
  CControlPad* pad = MakePad(createKind, ModelName(card.GetKind()) + QLatin1Char('-') + channelText, QRect(),
                             kChannelPadBitmap, kChannelPadTextFlags);
  if (pad == nullptr) return nullptr;
  if (analog) pad->SetKind(bDA ? CControlPad::kKindKCM216Output : CControlPad::kKindKCM216Input);
  CBaseDevice::Connect(pad, 0, &card, pin);
  return pad;
}

CControlPad* CCardBusEditor::AddRelayLabel(CRelais& relay) {
  const CBaseDevice* card = CardOfRelay(relay);
  if (card == nullptr || relay.GetDocument() != &m_doc) return nullptr;
  if (relay.FindInputConnection(0) != nullptr || relay.GetKind() != DefaultRelayKind(relay)) return nullptr;
  const bool s = card->GetType() == DT_KCM209;
  const int kind = s ? CControlPad::kKindKCM209 : CControlPad::kKindKCM208;
  const QString name = QString::fromLatin1(s ? "24V relay " : "70V relay ") + relay.GetName().trimmed();
  CControlPad* pad = MakePad(kind, name, QRect(), 0, kTerminalPadTextFlags);
  if (pad == nullptr) return nullptr;
  CBaseDevice::Connect(pad, 0, &relay, 0);
  return pad;
}

CControlPad* CCardBusEditor::AddDigitalOutputLabel(CBaseDevice& slot, int output) {
  if (slot.GetType() != DT_DIGITALSLOT || slot.GetDocument() != &m_doc || !slot.ArePinsShown()) return nullptr;
  if (output < 1 || output > kDigitalOutputs || output > slot.GetOutputCount()) return nullptr;
  const int pin = output - 1;
  if (slot.FindOutputConnection(pin) != nullptr) return nullptr;
  // The first output is the slave-clock output: its pad is the clock's.
  const bool clock = pin == kSlaveClockPin;
  const int kind = clock ? CControlPad::kKindSlaveClock : CControlPad::kKindDigitalOutput;
  const QString name = clock ? LoadString(kStrSlaveClock) : Fmt("Output %d", output);
  const QRect rect(slot.GetOutputPinPoint(pin) + QPoint(kSlotPadOffset, 0), QSize(0, 0));
  CControlPad* pad = MakePad(kind, name, rect, 0, kTerminalPadTextFlags);
  if (pad == nullptr) return nullptr;
  CBaseDevice::Connect(&slot, pin, pad, 0);
  return pad;
}

bool CCardBusEditor::SetRelayFunction(CRelais& relay, int kind) {
  if (kind != CRelais::KIND_PRELAY && kind != CRelais::KIND_CONTROL) return false;
  if (CardOfRelay(relay) == nullptr || relay.GetDocument() != &m_doc) return false;
  if (relay.FindInputConnection(0) != nullptr || relay.GetKind() != DefaultRelayKind(relay)) return false;
  relay.SetKind(kind);
  relay.SetModified();
  return true;
}

CBaseDevice* CCardBusEditor::AssignCollectionCall(CRelais& relay) {
  // Any relay of the project may switch a collection call, on whichever
  // card; a relay something feeds already takes no second source.
  if (relay.GetDocument() != &m_doc || relay.FindInputConnection(0) != nullptr) return nullptr;
  std::vector<CBaseDevice*> calls;
  m_doc.GetIDManager().GetBaseDeviceList(calls, DT_COLLCALL);
  for (CBaseDevice* call : calls) {
    if (call->FindOutputConnection(0) != nullptr) continue;
    CBaseDevice::Connect(call, 0, &relay, 0);
    relay.SetKind(CRelais::KIND_COLLCALL);
    relay.SetModified();
    return call;
  }
  AfxMessageBox(QStringLiteral("ERROR1287"), MB_OK | MB_ICONEXCLAMATION);
  return nullptr;
}

void CCardBusEditor::AssignmentPins(const CBaseDevice& target, EntryRole role, int* objectOutput, int* targetInput) {
  int p = 0, q = 0;
  if (target.GetType() == DT_COLLCALL) {
    p = kZoneCollCallOutput;
  } else if (target.GetType() == DT_RELAY && target.GetKind() == CRelais::KIND_PRELAY) {
    p = kZonePriorityOutput;
  } else if (target.GetType() == DT_RELAY && target.GetKind() == CRelais::KIND_CONTROL) {
    p = kZoneControlOutput;
  } else if (target.GetType() == DT_CONTROLPAD && role == EntryRole::PriorityZone) {
    p = kZonePriorityOutput;
    q = 1;
  } else if (target.GetType() == DT_CONTROLPAD && role == EntryRole::ControlZone) {
    p = kZoneControlOutput;
    q = 1;
  }
  if (objectOutput != nullptr) *objectOutput = p;
  if (targetInput != nullptr) *targetInput = q;
}

bool CCardBusEditor::AssignObject(CBaseDevice& target, CBaseDevice& object, EntryRole role) {
  if (&target == &object || target.GetDocument() != &m_doc || object.GetDocument() != &m_doc) return false;
  int p = 0, q = 0;
  AssignmentPins(target, role, &p, &q);
  for (const ConnectionRecord& r : object.GetOutputConnections())
    if (r.pPeer == &target && r.nOwnPin == p && r.nPeerPin == q) return false;
  // A zone has one priority-call and one control relay output.
  if ((p == kZonePriorityOutput || p == kZoneControlOutput) && object.FindOutputConnection(p) != nullptr) return false;
  CBaseDevice::Connect(&object, p, &target, q);
  target.SetModified();
  return true;
}

// ---- Deletes -----------------------------------------------------------------------

bool CCardBusEditor::IsObjectInUse(const CBaseDevice& object, const CBaseDevice& card) const {
  if (object.FindInputConnection(0) != nullptr) return true;
  if (const auto* inner = dynamic_cast<const CKCM*>(&object)) return IsCardInUse(*inner);
  // A label that the logic links to would lose those links with it.
  if (object.GetType() == DT_CONTROLPAD) {
    for (const ConnectionRecord& r : object.GetInputConnections())
      if (r.pPeer != &card) return true;
    for (const ConnectionRecord& r : object.GetOutputConnections())
      if (r.pPeer != &card) return true;
  }
  return false;
}

bool CCardBusEditor::IsCardInUse(const CKCM& card) const {
  for (const ConnectionRecord& r : card.GetInputConnections())
    if (r.pPeer != nullptr && IsObjectInUse(*r.pPeer, card)) return true;
  return false;
}

bool CCardBusEditor::RemoveCard(CKCM& card) {
  if (card.GetDocument() != &m_doc || !m_doc.Contains(&card)) return false;
  if (IsCardInUse(card)) {
    AfxMessageBox(IDS_MODULE_IN_USE, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  RemoveCardUnchecked(card);
  return true;
}

void CCardBusEditor::RemoveCardUnchecked(CKCM& card) {
  std::vector<CBaseDevice*> peers;
  for (const ConnectionRecord& r : card.GetInputConnections())
    if (r.pPeer != nullptr && std::find(peers.begin(), peers.end(), r.pPeer) == peers.end()) peers.push_back(r.pPeer);
  for (CBaseDevice* peer : peers) {
    if (!m_doc.Contains(peer)) continue;
    // The cards on a bus card go with their own relays and labels.
    if (auto* inner = dynamic_cast<CKCM*>(peer)) {
      RemoveCardUnchecked(*inner);
      continue;
    }
    card.DisconnectInputsFrom(peer);
    if (!peer->OnCommand(ID_DELETE_OBJECT)) m_doc.DeleteObject(peer);
  }
  card.RemoveAllOutputConnections();
  // The card's own delete renumbers the higher cards of its model.
  card.OnCommand(ID_DELETE_OBJECT);
}

void CCardBusEditor::ResetRelayFunction(CRelais& relay) {
  relay.RemoveAllInputConnections();
  relay.SetKind(DefaultRelayKind(relay));
  relay.SetModified();
}

bool CCardBusEditor::RemoveLabel(CControlPad& pad) {
  if (pad.GetDocument() != &m_doc || !m_doc.Contains(&pad)) return false;
  CRelais* relay = nullptr;
  if (const ConnectionRecord* r = pad.FindOutputConnection(0)) relay = dynamic_cast<CRelais*>(r->pPeer);
  if (!pad.OnCommand(ID_DELETE_OBJECT)) return false;
  if (relay != nullptr && m_doc.Contains(relay)) {
    relay->SetKind(DefaultRelayKind(*relay));
    relay->SetModified();
  }
  return true;
}

int CCardBusEditor::RemoveAssignment(CBaseDevice& parent, CBaseDevice& object) {
  const auto before = parent.GetInputConnections().size();
  parent.DisconnectInputsFrom(&object);
  const int removed = static_cast<int>(before - parent.GetInputConnections().size());
  if (removed > 0) parent.SetModified();
  return removed;
}

// ---- Texts -----------------------------------------------------------------------

int CCardBusEditor::DefaultRelayKind(const CRelais& relay) {
  return relay.GetCardKind() == CRelais::KIND_KCM209 ? CRelais::KIND_KCM209 : CRelais::KIND_ZONE;
}

bool CCardBusEditor::IsRelayInUse(const CRelais& relay) {
  return relay.FindInputConnection(0) != nullptr || relay.GetKind() != DefaultRelayKind(relay);
}

QString CCardBusEditor::BusCardText(const CKCM& bus) {
  return FormatText(QStringLiteral("%s-%d"), {bus.GetName(), bus.GetID()});
}

QString CCardBusEditor::CardText(const CKCM& card) const {
  const QString model = ModelName(card.GetKind());
  switch (card.GetType()) {
    case DT_KCM208:
    case DT_KCM209: {
      // The whole series: relay numbers of the higher cards run past 100.
      const unsigned count = card.GetType() == DT_KCM209 ? CRelaisManager::kMaxRelayS : CRelaisManager::kMaxRelayR;
      BitSet bits = MakeBitSet(count);
      for (int pin = 0; pin < CRelais::kRelaysPerCard; ++pin) {
        const CRelais* relay = RelayOnInput(card, pin);
        if (relay != nullptr && IsRelayInUse(*relay) && relay->GetSeriesNumber() >= 1)
          SetBit(bits, relay->GetSeriesNumber() - 1, true);
      }
      return model + QStringLiteral(": ") + FormatRangeList(bits, count);
    }
    case DT_KCM212: {
      const unsigned count =
          static_cast<unsigned>(kKCM212Channels * std::max(CIDManager::GetPoolMaxID(DT_KCM212), card.GetID()));
      BitSet bits = MakeBitSet(count);
      int first = 0;
      ChannelRange(card, &first, nullptr);
      for (int pin = 0; pin < kKCM212Channels; ++pin)
        if (HasPadOnInput(card, pin)) SetBit(bits, static_cast<unsigned>(first + pin - 1), true);
      return model + QStringLiteral(": ") + FormatRangeList(bits, count);
    }
    case DT_KCM216: {
      const unsigned count =
          static_cast<unsigned>(kKCM216Channels * std::max(CIDManager::GetPoolMaxID(DT_KCM216), card.GetID()));
      BitSet ad = MakeBitSet(count);
      BitSet da = MakeBitSet(count);
      int first = 0;
      ChannelRange(card, &first, nullptr);
      for (int pin = 0; pin < kKCM216Channels; ++pin) {
        if (HasPadOnInput(card, pin)) SetBit(ad, static_cast<unsigned>(first + pin - 1), true);
        if (HasPadOnInput(card, pin + kDAPinBase)) SetBit(da, static_cast<unsigned>(first + pin - 1), true);
      }
      return model + QStringLiteral(": AD") + FormatRangeList(ad, count) + QStringLiteral(" DA") +
             FormatRangeList(da, count);
    }
    default: return card.GetName();
  }
}
