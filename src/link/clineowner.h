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
  int carried = 0;     // the holder's carries alive and not handed away
  int carryLevel = 0;  // the event loop level the innermost of them began in
  int refused = 0;     // requests refused since the line was taken
  // Runs when the holder gives the line back, with the refused count.
  std::function<void(int refused)> onGiveBack;
  // Stops the transfer whose mark lives (CLineToken::SetCancelHook).
  std::function<void()> cancelTransfer;
};

// Who has the line to the unit, and the one answer to who uses it (Use).
// A taker gets a token (CLineToken) and keeps it for as long as the line is
// its own. While someone has the line, a request is let through only when
// the holder carries its token around it, from the event loop the carry
// began in (CLineToken::Carry); whatever asks while the holder hands
// control away (HandAway: the link pumps events, a message box of the
// holder waits) or from a loop nested inside the holder's call (a dialog's
// exec) is someone else (a window's poll timer, a window that closes).
// Refused requests are counted, and Refusal() says why. One taker at a
// time; one transfer at a time (a transfer's mark lasts until its token
// goes).
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
  // Stops the transfer that uses the line, if any.
  void CancelTransfer() const;
  // Nothing carries the holder's token while it lives (see CLineToken).
  [[nodiscard]] CLineToken::Away HandAway() const { return CLineToken::Away(m_hold); }
  // The depth of nested event loops (exec) on the calling thread.
  static int LoopLevel();

  int Refused() const noexcept { return m_hold->refused; }
  void CountRefusal() noexcept { ++m_hold->refused; }
  void SetGiveBackHandler(std::function<void(int refused)> handler) { m_hold->onGiveBack = std::move(handler); }

 private:
  std::shared_ptr<LineHold> m_hold;
};

#endif
