#ifndef SELV_LINK_CLINKRECONNECT_H
#define SELV_LINK_CLINKRECONNECT_H

#include "link/cunitidentity.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class CCommLink;
class CSelvantisDoc;

// Connects the link again by itself after its port was lost (the unit
// switched off, the adapter pulled or its terminal closed): from then on it
// tries every RetryMs, at most MaxTries times, to connect to the port that
// was lost, for the project the link served, and stops as soon as the link
// is connected again (by a try or by the user), or when the user stops the
// tries (Disconnect: StopTries, with no message afterwards). A disconnect
// the user asked for is no loss. A try goes on only with the unit that was
// lost: another unit that answers behind the same name gets nothing that
// changes it, the tries stop and the user is told which unit answered and
// that Connect takes it. A try whose port is not there sends nothing; a try
// that fails says nothing (the loss has been told); what a try's connect
// has to say (an earlier closing finished) is shown; when the last try has
// failed the user is told, once. Never tries while a transfer runs. The
// notices take the place of the link's loss notice. Learns of a loss from
// the link's linkError and connectedChanged signals; holds the document
// weakly.
class CLinkReconnect final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDefaultRetryMs = 3000;
  static constexpr int kDefaultMaxTries = 20;

  explicit CLinkReconnect(CCommLink& link, QObject* parent = nullptr);
  CLinkReconnect(const CLinkReconnect&) = delete;
  CLinkReconnect& operator=(const CLinkReconnect&) = delete;
  ~CLinkReconnect() override;

  void SetRetry(int retryMs, int maxTries);

  // A loss is being mended: tries are due.
  bool IsWaiting() const { return m_timer.isActive(); }
  int Tries() const { return m_tries; }
  // The port that was lost, and its unit.
  QString Port() const { return m_port; }
  const CUnitIdentity& Unit() const noexcept { return m_unit; }
  // The user's Disconnect: no more tries, nothing more to say.
  void StopTries();

 signals:
  // What the status bar says: the program connects again, it did, or it
  // gave up.
  void statusMessage(const QString& text);
  void reconnected();
  // Tries are due from now on (true), or no longer (false).
  void waitingChanged(bool waiting);

 private:
  void OnLinkError();
  void OnConnectedChanged(bool connected);
  void OnTick();
  void Stop();
  bool PortIsThere() const;

  CCommLink& m_link;
  QPointer<CSelvantisDoc> m_doc;
  QTimer m_timer;
  QString m_port;
  CUnitIdentity m_unit;
  int m_retryMs = kDefaultRetryMs;
  int m_maxTries = kDefaultMaxTries;
  int m_tries = 0;
  bool m_errorJustSeen = false;
  bool m_trying = false;
};

#endif
