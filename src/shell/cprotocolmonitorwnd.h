#ifndef SELV_SHELL_CPROTOCOLMONITORWND_H
#define SELV_SHELL_CPROTOCOLMONITORWND_H

#include "link/cprotocolmonitor.h"

#include <QColor>
#include <QDockWidget>
#include <QPointer>

class QPlainTextEdit;
struct MonitorEntry;

// The protocol monitor window: every line sent to and received from the
// unit, live, from the link's monitor model. Sent lines are blue, received
// ones black, the program's notes red.
class CProtocolMonitorWnd final : public QDockWidget {
  Q_OBJECT
 public:
  explicit CProtocolMonitorWnd(QWidget* parent = nullptr);

  // Shows the model's kept entries and follows it; null detaches.
  void SetMonitor(CProtocolMonitor* monitor);
  CProtocolMonitor* Monitor() const { return m_monitor; }
  // The shown text (for tests and "copy all").
  QString Text() const;
  int LineCount() const;

  static QString LineOf(const MonitorEntry& entry);
  // The colour of an entry's line: sent, received, or a note of the link.
  static QColor ColourOf(const MonitorEntry& entry);
  static QColor NoteColour() { return QColor(90, 100, 110); }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Append(const MonitorEntry& entry);
  void Reload();
  void Retranslate();

  QPointer<CProtocolMonitor> m_monitor;
  QPlainTextEdit* m_text;
  QAction* m_clear;
  QAction* m_copy;
};

#endif
