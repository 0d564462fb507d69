#include "macros/cinternalmessagesignal.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CInternalMessageSignal, 1)

namespace {

std::unique_ptr<CAudioSignal> Make() { return std::make_unique<CInternalMessageSignal>(); }

const bool kRegistered = CAudioSignal::RegisterSignalType(DT_INTMESSAGESIGNAL, CAudioSignal::kKindText, Make);

}  // namespace

CInternalMessageSignal::CInternalMessageSignal() : CAudioSignal(DT_INTMESSAGESIGNAL, kDefaultPriority) {
  m_nKind = kKindText;
}
