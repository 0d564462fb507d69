#ifndef SELV_ONLINE_CLINESTATEBAR_H
#define SELV_ONLINE_CLINESTATEBAR_H

#include <QFrame>
#include <QPointer>
#include <QString>
#include <QTime>

#include <functional>
#include <vector>

class CSelvantisDoc;
class QLabel;
class QPushButton;
class QShortcut;

// The connection's state inside an on-line window. Hidden while the unit is
// connected. When the line is lost it says so with the time of the loss,
// disables the window's content (its values stay, greyed, as they were
// then) and offers Connect, as a button and as F5 inside the window, also
// when the window is modal and the main window's F5 cannot be reached.
// When the connection comes back the bar hides and the content gets back
// the enabled state it had. A command the user gives while off line is
// told here as not sent (TellNotSent). Holds the document weakly.
class CLineStateBar final : public QFrame {
  Q_OBJECT

 public:
  CLineStateBar(CSelvantisDoc* doc, QWidget* parent);
  CLineStateBar(const CLineStateBar&) = delete;
  CLineStateBar& operator=(const CLineStateBar&) = delete;
  ~CLineStateBar() override;

  // A widget disabled while the line is lost.
  void AddContent(QWidget* widget);
  // Says in the bar that a command was not sent because the unit is not
  // connected (the bar shows itself for it).
  void TellNotSent();
  // The bar of the window that holds widget, or null.
  static CLineStateBar* Of(const QWidget* widget);
  // Tells in widget's window that a command was not sent: in its bar, or
  // with a message where the window has none.
  static void TellNotSent(QWidget* widget);
  // True when the unit is connected; otherwise tells in widget's window that
  // the command about to go was not sent.
  static bool CanSend(QWidget* widget);

  bool IsLineUp() const { return m_online; }
  QString Text() const;
  QPushButton* ConnectButton() const { return m_connect; }

  // How Connect connects (the main window's Connect by default); tests
  // connect the link directly. Returns the previous one.
  using Connector = std::function<bool(CSelvantisDoc* doc)>;
  static Connector SetConnector(Connector connector);

 signals:
  // The connection changed; the content has already followed it.
  void lineChanged(bool online);

 private:
  void OnConnectedChanged(bool connected);
  void OnConnect();
  void ShowState();

  struct Content {
    QPointer<QWidget> widget;
    bool wasEnabled = true;
  };

  QPointer<CSelvantisDoc> m_doc;
  QLabel* m_text = nullptr;
  QPushButton* m_connect = nullptr;
  QShortcut* m_shortcut = nullptr;
  std::vector<Content> m_content;
  bool m_online = false;
  bool m_lost = false;  // lost while the window was open
  bool m_notSent = false;
  QTime m_lostAt;
};

#endif
