#ifndef SELV_SHELL_CONTROLS_CELLIPSISSTATIC_H
#define SELV_SHELL_CONTROLS_CELLIPSISSTATIC_H

#include <QLabel>
#include <QString>

// A text that is cut with "..." when it is wider than the control, with the
// whole text as its tool tip. Set it with SetWindowText; the cut follows
// every resize.
class CEllipsisStatic : public QLabel {
  Q_OBJECT

 public:
  explicit CEllipsisStatic(QWidget* parent = nullptr);

  void SetWindowText(const QString& text);
  // The whole text, not the shown cut.
  QString GetWindowText() const { return m_fullText; }

  // The hint asks for the whole text, whatever cut is shown, so that the
  // layout does not shrink the control because it shows a cut.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Refit();

  QString m_fullText;
};

#endif
