#include "shell/controls/inplaceeditsession.h"

#include <Qt>

#include <utility>

InPlaceEditSession::InPlaceEditSession(int row, int column, EndHandler onEnd)
    : m_row(row), m_column(column), m_onEnd(std::move(onEnd)) {}

InPlaceEditSession::Action InPlaceEditSession::ActionForKey(int key) noexcept {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Action::Commit;
    case Qt::Key_Escape: return Action::Cancel;
    default: return Action::None;
  }
}

bool InPlaceEditSession::Commit(const QString& text) { return End(text); }

bool InPlaceEditSession::Cancel() { return End(std::nullopt); }

bool InPlaceEditSession::HandleKey(int key, const std::function<QString()>& currentText) {
  switch (ActionForKey(key)) {
    case Action::Commit: Commit(currentText ? currentText() : QString()); return true;
    case Action::Cancel: Cancel(); return true;
    case Action::None: break;
  }
  return false;
}

bool InPlaceEditSession::HandleFocusOut(int reason) {
  if (reason == Qt::PopupFocusReason) {
    return false;
  }
  return FocusLost();
}

bool InPlaceEditSession::End(std::optional<QString> text) {
  if (!m_open) {
    return false;
  }
  m_open = false;
  if (m_onEnd) {
    m_onEnd(InPlaceEditResult{m_row, m_column, std::move(text)});
  }
  return true;
}
