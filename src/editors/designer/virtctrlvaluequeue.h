#ifndef SELV_EDITORS_DESIGNER_VIRTCTRLVALUEQUEUE_H
#define SELV_EDITORS_DESIGNER_VIRTCTRLVALUEQUEUE_H

#include <QObject>
#include <QString>
#include <QTimer>

class CSelvantisDoc;
class IDeviceLink;

// Live values of an item while its properties are edited: only the latest
// value command is kept and sent 300 ms after the last change, and only
// when the unit is connected then. A command pending at destruction is
// dropped.
class VirtCtrlValueQueue final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDelayMs = 300;

  // link null: the installed link when the timer fires.
  explicit VirtCtrlValueQueue(const CSelvantisDoc* doc, IDeviceLink* link = nullptr, QObject* parent = nullptr);

  void QueueVirtCtrlValue(int entry, double value);
  QString Pending() const { return m_pending; }
  bool IsArmed() const { return m_timer.isActive(); }
  // What the timer does: sends the pending command (when connected) and
  // stops. True when something was sent.
  bool OnTimer();

 private:
  const CSelvantisDoc* m_doc;
  IDeviceLink* m_link;
  QTimer m_timer;
  QString m_pending;
};

#endif
