#ifndef SELV_LINK_CLINETOKEN_H
#define SELV_LINK_CLINETOKEN_H

#include <cstdint>
#include <functional>
#include <memory>

struct LineHold;

// Proof of having the line to the unit, handed out by the link's
// TakeLine (IDeviceLink). The taker keeps it for as long as the line is
// its; moved, never copied; it gives the line back when it goes (or at
// GiveBack).
//
// Having the line is not enough to use it. A request is let through only
// while the holder carries its token around its own call (Carry), and only
// from the event loop the carry began in: what a dialog's own loop runs
// inside the call is someone else's. Wherever the holder's call lets the
// program run, it hands control away (HandAway): while the link pumps
// events for it and while one of its message boxes waits for the answer,
// nothing carries the token, so a window's timer that fires there is
// refused although the holder's call is still on the stack. A carry begun
// in there (the holder's own closing, asked for by a Cancel) is the
// holder's again.
//
//   CLineToken line = link.TakeLine(LinePurpose::Transfer);
//   if (!line) return Busy;
//   {
//     const CLineToken::Carried mine = line.Carry();
//     link.SetLinkMode(LINKMODE_DOWNLOAD);  // let through
//   }
//   link.PumpMessages();                    // what runs here is refused
//
// A token taken for a transfer also marks "a transfer runs" until the
// token goes, beyond GiveBack: the transfer's ending (its message) is part
// of it. The transfer leaves its Cancel with the mark (SetCancelHook), so
// that whoever must stop the running transfer reaches it through the link.
class CLineToken final {
 private:
  // What a carry or a hand-away changed of the holder's carrying, put back
  // as it was when it ends, unless the line was given back meanwhile.
  class Restore {
   public:
    Restore(Restore&& other) noexcept;
    Restore& operator=(Restore&& other) noexcept;
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;
    ~Restore();

   protected:
    Restore() = default;
    // Notes the holder's carrying (nothing when nobody has the line).
    explicit Restore(std::weak_ptr<LineHold> hold);
    // Null when it noted nothing.
    std::shared_ptr<LineHold> Hold() const;

   private:
    void End();

    std::weak_ptr<LineHold> m_hold;
    uint64_t m_id = 0;
    int m_carried = 0;
    int m_level = 0;
  };

 public:
  // While it lives, the holder's requests are let through (in the event
  // loop it began in). Carries nest.
  class Carried final : public Restore {
   public:
    Carried() = default;

   private:
    friend class CLineToken;
    explicit Carried(std::weak_ptr<LineHold> hold);
  };

  // While it lives, nothing carries the token: the event loop runs for the
  // holder, or the user answers one of its messages. What carried it before
  // carries it again afterwards.
  class Away final : public Restore {
   public:
    Away() = default;
    explicit Away(std::weak_ptr<LineHold> hold);
  };

  // Holds nothing.
  CLineToken() = default;
  CLineToken(CLineToken&& other) noexcept;
  CLineToken& operator=(CLineToken&& other) noexcept;
  CLineToken(const CLineToken&) = delete;
  CLineToken& operator=(const CLineToken&) = delete;
  ~CLineToken();

  // True while it holds the line.
  bool IsHeld() const;
  explicit operator bool() const { return IsHeld(); }
  // Gives the line back (a transfer's mark stays until the token goes).
  void GiveBack();
  // Nothing when the token does not hold the line.
  [[nodiscard]] Carried Carry() const;
  [[nodiscard]] Away HandAway() const;
  // A transfer's token: what stops the transfer (CLineOwner::CancelTransfer),
  // kept until the transfer's mark goes.
  void SetCancelHook(std::function<void()> cancel);

 private:
  friend class CLineOwner;
  CLineToken(std::weak_ptr<LineHold> hold, uint64_t id);
  void Drop();

  std::weak_ptr<LineHold> m_hold;
  uint64_t m_id = 0;
};

#endif
