#include "editors/signals/signallistlogic.h"

#include "macros/caudiosignal.h"
#include "model/cselvantisdoc.h"

int SignalListLogic::PageOfKind(int kind) {
  switch (kind) {
    case CAudioSignal::kKindAlarm: return kPageAlarm;
    case CAudioSignal::kKindChime: return kPageChime;
    case CAudioSignal::kKindMessage:
    case CAudioSignal::kKindText: return kPageMessage;
    default: return -1;
  }
}

bool SignalListLogic::IsListed(const CBaseDevice* object) {
  const auto* signal = dynamic_cast<const CAudioSignal*>(object);
  return signal && PageOfKind(signal->GetKind()) >= 0 && !signal->IsFedBySequence();
}

std::vector<CAudioSignal*> SignalListLogic::ListedSignals(const CSelvantisDoc& doc) {
  std::vector<CAudioSignal*> out;
  for (CBaseDevice* object : doc.GetAllObjects())
    if (IsListed(object)) out.push_back(static_cast<CAudioSignal*>(object));
  return out;
}

QString SignalListLogic::SourceText(const CAudioSignal* signal) {
  if (signal) {
    const int type = signal->GetSourceType();
    for (const auto* list : {&signal->GetInputConnections(), &signal->GetOutputConnections()})
      for (const ConnectionRecord& record : *list)
        if (record.pPeer && record.pPeer->GetType() == type) return record.pPeer->GetName();
  }
  return QStringLiteral("Intern");
}
