#ifndef SELV_LINK_CLINEOWNER_H
#define SELV_LINK_CLINEOWNER_H

#include "link/clinetoken.h"
#include "link/lineuse.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// What a taker of the line wants it for.
enum class LinePurpose {
  Transfer,  // a download, an upload, a comparison, a command file
  Closing,   // the end of the connection: its closing lines and their waits
};

// The state a link's owner and its tokens share; a token outlives its link
// harmlessly.
struct LineHold {
  uint64_t holder = 0;    // the id of the token that has the line, 0: nobody
  uint64_t transfer = 0;  // the id of a transfer's token while it lives
  uint64_t lastId = 0;
  LinePurpose purpose = LinePurpose::Transfer;
  int presented = 0;        // the holder's presentations alive
  int boxesAtPresent = 0;   // message boxes waiting when the first began
  int othersAtPresent = 0;  // others' turns running when the first began
  int othersTurn = 0;       // the event loop runs for the holder
  int refused = 0;          // requests refused since the line was taken
  // Runs when the holder gives the line back, with the refused count.
  std::function<void(int refused)> onGiveBack;
};

// Who has the line to the unit. A taker gets a token (CLineToken) and
// keeps it for as long as the line is its own; while someone has it, a
// request is let through only when the holder presents its token and it is
// not the turn of others: while the link runs the event loop for the holder
// (OthersTurn) or a message box waits for its answer, whatever asks comes
// from someone else (a window's poll timer, a window that closes). Refused
// requests are counted, and Refusal() says why. One taker at a time; one
// transfer at a time (a transfer's mark lasts until its token goes).
class CLineOwner final {
  Q_DECLARE_TR_FUNCTIONS(CLineOwner)

 public:
  CLineOwner();
  CLineOwner(const CLineOwner&) = delete;
  CLineOwner& operator=(const CLineOwner&) = delete;
  ~CLineOwner();

  // An empty token when someone has the line, or when a transfer is asked
  // for while one runs.
  CLineToken Take(LinePurpose purpose);
  bool IsTaken() const noexcept { return m_hold->holder != 0; }
  LinePurpose Purpose() const noexcept { return m_hold->purpose; }
  // A transfer's token lives.
  bool IsTransferRunning() const noexcept { return m_hold->transfer != 0; }
  // Who uses the line (lineuse.h).
  LineUse Use() const noexcept { return UseOf(*m_hold); }
  static LineUse UseOf(const LineHold& hold) noexcept {
    if (hold.transfer != 0) return LineUse::Transfer;
    if (hold.holder == 0) return LineUse::Free;
    return hold.purpose == LinePurpose::Closing ? LineUse::Closing : LineUse::Transfer;
  }
  // Tells CTransferNotifier when the use of hold is no longer before.
  static void TellChange(const LineHold& hold, LineUse before);
  // True when a request may use the line now.
  bool Admits() const;
  // Why a request was refused, in the user's language.
  static QString Refusal();

  int Refused() const noexcept { return m_hold->refused; }
  void CountRefusal() noexcept { ++m_hold->refused; }
  void SetGiveBackHandler(std::function<void(int refused)> handler) { m_hold->onGiveBack = std::move(handler); }

  // While it lives, the event loop runs for the holder: what runs is not
  // the holder's own code.
  class OthersTurn final {
   public:
    explicit OthersTurn(CLineOwner& owner) : m_hold(owner.m_hold) { ++m_hold->othersTurn; }
    ~OthersTurn() { --m_hold->othersTurn; }
    OthersTurn(const OthersTurn&) = delete;
    OthersTurn& operator=(const OthersTurn&) = delete;

   private:
    std::shared_ptr<LineHold> m_hold;
  };

 private:
  std::shared_ptr<LineHold> m_hold;
};

#endif
