#include "shell/clinkpanel.h"

#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/clinkreconnect.h"
#include "link/ctransfer.h"
#include "link/cunitcompare.h"
#include "link/lineuse.h"
#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "shell/cerrorfileviewer.h"
#include "shell/controls/cprogressdlg.h"
#include "shell/cprotocolmonitorwnd.h"
#include "shell/cserialportsetting.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

CLinkPanel::CLinkPanel(QWidget& window, QObject* parent)
    : QObject(parent),
      m_window(window),
      m_link(std::make_unique<CCommLink>()),
      m_monitorWnd(new CProtocolMonitorWnd(&window)) {
  m_previousLink = SetDeviceLink(m_link.get());
  m_monitorWnd->SetMonitor(&m_link->Monitor());
  QPointer<QWidget> viewerParent(&window);
  m_link->SetFileViewer([viewerParent](const QString& path) { CErrorFileViewer::ShowFile(path, viewerParent); });
  m_link->SetBusyHook([](bool busy) {
    if (busy)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  });
  connect(m_link.get(), &CCommLink::connectedChanged, this, &CLinkPanel::connectionChanged);
  connect(m_link.get(), &CCommLink::linkError, this, &CLinkPanel::statusMessage);
  connect(m_link.get(), &CCommLink::lineHeld, this, [this](bool held) { emit lineHeld(held, LineHeldText(held)); });
  // A lost port is connected again by itself; the windows follow the link.
  m_reconnect = new CLinkReconnect(*m_link, this);
  connect(m_reconnect, &CLinkReconnect::statusMessage, this, &CLinkPanel::statusMessage);
  connect(m_reconnect, &CLinkReconnect::waitingChanged, this, &CLinkPanel::reconnectingChanged);
  m_link->SetCloseWaitHook([this](qint64 waited, int limit) { return ClosingWait(waited, limit); });
}

QString CLinkPanel::ClosingText() { return tr("Closing the connection to the unit"); }

bool CLinkPanel::ClosingWait(qint64 waitedMs, int limitMs) {
  if (waitedMs < 0) {
    if (m_closing) {
      m_closing->Finish();
      delete m_closing;
    }
    return true;
  }
  if (!m_closing && waitedMs < kClosingWindowAfterMs) return true;
  if (!m_closing) {
    m_closing = new CProgressDlg(&m_window);
    m_closing->setWindowTitle(ClosingText());
    m_closing->SetText(tr("The unit has not yet taken the closing lines. The program waits up to %1 seconds; "
                          "Cancel closes the connection at once.")
                           .arg(limitMs / 1000));
    m_closing->SetCancelHandler([] {});
    m_closing->show();
  }
  m_closing->SetRange(0, limitMs);
  m_closing->SetPos(static_cast<int>(qMin<qint64>(waitedMs, limitMs)));
  return !m_closing->IsCancelRequested();
}

QString CLinkPanel::LineHeldText(bool held) {
  // Told only once a hold has lasted (the unit paces every long transfer
  // with short ones): no fault, the unit is busy.
  return held ? tr("The unit is busy taking in data and holds the line for now; the transfer goes on when it is ready")
              : tr("The unit takes data again");
}

QString CLinkPanel::NoPortText() {
  return tr(
      "This computer has no serial port yet. Plug in the unit's USB adapter, or choose the unit's port under "
      "View > Preferences.");
}

CLinkPanel::~CLinkPanel() {
  if (GetDeviceLink() == m_link.get()) SetDeviceLink(m_previousLink);
  m_monitorWnd->SetMonitor(nullptr);
}

IDeviceLink& CLinkPanel::Device() const { return *GetDeviceLink(); }

bool CLinkPanel::IsConnected() const { return m_link->IsConnected(); }

bool CLinkPanel::IsBusy() const { return m_connecting || m_link->CurrentLineUse() != LineUse::Free; }

bool CLinkPanel::IsReconnecting() const { return m_reconnect->IsWaiting(); }

QString CLinkPanel::ConnectionDescription() const {
  const QString port = CSerialPortSetting::Read();
  if (IsConnected()) return tr("Connected through %1").arg(port);
  return port.isEmpty() ? tr("Not connected (no serial port chosen)") : tr("Not connected (port %1)").arg(port);
}

