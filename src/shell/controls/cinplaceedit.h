#ifndef SELV_SHELL_CONTROLS_CINPLACEEDIT_H
#define SELV_SHELL_CONTROLS_CINPLACEEDIT_H

#include "shell/controls/inplaceeditsession.h"

#include <QLineEdit>

class QRect;

// A line edit laid over one list cell. Enter commits; Escape or loss of focus
// cancels. It reports the end once through endEdit (no text when cancelled)
// and then deletes itself.
class CInPlaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Control id of every in-place cell editor.
  static constexpr int kControlId = 1000;

  // Shown over rect (in parent's coordinates) with the focus and the text
  // selected.
  CInPlaceEdit(int row, int column, const QString& initialText, QWidget* parent, const QRect& rect);

  int Row() const noexcept { return m_session.Row(); }
  int Column() const noexcept { return m_session.Column(); }
  bool IsOpen() const noexcept { return m_session.IsOpen(); }

 signals:
  void endEdit(int row, int column, const QString& text, bool cancelled);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Finish(const InPlaceEditResult& result);

  InPlaceEditSession m_session;
};

#endif
