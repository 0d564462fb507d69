#include "editors/signals/signalpagelogic.h"

#include "macros/calarmgenerator.h"
#include "macros/calarmsignal.h"
#include "macros/caudiosignal.h"
#include "macros/cchimesignal.h"
#include "macros/cgong.h"
#include "macros/cmessagesignal.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "unit/cinternalmessagerec.h"

#include <algorithm>

namespace {
constexpr uint32_t kNoExternalText = 34274;
constexpr uint32_t kNoMemoryText = 34026;

// The generator or gong that sounds the signal. Both records of this link
// carry the signal's category (16), as the project file holds it; the
// generator's own list (8) is not what the records name.
void LinkSource(CAudioSignal* signal, CBaseDevice* source) {
  if (signal == nullptr || source == nullptr || source->GetType() != signal->GetSourceType()) return;
  signal->SetSource(nullptr);
  CBaseDevice::Connect(source, 0, signal, CAudioSignal::kPinSource, CAT_MISC);
}
}  // namespace

SignalPageLogic::SignalPageLogic(CSelvantisDoc& doc, int kind) : m_doc(doc), m_kind(kind) { Refresh(); }

void SignalPageLogic::Refresh() {
  m_sources.clear();
  m_macros.clear();
  m_messageNames.clear();
  const int sourceKind = m_kind == CAudioSignal::kKindAlarm   ? CAlarmGenerator::kKind
                         : m_kind == CAudioSignal::kKindChime ? CGong::kKind
                                                              : 0;
  for (CBaseDevice* object : m_doc.GetAllObjects()) {
    if (sourceKind != 0 && object->GetKind() == sourceKind) m_sources.push_back(object);
    if (object->GetType() == DT_MACRO) m_macros.push_back(object);
  }
  if (m_kind == CAudioSignal::kKindMessage) {
    if (const CInternalMessageRec* rec = CInternalMessageRec::Find(&m_doc)) rec->ListChoices(1, &m_messageNames);
  }
}

int SignalPageLogic::DefaultPriority() const {
  switch (m_kind) {
    case CAudioSignal::kKindAlarm: return 9;
    case CAudioSignal::kKindChime: return 7;
    default: return 6;
  }
}

bool SignalPageLogic::HasMacros() const { return m_kind != CAudioSignal::kKindChime; }
bool SignalPageLogic::HasSourceChoice() const { return m_kind != CAudioSignal::kKindChime; }

QStringList SignalPageLogic::ListTexts() const {
  if (m_kind == CAudioSignal::kKindMessage) return QStringList{QStringLiteral("OFF")} + m_messageNames;
  QStringList texts;
  for (const CBaseDevice* source : m_sources) texts << source->GetName();
  return texts;
}

QStringList SignalPageLogic::MacroTexts() const {
  QStringList texts{QStringLiteral("OFF")};
  for (const CBaseDevice* macro : m_macros) texts << macro->GetName();
  return texts;
}

bool SignalPageLogic::Handles(const CAudioSignal* signal) const { return signal && signal->GetKind() == m_kind; }

CBaseDevice* SignalPageLogic::SourceAt(int row) const {
  if (m_kind == CAudioSignal::kKindMessage || row < 0 || row >= int(m_sources.size())) return nullptr;
  return m_sources[size_t(row)];
}

int SignalPageLogic::MacroIndex(const CBaseDevice* macro) const {
  const auto it = std::find(m_macros.begin(), m_macros.end(), macro);
  return macro && it != m_macros.end() ? int(it - m_macros.begin()) + 1 : 0;
}

CBaseDevice* SignalPageLogic::MacroAt(int index) const {
  return index > 0 && index <= int(m_macros.size()) ? m_macros[size_t(index - 1)] : nullptr;
}

SignalPageLogic::State SignalPageLogic::Load(const CAudioSignal* signal) const {
  State state;
  state.priority = DefaultPriority();
  state.listRow = ListTexts().isEmpty() ? -1 : 0;
  if (!Handles(signal)) return state;
  state.priority = std::clamp(signal->GetPriority(), CAudioSignal::kMinPriority, CAudioSignal::kMaxPriority);
  if (HasMacros()) {
    state.startMacro = MacroIndex(signal->GetStartMacro());
    state.stopMacro = MacroIndex(signal->GetStopMacro());
  }
  if (m_kind == CAudioSignal::kKindMessage) {
    const int row = signal->GetMessageNumber();
    state.bInternal = true;
    state.listRow = row >= 0 && row < ListTexts().size() ? row : 0;
    return state;
  }
  const CBaseDevice* source = signal->GetSource();
  const auto it = std::find(m_sources.begin(), m_sources.end(), source);
  state.bInternal = source != nullptr;
  state.listRow = source && it != m_sources.end() ? int(it - m_sources.begin()) : -1;
  return state;
}

bool SignalPageLogic::Save(CAudioSignal* signal, const State& state) const {
  if (!Handles(signal)) return false;
  signal->SetValueText(1,
                       Fmt("%d", std::clamp(state.priority, CAudioSignal::kMinPriority, CAudioSignal::kMaxPriority)));
  // Only the signal's own wiring is rewritten: the macros that play the
  // signal stay linked to it.
  signal->RemoveOwnConnections();
  if (HasMacros()) {
    signal->SetStartMacro(MacroAt(state.startMacro));
    signal->SetStopMacro(MacroAt(state.stopMacro));
  }
  if (m_kind == CAudioSignal::kKindMessage) {
    const int row = state.bInternal && state.listRow > 0 && state.listRow < ListTexts().size() ? state.listRow : 0;
    signal->SetValueText(2, Fmt("%d", row));
  } else if (state.bInternal || m_kind == CAudioSignal::kKindChime) {
    LinkSource(signal, SourceAt(state.listRow));
  }
  return true;
}

CAudioSignal* SignalPageLogic::Create(const State& state) const {
  CBaseDevice* source = SourceAt(state.listRow);
  if (m_kind == CAudioSignal::kKindAlarm && (!state.bInternal || !source)) {
    AfxMessageBox(kNoExternalText, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  if (m_kind != CAudioSignal::kKindAlarm && m_kind != CAudioSignal::kKindChime && m_kind != CAudioSignal::kKindMessage)
    return nullptr;
  CAudioSignal* signal = CAudioSignal::CreateSignal(m_kind, m_doc);
  if (!signal) {
    AfxMessageBox(kNoMemoryText, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  signal->SetValueText(1, Fmt("%d", DefaultPriority()));
  if (m_kind != CAudioSignal::kKindMessage) LinkSource(signal, source);
  return signal;
}

SignalPageLogic::State SignalPageLogic::WithSource(State state, bool bInternal) {
  state.bInternal = bInternal;
  state.listRow = bInternal ? 0 : -1;
  return state;
}

SignalPageLogic::State SignalPageLogic::ChooseSource(State state, bool bInternal) const {
  if (m_kind != CAudioSignal::kKindMessage) return WithSource(state, bInternal);
  state.bInternal = bInternal;
  return state;
}