bool CLinkPanel::Connect(CSelvantisDoc* doc) {
  if (IsBusy()) return false;
  const QString port = CSerialPortSetting::Read();
  if (port.isEmpty()) {
    AfxMessageBox(NoPortText(), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  const bool stored = CSerialPortSetting::IsStored();
  // The connect's messages run the event loop before anyone has the line.
  m_connecting = true;
  const bool ok = m_link->ConnectPort(port, doc);
  m_connecting = false;
  // The port a fresh profile found is kept once the unit answered on it.
  if (ok && !stored) CSerialPortSetting::Write(port);
  emit connectionChanged(m_link->IsConnected());
  return ok;
}

void CLinkPanel::Disconnect() {
  // A transfer that has the line refuses the closing itself (the link says
  // why); the closing that runs already needs no second one.
  if (m_connecting || m_link->CurrentLineUse() == LineUse::Closing) return;
  if (IsReconnecting()) {
    m_reconnect->StopTries();
    return;
  }
  m_link->Disconnect(false);
  emit connectionChanged(m_link->IsConnected());
}

void CLinkPanel::SetActiveDocument(CSelvantisDoc* doc) {
  // The user of the line keeps the document it works on.
  if (!IsBusy() && m_link->IsConnected() && m_link->GetDocument() != doc) m_link->SetDocument(doc);
}

template <class Run>
bool CLinkPanel::RunTransfer(const QString& text, Run run) {
  if (IsBusy()) return false;
  CTransfer transfer;
  CProgressDlg progress(&m_window);
  progress.setWindowTitle(text);
  progress.SetText(text);
  progress.AttachTo(transfer);
  progress.show();
  const CTransfer::Result result = run(transfer);
  progress.Finish();
  switch (result) {
    case CTransfer::Result::Done: emit statusMessage(tr("%1: done").arg(text)); break;
    case CTransfer::Result::Canceled: emit statusMessage(tr("%1: cancelled").arg(text)); break;
    default: emit statusMessage(tr("%1: stopped").arg(text)); break;
  }
  return result == CTransfer::Result::Done;
}

bool CLinkPanel::Download(CSelvantisDoc& doc) {
  m_link->SetDocument(&doc);
  return RunTransfer(tr("Download to the unit"), [&doc](CTransfer& t) { return t.DownloadProject(doc); });
}

bool CLinkPanel::Upload(CSelvantisDoc& doc) {
  m_link->SetDocument(&doc);
  return RunTransfer(tr("Upload from the unit"), [&doc](CTransfer& t) { return t.UploadProject(doc); });
}

bool CLinkPanel::Compare(CSelvantisDoc& doc, CCompareReport* report) {
  m_link->SetDocument(&doc);
  CUnitCompare compare(*m_link);
  bool ran = false;
  RunTransfer(tr("Compare with the unit"), [&](CTransfer& t) {
    ran = true;
    *report = compare.Run(doc, t);
    return compare.TransferResult();
  });
  if (ran) emit statusMessage(report->Summary());
  return ran;
}

bool CLinkPanel::SendFile(const QString& path) {
  if (!m_link->IsConnected()) {
    AfxMessageBox(
        tr("The command file \"%1\" cannot be sent: the unit is not connected.").arg(QDir::toNativeSeparators(path)),
        MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return RunTransfer(tr("Send %1").arg(QFileInfo(path).fileName()),
                     [&path](CTransfer& t) { return t.SendCommandFile(path); });
}

bool CLinkPanel::Export(CSelvantisDoc& doc, const QString& path) {
  if (path.isEmpty() || IsBusy()) return false;
  QString error;
  if (!CCommandFile::Export(doc, path, &error)) {
    AfxMessageBox(tr("The parameters cannot be written to \"%1\":\n%2").arg(QDir::toNativeSeparators(path), error),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  emit statusMessage(tr("Parameters written to %1").arg(QDir::toNativeSeparators(path)));
  return true;
}

QString CLinkPanel::SaveVmxSettings() {
  QString text;
  if (const LineUse use = m_link->CurrentLineUse(); use != LineUse::Free) {
    text = LineUseRefusal(use);
  } else if (!m_connecting) {
    QString reason;
    const bool saved = m_link->SaveUnitSettings(&reason);
    text = saved ? tr("The unit has saved its settings.") : tr("The unit did not save its settings: %1").arg(reason);
  }
  if (!text.isEmpty()) emit statusMessage(text);
  return text;
}

QString CLinkPanel::ErrorFileOf(const CSelvantisDoc& doc) {
  if (doc.GetPathName().isEmpty()) return QString();
  const QFileInfo info(doc.GetPathName());
  return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".err");
}

bool CLinkPanel::HasErrorFile(const CSelvantisDoc& doc) {
  return CFileName::Size(ErrorFileOf(doc)) > 0;
}

bool CLinkPanel::ShowErrorFile(const CSelvantisDoc& doc) {
  return CErrorFileViewer::ShowFile(ErrorFileOf(doc), &m_window);
}

void CLinkPanel::DocumentClosing(CSelvantisDoc& doc) {
  if (m_link->GetDocument() == &doc) m_link->SetDocument(nullptr);
}
