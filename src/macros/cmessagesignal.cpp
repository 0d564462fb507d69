#include "macros/cmessagesignal.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CMessageSignal, 1)

namespace {

std::unique_ptr<CAudioSignal> Make() { return std::make_unique<CMessageSignal>(); }

const bool kRegistered = CAudioSignal::RegisterSignalType(DT_MESSAGESIGNAL, CAudioSignal::kKindMessage, Make);

}  // namespace

CMessageSignal::CMessageSignal() : CAudioSignal(DT_MESSAGESIGNAL, kDefaultPriority) { m_nKind = kKindMessage; }
