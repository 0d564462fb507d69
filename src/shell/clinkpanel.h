#ifndef SELV_SHELL_CLINKPANEL_H
#define SELV_SHELL_CLINKPANEL_H

#include "shell/controls/cprogressdlg.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class CCommLink;
class CCompareReport;
class CLinkReconnect;
class CProtocolMonitorWnd;
class CSelvantisDoc;
class IDeviceLink;
class QWidget;

// The link to the unit as the main window offers it: owns the serial link
// and installs it as the program's device link while it lives; connect and
// disconnect, project download, upload and export, command files with the
// progress dialog, "Save VMX settings", the project's error file, the
// protocol monitor window and the connection state for the status bar.
class CLinkPanel final : public QObject {
  Q_OBJECT
 public:
  // window: the parent of the progress dialog, the monitor and the viewer.
  CLinkPanel(QWidget& window, QObject* parent);
  ~CLinkPanel() override;

  CCommLink& Link() const noexcept { return *m_link; }
  // The installed link every part of the program sends through.
  IDeviceLink& Device() const;
  CProtocolMonitorWnd* MonitorWindow() const noexcept { return m_monitorWnd; }

  bool IsConnected() const;
  // True while the panel connects or the line is in use (a transfer runs,
  // the connection closes): the frame then refuses other commands.
  bool IsBusy() const;
  // The program tries to connect again by itself after a loss: Disconnect
  // stops the tries.
  bool IsReconnecting() const;
  CLinkReconnect& Reconnect() const noexcept { return *m_reconnect; }
  // Port and state as a line for the status bar's tool tip.
  QString ConnectionDescription() const;

  // Connects through the preferences' port and serves doc (may be null);
  // false when it failed (the link, or the missing port, has said why).
  bool Connect(CSelvantisDoc* doc);
  // Closes the connection; while the unit makes it wait (a line it holds,
  // closing lines not yet taken) a progress window with Cancel shows, and
  // the window keeps painting. While the program tries to connect again,
  // stops the tries instead, with nothing more to say.
  void Disconnect();
  // The document the link serves follows the active window.
  void SetActiveDocument(CSelvantisDoc* doc);
  bool Download(CSelvantisDoc& doc);
  bool Upload(CSelvantisDoc& doc);
  // Compares doc with the unit, with the progress dialog and Cancel; the
  // report comes back also when the comparison stopped. False when it did
  // not start (another transfer runs).
  bool Compare(CSelvantisDoc& doc, CCompareReport* report);
  // Writes the project's download lines to path.
  bool Export(CSelvantisDoc& doc, const QString& path);
  bool SendFile(const QString& path);
  // "/SERVICE/START FASTSAVE" with its echo waited for; the status bar
  // says whether the unit saved, or why the command is refused while the
  // line is in use. Returns what it said.
  QString SaveVmxSettings();

  // What the status bar says while the unit holds the line (once the hold
  // has lasted a second), and when it takes data again.
  static QString LineHeldText(bool held);
  // What Connect says when the profile names no port and the system has none.
  static QString NoPortText();
  // The title of the progress window while Disconnect waits for the unit.
  static QString ClosingText();
  // Disconnect's wait shows its window once it has lasted this long.
  static constexpr int kClosingWindowAfterMs = 300;

  // The error file of a project: its path with ".err"; "" for an unsaved one.
  static QString ErrorFileOf(const CSelvantisDoc& doc);
  static bool HasErrorFile(const CSelvantisDoc& doc);
  bool ShowErrorFile(const CSelvantisDoc& doc);
  // A document goes: the link must not serve it any more.
  void DocumentClosing(CSelvantisDoc& doc);

 signals:
  void connectionChanged(bool connected);
  // The tries to connect again began (true) or ended (false).
  void reconnectingChanged(bool reconnecting);
  // A serial error or a transfer's end, for the status bar.
  void statusMessage(const QString& text);
  // The unit holds the line (XOFF) or takes data again; text says so for
  // the status bar, where it stays while the line is held.
  void lineHeld(bool held, const QString& text);

 private:
  template <class Run>
  bool RunTransfer(const QString& text, Run run);
  // Disconnect's wait for the unit: the progress window and its Cancel.
  bool ClosingWait(qint64 waitedMs, int limitMs);

  QWidget& m_window;
  std::unique_ptr<CCommLink> m_link;
  IDeviceLink* m_previousLink = nullptr;
  CProtocolMonitorWnd* m_monitorWnd;
  CLinkReconnect* m_reconnect = nullptr;
  QPointer<CProgressDlg> m_closing;  // while Disconnect waits
  // A connect runs: its messages run the event loop before the connection
  // has a line anyone could take.
  bool m_connecting = false;
};

#endif
