#ifndef SELV_SHELL_CONTROLS_PROGRESSSTATE_H
#define SELV_SHELL_CONTROLS_PROGRESSSTATE_H

#include <QString>

#include <functional>

// What the transfer progress dialog shows and what its Cancel does: a
// position within a range, a status text, and a cancel request that reaches
// the running transfer once.
class ProgressState final {
 public:
  using CancelHandler = std::function<void()>;

  // An empty or reversed range is made valid (upper := lower) so that the
  // percentage never divides by zero.
  void SetRange(int lower, int upper);
  // Kept within the range. Returns true when the shown position changed.
  bool SetPos(int pos);
  // done of total steps: range 0..total, position done.
  bool SetProgress(int done, int total);
  void SetText(const QString& text) { m_text = text; }

  int Lower() const noexcept { return m_lower; }
  int Upper() const noexcept { return m_upper; }
  int Pos() const noexcept { return m_pos; }
  const QString& Text() const noexcept { return m_text; }
  // 0..100; 0 for an empty range.
  int Percent() const noexcept;

  // The transfer's cancel; called by RequestCancel.
  void SetCancelHandler(CancelHandler handler) { m_onCancel = std::move(handler); }
  // The first request calls the handler and returns true; repeated clicks
  // while the transfer winds down do nothing.
  bool RequestCancel();
  bool IsCancelRequested() const noexcept { return m_cancelRequested; }

 private:
  int m_lower = 0;
  int m_upper = 100;
  int m_pos = 0;
  QString m_text;
  CancelHandler m_onCancel;
  bool m_cancelRequested = false;
};

#endif
