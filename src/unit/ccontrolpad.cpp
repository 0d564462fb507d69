#include "unit/ccontrolpad.h"

#include "model/carchive.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QRect>

#include <functional>
#include <memory>
#include <vector>

SELV_IMPLEMENT_SERIAL(CControlPad, 1)

namespace {

struct PadKind {
  int kind;
  const char* keyword;
  bool input;  // else output
};

// The pad families the unit addresses by keyword and number.
constexpr PadKind kPadKinds[] = {
    {CControlPad::kKindDigitalInput, "DIGIN", true},   {CControlPad::kKindDigitalOutput, "DIGOUT", false},
    {CControlPad::kKindSlaveClock, "SLAVECLK", false}, {CControlPad::kKindDcf, "DCF", true},
    {CControlPad::kKindReady, "READY", false},         {CControlPad::kKindInterfaceInput, "INP", true},
    {CControlPad::kKindKCM208, "KCM208", false},       {CControlPad::kKindKCM209, "KCM209", false},
    {CControlPad::kKindKCM212, "KCM212", true},        {CControlPad::kKindKCM216, "KCM216IN", true},
    {CControlPad::kKindKCM216Input, "KCM216IN", true}, {CControlPad::kKindKCM216Output, "KCM216OUT", false},
};

const PadKind* FindKind(int kind) {
  for (const PadKind& entry : kPadKinds) {
    if (entry.kind == kind) return &entry;
  }
  return nullptr;
}

// Channels per card on the card bus: a card's channels follow those of the
// cards of the same model with lower identifiers.
constexpr int kRelaysPerCard = 5;
constexpr int kKCM212Channels = 12;
constexpr int kKCM216Channels = 8;

}  // namespace

CControlPad::CControlPad() { SetType(DT_CONTROLPAD); }

void CControlPad::Serialize(CArchive& ar) {
  // The pad's terminal is one of its connections; nothing else is stored.
  CBaseDevice::Serialize(ar);
}

const ConnectionRecord* CControlPad::FindTerminalOut(int type) const {
  for (const ConnectionRecord& record : GetOutputConnections()) {
    if (record.nOwnPin == 0 && record.pPeer != nullptr && record.pPeer->GetType() == type) return &record;
  }
  return nullptr;
}

const ConnectionRecord* CControlPad::FindTerminal(int type) const {
  for (const ConnectionRecord& record : GetInputConnections()) {
    if (record.nOwnPin == 0 && record.pPeer != nullptr && record.pPeer->GetType() == type) return &record;
  }
  return nullptr;
}

int CControlPad::GetNumber() const {
  switch (GetKind()) {
    case kKindDigitalInput:
      if (const ConnectionRecord* r = FindTerminalOut(DT_DIGITALSLOT)) return r->nPeerPin + 1;
      return 0;
    case kKindDigitalOutput:
    case kKindSlaveClock:
      if (const ConnectionRecord* r = FindTerminal(DT_DIGITALSLOT)) return r->nPeerPin + 1;
      return 0;
    case kKindDcf: return FindTerminalOut(DT_INTERFACESLOT) != nullptr ? 1 : 0;
    case kKindReady:
      if (const ConnectionRecord* r = FindTerminal(DT_INTERFACESLOT)) return r->nPeerPin + 1;
      return 0;
    case kKindInterfaceInput:
      // INP1 and INP2 are the interface slot's input pins 2 and 3.
      if (const ConnectionRecord* r = FindTerminalOut(DT_INTERFACESLOT)) return r->nPeerPin >= 2 ? r->nPeerPin - 1 : 0;
      return 0;
    case kKindKCM208:
    case kKindKCM209: {
      const int cardType = GetKind() == kKindKCM208 ? DT_KCM208 : DT_KCM209;
      // The pad drives a relay, and the relay sits on an input of its card.
      if (const ConnectionRecord* r = FindTerminalOut(DT_RELAY)) {
        for (const ConnectionRecord& relayOut : r->pPeer->GetOutputConnections()) {
          if (relayOut.nOwnPin == 0 && relayOut.pPeer != nullptr && relayOut.pPeer->GetType() == cardType) {
            return kRelaysPerCard * (relayOut.pPeer->GetID() - 1) + relayOut.nPeerPin + 1;
          }
        }
        return 0;
      }
      if (const ConnectionRecord* r = FindTerminalOut(cardType)) {
        return kRelaysPerCard * (r->pPeer->GetID() - 1) + r->nPeerPin + 1;
      }
      return 0;
    }
    case kKindKCM212:
      if (const ConnectionRecord* r = FindTerminalOut(DT_KCM212)) {
        return kKCM212Channels * (r->pPeer->GetID() - 1) + r->nPeerPin + 1;
      }
      return 0;
    case kKindKCM216:
    case kKindKCM216Input:
    case kKindKCM216Output:
      if (const ConnectionRecord* r = FindTerminalOut(DT_KCM216)) {
        const int channel = r->nPeerPin >= kKCM216OutputPinBase ? r->nPeerPin - kKCM216OutputPinBase : r->nPeerPin;
        return kKCM216Channels * (r->pPeer->GetID() - 1) + channel + 1;
      }
      return 0;
    default: return 0;
  }
}

QString CControlPad::KeywordOfKind(int kind) {
  const PadKind* entry = FindKind(kind);
  return entry != nullptr ? QString::fromLatin1(entry->keyword) : QString();
}

