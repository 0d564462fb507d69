#include "link/clinetoken.h"

#include "link/clineowner.h"
#include "model/cmessagesink.h"

#include <utility>

CLineToken::CLineToken(std::weak_ptr<LineHold> hold, uint64_t id) : m_hold(std::move(hold)), m_id(id) {}

CLineToken::CLineToken(CLineToken&& other) noexcept
    : m_hold(std::move(other.m_hold)), m_id(std::exchange(other.m_id, 0)) {}

CLineToken& CLineToken::operator=(CLineToken&& other) noexcept {
  if (this != &other) {
    Drop();
    m_hold = std::move(other.m_hold);
    m_id = std::exchange(other.m_id, 0);
  }
  return *this;
}

CLineToken::~CLineToken() { Drop(); }

bool CLineToken::IsHeld() const {
  const std::shared_ptr<LineHold> hold = m_hold.lock();
  return hold && m_id != 0 && hold->holder == m_id;
}

void CLineToken::GiveBack() {
  const std::shared_ptr<LineHold> hold = m_hold.lock();
  if (!hold || m_id == 0 || hold->holder != m_id) return;
  const int refused = hold->refused;
  const LineUse before = CLineOwner::UseOf(*hold);
  hold->holder = 0;
  hold->presented = 0;
  hold->refused = 0;
  CLineOwner::TellChange(*hold, before);
  if (hold->onGiveBack) hold->onGiveBack(refused);
}

void CLineToken::Drop() {
  GiveBack();
  if (const std::shared_ptr<LineHold> hold = m_hold.lock(); hold && m_id != 0 && hold->transfer == m_id) {
    hold->transfer = 0;
    CLineOwner::TellChange(*hold, LineUse::Transfer);
  }
  m_hold.reset();
  m_id = 0;
}

CLineToken::Presented CLineToken::Present() const {
  if (!IsHeld()) return Presented();
  return Presented(m_hold, m_id);
}

CLineToken::Presented::Presented(std::weak_ptr<LineHold> hold, uint64_t id) : m_hold(std::move(hold)), m_id(id) {
  if (const std::shared_ptr<LineHold> h = m_hold.lock()) {
    // Boxes already open and event loops already run for someone belong to
    // before: the holder may have taken the line inside one.
    if (h->presented++ == 0) {
      h->boxesAtPresent = CMessageSink::Waiting();
      h->othersAtPresent = h->othersTurn;
    }
  }
}

CLineToken::Presented::Presented(Presented&& other) noexcept
    : m_hold(std::move(other.m_hold)), m_id(std::exchange(other.m_id, 0)) {}

CLineToken::Presented& CLineToken::Presented::operator=(Presented&& other) noexcept {
  if (this != &other) {
    End();
    m_hold = std::move(other.m_hold);
    m_id = std::exchange(other.m_id, 0);
  }
  return *this;
}

CLineToken::Presented::~Presented() { End(); }

void CLineToken::Presented::End() {
  // A line given back in the meantime has forgotten its presentations.
  if (const std::shared_ptr<LineHold> h = m_hold.lock(); h && m_id != 0 && h->holder == m_id && h->presented > 0)
    --h->presented;
  m_hold.reset();
  m_id = 0;
}
