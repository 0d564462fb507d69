#ifndef SELV_LINK_CLINETOKEN_H
#define SELV_LINK_CLINETOKEN_H

#include <cstdint>
#include <memory>

struct LineHold;

// Proof of having the line to the unit, handed out by the link's
// TakeLine (IDeviceLink). The taker keeps it for as long as the line is
// its; moved, never copied; it gives the line back when it goes (or at
// GiveBack). Holding it is not enough to be let through: the holder's
// requests are its own only while it presents the token (Present), and the
// link hands the turn to others whenever it runs the event loop for the
// holder (PumpMessages) and while a message box waits for its answer. So a
// window's timer that fires in between is refused even though the holder's
// presentation is still on the stack.
//
//   CLineToken line = link.TakeLine(LinePurpose::Transfer);
//   if (!line) return Busy;
//   const CLineToken::Presented mine = line.Present();
//   link.SetLinkMode(LINKMODE_DOWNLOAD);  // let through
//   link.PumpMessages();                  // what runs here is refused
//
// A token taken for a transfer also marks "a transfer runs" until the
// token goes, beyond GiveBack: the transfer's ending (its message) is part
// of it.
class CLineToken final {
 public:
  // While it lives, the holder's requests are let through.
  class Presented final {
   public:
    Presented() = default;
    Presented(Presented&& other) noexcept;
    Presented& operator=(Presented&& other) noexcept;
    Presented(const Presented&) = delete;
    Presented& operator=(const Presented&) = delete;
    ~Presented();

   private:
    friend class CLineToken;
    Presented(std::weak_ptr<LineHold> hold, uint64_t id);
    void End();

    std::weak_ptr<LineHold> m_hold;
    uint64_t m_id = 0;
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
  [[nodiscard]] Presented Present() const;

 private:
  friend class CLineOwner;
  CLineToken(std::weak_ptr<LineHold> hold, uint64_t id);
  void Drop();

  std::weak_ptr<LineHold> m_hold;
  uint64_t m_id = 0;
};

#endif
