#ifndef SELV_LINK_CLINEOWNER_H
#define SELV_LINK_CLINEOWNER_H

#include <QCoreApplication>
#include <QString>

// Who has the line to the unit. A transfer takes it for its run; while it
// has it, only the transfer writes on the line and changes the link's mode.
// Everything runs on the one thread, so "the transfer" is whatever runs
// while the line is taken, except where the event loop runs in between:
// while the link pumps events for the transfer (window timers fire there)
// and in an event loop nested deeper than the one the line was taken from
// (a dialog's). What is asked there comes from someone else and is refused,
// with Refusal() to say why. Windows simply ask again later.
class CLineOwner final {
  Q_DECLARE_TR_FUNCTIONS(CLineOwner)

 public:
  CLineOwner() = default;
  CLineOwner(const CLineOwner&) = delete;
  CLineOwner& operator=(const CLineOwner&) = delete;

  // False when another owner has the line; taking it again is harmless.
  bool Take(const void* owner);
  // Only the owner gives it back.
  void GiveBack(const void* owner);
  bool IsTaken() const noexcept { return m_owner != nullptr; }
  // True when the line may be used now: nobody has it, or its owner's own
  // code runs.
  bool Admits() const;
  // Why a request was refused, in the user's language.
  static QString Refusal();

  // Requests refused since the line was taken.
  int Refused() const noexcept { return m_refused; }
  void CountRefusal() noexcept { ++m_refused; }

  // While it lives, the event loop runs for the owner: what runs is not the
  // owner's code.
  class Pumping final {
   public:
    explicit Pumping(CLineOwner& owner) : m_owner(owner) { ++m_owner.m_pumping; }
    ~Pumping() { --m_owner.m_pumping; }
    Pumping(const Pumping&) = delete;
    Pumping& operator=(const Pumping&) = delete;

   private:
    CLineOwner& m_owner;
  };

 private:
  const void* m_owner = nullptr;
  int m_loopLevel = 0;
  int m_pumping = 0;
  int m_refused = 0;
};

#endif
