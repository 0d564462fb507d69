#include "link/clinetoken.h"

#include "link/clineowner.h"

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
  hold->carried = 0;
  hold->refused = 0;
  CLineOwner::TellChange(*hold, before);
  if (hold->onGiveBack) hold->onGiveBack(refused);
}

void CLineToken::Drop() {
  GiveBack();
  if (const std::shared_ptr<LineHold> hold = m_hold.lock(); hold && m_id != 0 && hold->transfer == m_id) {
    hold->transfer = 0;
    hold->cancelTransfer = nullptr;
    CLineOwner::TellChange(*hold, LineUse::Transfer);
  }
  m_hold.reset();
  m_id = 0;
}

CLineToken::Carried CLineToken::Carry() const { return IsHeld() ? Carried(m_hold) : Carried(); }

CLineToken::Away CLineToken::HandAway() const { return IsHeld() ? Away(m_hold) : Away(); }

void CLineToken::SetCancelHook(std::function<void()> cancel) {
  const std::shared_ptr<LineHold> hold = m_hold.lock();
  if (hold && m_id != 0 && hold->transfer == m_id) hold->cancelTransfer = std::move(cancel);
}

// ---- Carried, Away --------------------------------------------------------------------

CLineToken::Carried::Carried(std::weak_ptr<LineHold> hold) : Restore(std::move(hold)) {
  if (const std::shared_ptr<LineHold> h = Hold()) {
    ++h->carried;
    h->carryLevel = CLineOwner::LoopLevel();
  }
}

CLineToken::Away::Away(std::weak_ptr<LineHold> hold) : Restore(std::move(hold)) {
  if (const std::shared_ptr<LineHold> h = Hold()) h->carried = 0;
}

CLineToken::Restore::Restore(std::weak_ptr<LineHold> hold) {
  const std::shared_ptr<LineHold> h = hold.lock();
  if (!h || h->holder == 0) return;
  m_hold = h;
  m_id = h->holder;
  m_carried = h->carried;
  m_level = h->carryLevel;
}

std::shared_ptr<LineHold> CLineToken::Restore::Hold() const { return m_id != 0 ? m_hold.lock() : nullptr; }

CLineToken::Restore::Restore(Restore&& other) noexcept
    : m_hold(std::move(other.m_hold)),
      m_id(std::exchange(other.m_id, 0)),
      m_carried(other.m_carried),
      m_level(other.m_level) {}

CLineToken::Restore& CLineToken::Restore::operator=(Restore&& other) noexcept {
  if (this != &other) {
    End();
    m_hold = std::move(other.m_hold);
    m_id = std::exchange(other.m_id, 0);
    m_carried = other.m_carried;
    m_level = other.m_level;
  }
  return *this;
}

CLineToken::Restore::~Restore() { End(); }

void CLineToken::Restore::End() {
  // The carrying around it goes on as it was; a line given back in the
  // meantime has forgotten its carries, and a new holder keeps its own.
  if (const std::shared_ptr<LineHold> h = Hold(); h && h->holder == m_id) {
    h->carried = m_carried;
    h->carryLevel = m_level;
  }
  m_hold.reset();
  m_id = 0;
}