bool CControlPad::IsSourceKind(int kind) { return FindKind(kind) != nullptr; }

bool CControlPad::IsInputKind(int kind) {
  const PadKind* entry = FindKind(kind);
  return entry != nullptr && entry->input;
}

bool CControlPad::IsOutputKind(int kind) {
  const PadKind* entry = FindKind(kind);
  return entry != nullptr && !entry->input;
}

QString CControlPad::GetKeyword() const {
  if (GetKind() == kKindKCM216) {
    // Until the card dialog has told the channel's direction, the card pin says it.
    const ConnectionRecord* r = FindTerminalOut(DT_KCM216);
    if (r != nullptr && r->nPeerPin >= kKCM216OutputPinBase) return KeywordOfKind(kKindKCM216Output);
  }
  return KeywordOfKind(GetKind());
}

bool CControlPad::IsInput() const {
  if (GetKind() == kKindKCM216) return GetKeyword() == KeywordOfKind(kKindKCM216Input);
  return IsInputKind(GetKind());
}

bool CControlPad::IsOutput() const {
  if (GetKind() == kKindKCM216) return !IsInput();
  return IsOutputKind(GetKind());
}

bool CControlPad::Matches(const QString& keyword, int number) const {
  if (!IsSourceKind(GetKind())) return false;
  return GetKeyword().compare(keyword, Qt::CaseInsensitive) == 0 && GetNumber() == number;
}

bool CControlPad::MatchesPadKeyword(const QString& keyword, int number) const { return Matches(keyword, number); }

QString CControlPad::GetToolTipText() const {
  const QString keyword = GetKeyword();
  if (keyword.isEmpty()) return GetName();
  return GetName() + QLatin1Char('\n') + keyword + Fmt(" %d", GetNumber());
}

// ---- Registration ------------------------------------------------------------------

namespace {

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_CONTROLPAD, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
    auto pad = std::make_unique<CControlPad>();
    if (!pad->Create(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, CBaseDevice::TF_NAME | CBaseDevice::TF_RIGHT,
                     &doc)) {
      return nullptr;
    }
    return pad;
  });
  return true;
}();

// Pads offered by a selection: name and ID, the pad's ID as result.
SelectionList PadChoices(const CSelvantisDoc* doc, const SelectionRequest& request,
                         const std::function<bool(const CControlPad&)>& accept) {
  SelectionList list;
  if (doc == nullptr) return list;
  std::vector<CBaseDevice*> pads;
  doc->GetIDManager().GetBaseDeviceList(pads, DT_CONTROLPAD);
  for (const CBaseDevice* object : pads) {
    const auto* pad = dynamic_cast<const CControlPad*>(object);
    if (pad == nullptr || !accept(*pad)) continue;
    SelectionChoice choice;
    choice.columns = {pad->GetName(), pad->GetIDString()};
    choice.number = pad->GetID();
    choice.type = DT_CONTROLPAD;
    choice.value = pad->GetID();
    choice.preselected =
        request.current == pad->GetID() || (!request.selection.isEmpty() && pad->GetName() == request.selection);
    list.choices.push_back(choice);
  }
  return list;
}

constexpr uint32_t kSelectKCM208 = CControlPad::kKindKCM208;
constexpr uint32_t kSelectKCM209 = CControlPad::kKindKCM209;
constexpr uint32_t kSelectKCM216Input = CControlPad::kKindKCM216Input;
// "No entry" and the control pads a logic output can switch.
constexpr uint32_t kSelectLogicOutPads = 34460;
constexpr uint32_t kSelectNoEntry = 34421;
// The inputs a ready input can watch ("READYINP").
constexpr uint32_t kSelectReadyInputPads = 34282;
// The inputs a condition can watch.
constexpr uint32_t kSelectConditionInputs = 36101;

SELV_REGISTER_SELECTION(kSelectKCM208, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return PadChoices(doc, request, [](const CControlPad& pad) { return pad.GetKind() == CControlPad::kKindKCM208; });
})

SELV_REGISTER_SELECTION(kSelectKCM209, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return PadChoices(doc, request, [](const CControlPad& pad) { return pad.GetKind() == CControlPad::kKindKCM209; });
})

SELV_REGISTER_SELECTION(kSelectKCM216Input, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return PadChoices(doc, request, [](const CControlPad& pad) {
    return (pad.GetKind() == CControlPad::kKindKCM216Input || pad.GetKind() == CControlPad::kKindKCM216) &&
           pad.IsInput();
  });
})

SELV_REGISTER_SELECTION(kSelectReadyInputPads, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return PadChoices(doc, request, [](const CControlPad& pad) { return pad.IsInput(); });
})

SELV_REGISTER_SELECTION(kSelectConditionInputs, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return PadChoices(doc, request, [](const CControlPad& pad) { return pad.IsInput(); });
})

SELV_REGISTER_SELECTION(kSelectLogicOutPads, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  SelectionList pads = PadChoices(doc, request, [](const CControlPad&) { return true; });
  SelectionList list;
  SelectionChoice none;
  const QString noEntry = LoadString(kSelectNoEntry);
  none.columns = {noEntry.isEmpty() ? QStringLiteral("No entry") : noEntry};
  none.number = 0;
  none.preselected = request.current == 0 && request.selection.isEmpty();
  list.choices.push_back(none);
  for (const SelectionChoice& choice : pads.choices) list.choices.push_back(choice);
  return list;
})

}  // namespace
