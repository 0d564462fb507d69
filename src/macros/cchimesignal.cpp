#include "macros/cchimesignal.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CChimeSignal, 1)

namespace {

std::unique_ptr<CAudioSignal> Make() { return std::make_unique<CChimeSignal>(); }

const bool kRegistered = CAudioSignal::RegisterSignalType(DT_CHIMESIGNAL, CAudioSignal::kKindChime, Make);

}  // namespace

CChimeSignal::CChimeSignal() : CAudioSignal(DT_CHIMESIGNAL, kDefaultPriority) { m_nKind = kKindChime; }
