#ifndef SELV_LINK_CLINKRECONNECT_H
#define SELV_LINK_CLINKRECONNECT_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class CCommLink;
class CSelvantisDoc;

// Connects the link again by itself after its port was lost (the unit
// switched off, the adapter pulled or its terminal closed): from then on it
// tries every RetryMs, at most MaxTries times, to connect to the same port
// for the project the link served, and stops as soon as the link is
// connected again (by a try or by the user). A disconnect the user asked
// for is no loss. A try whose port is not there sends nothing; a try that
// fails says nothing (the loss has been told); only when the last try has
// failed is the user told, once. Never tries while a transfer runs.
// Learns of a loss from the link's linkError and connectedChanged signals;
// holds the document weakly.
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
  // How a try connects: the link on the lost port for the document by
  // default. True when connected.
  using Connector = std::function<bool(const QString& port, CSelvantisDoc* doc)>;
  void SetConnector(Connector connector);

  // A loss is being mended: tries are due.
  bool IsWaiting() const { return m_timer.isActive(); }
  int Tries() const { return m_tries; }
  QString Port() const { return m_port; }

 signals:
  // What the status bar says: the program connects again, it did, or it
  // gave up.
  void statusMessage(const QString& text);
  void reconnected();

 private:
  void OnLinkError();
  void OnConnectedChanged(bool connected);
  void OnTick();
  void Stop();
  bool PortIsThere() const;

  CCommLink& m_link;
  QPointer<CSelvantisDoc> m_doc;
  QTimer m_timer;
  Connector m_connector;
  QString m_port;
  int m_retryMs = kDefaultRetryMs;
  int m_maxTries = kDefaultMaxTries;
  int m_tries = 0;
  bool m_errorJustSeen = false;
  bool m_trying = false;
};

#endif
