#ifndef SELV_SHELL_CONTROLS_CINPLACEDATETIMECTRL_H
#define SELV_SHELL_CONTROLS_CINPLACEDATETIMECTRL_H

#include "shell/controls/celldatetimeformat.h"
#include "shell/controls/inplaceeditsession.h"

#include <QDateTimeEdit>
#include <QLocale>

class QRect;

// A date or time picker laid over one list cell. It starts at the date or
// time of the cell's text (today or now when the text is not one), shows and
// reports it in the user's locale. Enter commits; Escape or loss of focus
// cancels; the end is reported once through endEdit (no text when
// cancelled), then it deletes itself.
class CInPlaceDateTimeCtrl : public QDateTimeEdit {
  Q_OBJECT

 public:
  static constexpr int kControlId = 1000;

  CInPlaceDateTimeCtrl(int row, int column, const QString& initialText, CellDateTimeFormat::Kind kind, QWidget* parent,
                       const QRect& rect, const QLocale& locale = QLocale());

  int Row() const noexcept { return m_session.Row(); }
  int Column() const noexcept { return m_session.Column(); }
  bool IsOpen() const noexcept { return m_session.IsOpen(); }
  const CellDateTimeFormat& Format() const noexcept { return m_format; }
  // The text a commit would report now.
  QString CurrentText() const;

 signals:
  void endEdit(int row, int column, const QString& text, bool cancelled);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Finish(const InPlaceEditResult& result);

  CellDateTimeFormat m_format;
  InPlaceEditSession m_session;
};

#endif
