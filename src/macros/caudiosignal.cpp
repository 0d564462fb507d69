#include "macros/caudiosignal.h"

#include "link/linkmode.h"
#include "macros/cmacro.h"
#include "model/carchive.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"

#include <algorithm>

namespace {

constexpr int kMaxMessageNumber = 255;

enum Field { F_PRIO, F_SOURCE, F_FILE, F_START, F_STOP };

}  // namespace

CAudioSignal::CAudioSignal(int type, int defaultPriority) : m_priority(defaultPriority) { m_nType = type; }

CAudioSignal::~CAudioSignal() = default;

QString CAudioSignal::BuildCommandPath() const { return Fmt("/SIGNAL/%s%d", PathWord(), m_nID); }

int CAudioSignal::TypeOfKind(int kind) {
  switch (kind) {
    case kKindAlarm: return DT_ALARMSIGNAL;
    case kKindChime: return DT_CHIMESIGNAL;
    case kKindMessage: return DT_MESSAGESIGNAL;
    case kKindText: return DT_INTMESSAGESIGNAL;
    default: return 0;
  }
}

bool CAudioSignal::IsSignalKind(int kind) { return TypeOfKind(kind) != 0; }

bool CAudioSignal::RegisterSignalType(int type, int kind, Maker make) {
  CSelvantisDoc::RegisterObjectFactory(
      type, [type, kind, make](CSelvantisDoc& doc, int requested) -> std::unique_ptr<CBaseDevice> {
        if (TypeOfKind(requested) != type) requested = kind;
        std::unique_ptr<CAudioSignal> signal = make();
        if (!signal->Create(requested, 3, 1, QString(), QRect(), CAT_MISC, 0,
                            CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
          return nullptr;
        return signal;
      });
  CSelectionProvider::Global().Register(static_cast<uint32_t>(kind),
                                        [type](const CSelvantisDoc* doc, const SelectionRequest&) {
                                          SelectionList list;
                                          if (!doc) return list;
                                          std::vector<CBaseDevice*> found;
                                          doc->GetIDManager().GetBaseDeviceList(found, type);
                                          for (CBaseDevice* s : found) {
                                            SelectionChoice choice;
                                            choice.columns << s->GetName() << s->GetIDString();
                                            choice.number = s->GetID();
                                            choice.type = type;
                                            choice.value = s->GetID();
                                            list.choices.push_back(choice);
                                          }
                                          return list;
                                        });
  return true;
}

CAudioSignal* CAudioSignal::CreateSignal(int kind, CSelvantisDoc& doc) {
  const int type = TypeOfKind(kind);
  if (type == 0) return nullptr;
  return dynamic_cast<CAudioSignal*>(doc.CreateObject(type, kind));
}

// ---- Values -----------------------------------------------------------------------

void CAudioSignal::GetValueText(QString* out, int which) const {
  if (!out) return;
  if (which == 1)
    *out = Fmt("%d", m_priority);
  else if (which == 2)
    *out = Fmt("%d", m_messageNumber);
  else
    out->clear();
}

QString CAudioSignal::GetValueText(int which) const {
  QString text;
  GetValueText(&text, which);
  return text;
}

void CAudioSignal::SetValueText(int which, const QString& text) {
  int value = 0;
  const bool isNumber = ScanInt(text, &value);
  if (which == 1) {
    m_priority = isNumber && value >= kMinPriority && value <= kMaxPriority ? value : kMinPriority;
    SetModified();
  } else if (which == 2 && isNumber) {
    m_messageNumber = std::clamp(value, 0, kMaxMessageNumber);
    SetModified();
  }
}

// ---- Wiring -------------------------------------------------------------------------

CBaseDevice* CAudioSignal::InputOfType(int pin, int type) const {
  for (const ConnectionRecord& r : m_inputs)
    if (r.nOwnPin == pin && r.pPeer && r.pPeer->GetType() == type) return r.pPeer;
  return nullptr;
}

void CAudioSignal::SetInputOfType(int pin, int type, CBaseDevice* peer) {
  // The same peer again (an upload taking back what went down) keeps its
  // connection where it is, so the project saves as it did.
  if (peer && peer == InputOfType(pin, type)) return;
  while (CBaseDevice* old = InputOfType(pin, type)) {
    if (Disconnect(old, 0, this, pin) == 0) {
      DisconnectInputsFrom(old);
    }
  }
  if (peer && peer->GetType() == type) Connect(peer, 0, this, pin);
  SetModified();
}

CBaseDevice* CAudioSignal::GetSource() const { return InputOfType(kPinSource, GetSourceType()); }
void CAudioSignal::SetSource(CBaseDevice* source) { SetInputOfType(kPinSource, GetSourceType(), source); }
CBaseDevice* CAudioSignal::GetStartMacro() const { return InputOfType(kPinStartMacro, DT_MACRO); }
CBaseDevice* CAudioSignal::GetStopMacro() const { return InputOfType(kPinStopMacro, DT_MACRO); }
void CAudioSignal::SetStartMacro(CBaseDevice* macro) { SetInputOfType(kPinStartMacro, DT_MACRO, macro); }
void CAudioSignal::SetStopMacro(CBaseDevice* macro) { SetInputOfType(kPinStopMacro, DT_MACRO, macro); }

void CAudioSignal::RemoveOwnConnections() {
  RemoveAllInputConnections();
  SetModified();
}

bool CAudioSignal::IsFedBySequence() const {
  for (const ConnectionRecord& r : m_inputs)
    if (r.nOwnPin == kPinSequence && r.pPeer) return true;
  return false;
}

// ---- Transfer -----------------------------------------------------------------------

std::vector<CAudioSignal::Line> CAudioSignal::Lines() const {
  std::vector<Line> lines = {{"/PRIO", F_PRIO}, {"/SOURCE", F_SOURCE}};
  if (HasMessageNumber()) lines.push_back({"/FILE", F_FILE});
  if (HasMacros()) {
    lines.push_back({"/START_MAC", F_START});
    lines.push_back({"/STOP_MAC", F_STOP});
  }
  return lines;
}

int CAudioSignal::Download(bool bQuery, int nStep) {
  const std::vector<Line> lines = Lines();
  const int count = static_cast<int>(lines.size());
  if (nStep < 0) return count;
  if (nStep >= count) return -1;
  const Line& line = lines[static_cast<size_t>(nStep)];
  int value = 0;
  switch (line.field) {
    case F_PRIO: value = m_priority; break;
    case F_SOURCE: value = GetSource() ? GetSource()->GetID() : 0; break;
    case F_FILE: value = m_messageNumber; break;
    case F_START: value = GetStartMacro() ? GetStartMacro()->GetID() : 0; break;
    case F_STOP: value = GetStopMacro() ? GetStopMacro()->GetID() : 0; break;
  }
  return SendStep(bQuery, nStep, m_strPath, QLatin1String(line.key), Fmt("%d", value));
}

bool CAudioSignal::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (mode != LINKMODE_UPLOAD || !SplitUploadLine(line, &key, &value)) return false;
  for (const Line& l : Lines()) {
    if (key != QLatin1String(l.key)) continue;
    int number = 0;
    const QString v = value.trimmed();
    if (v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0)
      number = 0;
    else if (!ScanInt(v, &number))
      return false;
    switch (l.field) {
      case F_PRIO: SetValueText(1, v); return true;
      case F_FILE: SetValueText(2, v); return true;
      case F_SOURCE: {
        CBaseDevice* source =
            m_pDoc && number > 0 ? m_pDoc->GetIDManager().FindBaseDevice(number, GetSourceType()) : nullptr;
        if (number > 0 && !source) AppendMissingLine(errorFilePath, static_cast<uint32_t>(m_nKind), m_nID, v);
        SetSource(source);
        return true;
      }
      case F_START:
      case F_STOP: {
        CBaseDevice* macro = m_pDoc && number > 0 ? CMacro::FindOrCreatePlaceholder(*m_pDoc, number) : nullptr;
        if (l.field == F_START)
          SetStartMacro(macro);
        else
          SetStopMacro(macro);
        return true;
      }
    }
  }
  return false;
}

QString CAudioSignal::GetToolTipText() const {
  QStringList lines;
  lines << GetName() << Fmt("ID %d", m_nID) << Fmt("PRIO %d", m_priority);
  if (const CBaseDevice* source = GetSource()) lines << source->GetName();
  return lines.join(QLatin1Char('\n'));
}

// ---- Project file ---------------------------------------------------------------------

void CAudioSignal::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_priority) << static_cast<int32_t>(m_messageNumber);
    return;
  }
  int32_t priority = 0, number = 0;
  ar >> priority >> number;
  m_priority = priority >= kMinPriority && priority <= kMaxPriority ? priority : kMinPriority;
  m_messageNumber = std::clamp<int32_t>(number, 0, kMaxMessageNumber);
}
