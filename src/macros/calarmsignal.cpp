#include "macros/calarmsignal.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CAlarmSignal, 1)

namespace {

std::unique_ptr<CAudioSignal> Make() { return std::make_unique<CAlarmSignal>(); }

const bool kRegistered = CAudioSignal::RegisterSignalType(DT_ALARMSIGNAL, CAudioSignal::kKindAlarm, Make);

}  // namespace

CAlarmSignal::CAlarmSignal() : CAudioSignal(DT_ALARMSIGNAL, kDefaultPriority) { m_nKind = kKindAlarm; }
