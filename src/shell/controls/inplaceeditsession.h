#ifndef SELV_SHELL_CONTROLS_INPLACEEDITSESSION_H
#define SELV_SHELL_CONTROLS_INPLACEEDITSESSION_H

#include <QString>

#include <functional>
#include <optional>

// How an in-place cell edit ended: the cell and, unless cancelled, the text.
struct InPlaceEditResult {
  int row = -1;
  int column = -1;
  std::optional<QString> text;  // empty when cancelled
  bool Cancelled() const noexcept { return !text.has_value(); }
};

// The life of one in-place cell edit. Enter commits, Escape and loss of focus
// cancel, and only the first of these counts: closing the editor after Enter
// takes its focus away, which must not report a second, cancelling end.
class InPlaceEditSession final {
 public:
  enum class Action { None, Commit, Cancel };
  using EndHandler = std::function<void(const InPlaceEditResult&)>;

  InPlaceEditSession(int row, int column, EndHandler onEnd);

  // What a key press does to the edit (a Qt::Key code).
  static Action ActionForKey(int key) noexcept;

  // Each returns true when it ended the edit and reported it.
  bool Commit(const QString& text);
  bool Cancel();
  bool FocusLost() { return Cancel(); }

  // A key press on the editor: Enter commits the text currentText gives
  // (asked only then), Escape cancels. True when the key was the session's,
  // so the editor must not handle it further.
  bool HandleKey(int key, const std::function<QString()>& currentText);
  // The editor lost the focus for reason (a Qt::FocusReason). A popup of the
  // editor's own (context menu, calendar drop-down) takes the focus only for
  // a moment: that is not the user leaving the cell.
  bool HandleFocusOut(int reason);

  bool IsOpen() const noexcept { return m_open; }
  int Row() const noexcept { return m_row; }
  int Column() const noexcept { return m_column; }

 private:
  bool End(std::optional<QString> text);

  int m_row;
  int m_column;
  EndHandler m_onEnd;
  bool m_open = true;
};

#endif
