#include "online/clinestatebar.h"

#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "shell/cmainframe.h"
#include "shell/shellcommands.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include <utility>

namespace {

CLineStateBar::Connector& CurrentConnector() {
  static CLineStateBar::Connector connector;
  return connector;
}

bool ConnectThroughMainWindow(CSelvantisDoc* /*doc*/) {
  // The main window connects the active project, shows why a connect
  // failed and updates its own status; the windows follow the document.
  CMainFrame* main = AfxGetMainWnd();
  return main && main->OnCommand(ShellCmd::kCommConnect);
}

}  // namespace

CLineStateBar::CLineStateBar(CSelvantisDoc* doc, QWidget* parent)
    : QFrame(parent), m_doc(doc), m_text(new QLabel(this)), m_connect(new QPushButton(tr("Connect"), this)) {
  setObjectName(QStringLiteral("lineStateBar"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(255, 236, 179));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  m_text->setObjectName(QStringLiteral("lineStateText"));
  m_text->setWordWrap(true);
  m_connect->setObjectName(QStringLiteral("lineConnect"));
  m_connect->setToolTip(tr("Connect to the unit (F5)"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 3, 6, 3);
  row->addWidget(m_text, 1);
  row->addWidget(m_connect);
  connect(m_connect, &QPushButton::clicked, this, &CLineStateBar::OnConnect);
  // F5 of the main window does not reach a modal window: the window has its
  // own while the bar offers Connect.
  m_shortcut = new QShortcut(QKeySequence(Qt::Key_F5), this, this, &CLineStateBar::OnConnect, Qt::WindowShortcut);
  if (doc) connect(doc, &CSelvantisDoc::connectedChanged, this, &CLineStateBar::OnConnectedChanged);
  m_online = doc && doc->IsConnected() && IsOnline();
  ShowState();
}

CLineStateBar::~CLineStateBar() = default;

CLineStateBar::Connector CLineStateBar::SetConnector(Connector connector) {
  Connector previous = std::move(CurrentConnector());
  CurrentConnector() = std::move(connector);
  return previous;
}

void CLineStateBar::AddContent(QWidget* widget) {
  if (!widget) return;
  m_content.push_back({widget, widget->isEnabled()});
  if (m_lost && !m_online) widget->setEnabled(false);
}

CLineStateBar* CLineStateBar::Of(const QWidget* widget) {
  if (!widget) return nullptr;
  QWidget* window = widget->window();
  return window ? window->findChild<CLineStateBar*>() : nullptr;
}

void CLineStateBar::TellNotSent(QWidget* widget) {
  if (CLineStateBar* bar = Of(widget)) {
    bar->TellNotSent();
    return;
  }
  AfxMessageBox(tr("Not sent: the unit is not connected."), MB_OK | MB_ICONEXCLAMATION);
}

bool CLineStateBar::CanSend(QWidget* widget) {
  if (IsOnline()) return true;
  TellNotSent(widget);
  return false;
}

void CLineStateBar::TellNotSent() {
  m_notSent = true;
  ShowState();
}

QString CLineStateBar::Text() const { return m_text->text(); }

void CLineStateBar::OnConnectedChanged(bool connected) {
  if (connected == m_online) return;
  m_online = connected;
  m_notSent = false;
  if (!connected) {
    m_lost = true;
    m_lostAt = QTime::currentTime();
    for (Content& content : m_content) {
      if (!content.widget) continue;
      content.wasEnabled = content.widget->isEnabled();
      content.widget->setEnabled(false);
    }
  } else if (m_lost) {
    m_lost = false;
    for (const Content& content : m_content)
      if (content.widget) content.widget->setEnabled(content.wasEnabled);
  }
  ShowState();
  emit lineChanged(connected);
}

void CLineStateBar::OnConnect() {
  if (m_online) return;
  const Connector& connector = CurrentConnector();
  if (connector)
    connector(m_doc.data());
  else
    ConnectThroughMainWindow(m_doc.data());
}

void CLineStateBar::ShowState() {
  QString text;
  if (m_lost)
    text = tr("The connection to the unit was lost at %1. The values shown are from before; nothing is sent until "
              "the unit is connected again.")
               .arg(m_lostAt.toString(QStringLiteral("HH:mm:ss")));
  else
    text = tr("Not connected: nothing is sent to the unit.");
  if (m_notSent) text += QLatin1Char('\n') + tr("Not sent: the unit is not connected.");
  m_text->setText(text);
  m_shortcut->setEnabled(!m_online);
  setVisible(!m_online);
}
