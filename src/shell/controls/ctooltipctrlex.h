#ifndef SELV_SHELL_CONTROLS_CTOOLTIPCTRLEX_H
#define SELV_SHELL_CONTROLS_CTOOLTIPCTRLEX_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

// Tool tips that cover whole controls, switched on and off together.
class CToolTipCtrlEx : public QObject {
  Q_OBJECT

 public:
  explicit CToolTipCtrlEx(QObject* parent = nullptr);

  // The control shows text as its tool tip anywhere over it. Adding a
  // control again replaces its text. False for a null control.
  bool AddWindowTool(QWidget* control, const QString& text);
  // Shows or hides every tip of this object.
  void Activate(bool active);
  bool IsActive() const noexcept { return m_active; }
  int GetToolCount() const;

 private:
  struct Tool {
    QPointer<QWidget> control;
    QString text;
  };
  std::vector<Tool> m_tools;
  bool m_active = true;
};

#endif
