#include "support/recordinglink.h"

#include "link/commreply.h"
#include "model/cselvantisdoc.h"

#include <QCoreApplication>
#include <QObject>

RecordingLink::RecordingLink() : m_previous(SetDeviceLink(this)) {}

RecordingLink::~RecordingLink() { SetDeviceLink(m_previous); }

QStringList RecordingLink::TakeLines() {
  QStringList lines;
  lines.swap(m_lines);
  return lines;
}

QStringList RecordingLink::Commands() const {
  QStringList commands;
  for (const Call& call : m_calls) commands << call.command;
  return commands;
}

void RecordingLink::SetAnswer(const QString& command, const QString& answer) {
  m_queryCommands.append(command);
  m_queryAnswers.append(answer);
}

void RecordingLink::SetListReplies(const QStringList& replies, bool ok) {
  m_listReplies = replies;
  m_listOk = ok;
}

void RecordingLink::SetResponder(Responder responder, CSelvantisDoc* doc) {
  m_responder = std::move(responder);
  m_responderDoc = doc;
}

void RecordingLink::Record(const QString& line) {
  m_lines.append(line);
  if (!line.startsWith(QLatin1Char(' '))) {
    const int blank = line.indexOf(QLatin1Char(' '));
    m_lastPath = blank < 0 ? line : line.left(blank);
  }
  if (!m_responder || !m_responderDoc) return;
  for (const QString& reply : m_responder(line)) {
    if (m_mode != LINKMODE_NORMAL && m_mode != LINKMODE_UPLOAD) continue;
    if (!reply.startsWith(QLatin1Char('/')) || !m_responderDoc) continue;
    const int blank = reply.indexOf(QLatin1Char(' '));
    if (m_mode == LINKMODE_UPLOAD && blank >= 0 && reply.mid(blank + 1) == QLatin1String("?")) continue;
    m_responderDoc->RouteReplyLine(reply, m_errorFile, m_mode);
  }
}

void RecordingLink::SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) {
  m_calls.push_back(Call{command, doc, bShorten});
  if (doc && m_served && doc != m_served) return;
  const int blank = command.indexOf(QLatin1Char(' '));
  if (bShorten && blank > 0 && command.left(blank) == m_lastPath)
    Record(command.mid(blank));
  else
    Record(command);
}

void RecordingLink::SendCommand(const QString& command, const CSelvantisDoc* doc) {
  m_calls.push_back(Call{command, doc, false});
  if (doc && m_served && doc != m_served) return;
  Record(command);
}

void RecordingLink::SetLinkMode(int mode) {
  if (mode == LINKMODE_DOWNLOAD && m_mode != LINKMODE_DOWNLOAD) Record(QStringLiteral("/MACRO/LOCK ON"));
  if (m_mode == LINKMODE_DOWNLOAD && mode != LINKMODE_DOWNLOAD) Record(QStringLiteral("/MACRO/LOCK OFF"));
  if (mode != LINKMODE_COMMANDLIST) m_target = nullptr;
  m_mode = mode;
  m_modes.append(mode);
}

QString RecordingLink::SendQuery(const QString& command) {
  Record(command);
  const int i = m_queryCommands.lastIndexOf(command);
  return i < 0 ? QString() : m_queryAnswers[i];
}

QString RecordingLink::SendAndRead(const QString& command, int) {
  // The real link returns the echo too.
  Record(command);
  const int i = m_queryCommands.lastIndexOf(command);
  return i < 0 ? QString() : command + QStringLiteral("\r\n") + m_queryAnswers[i];
}

void RecordingLink::PumpMessages() { QCoreApplication::processEvents(); }

bool RecordingLink::SendCommandList(const QStringList& commands, bool, int, QObject* replyTarget, int tag) {
  int length = 0;
  for (const QString& command : commands) length += command.size() + 2;
  if (length > 512) return false;
  if (m_mode != LINKMODE_COMMANDLIST) {
    SetLinkMode(LINKMODE_COMMANDLIST);
    m_target = replyTarget;
    m_tag = tag;
  } else if (m_target.isNull()) {
    m_target = replyTarget;
    m_tag = tag;
  }
  for (const QString& command : commands) Record(command);
  return true;
}

bool RecordingLink::SendListAndWait(const QStringList& commands, QStringList* replies) {
  for (const QString& command : commands) Record(command);
  if (replies) *replies = m_listOk ? m_listReplies : QStringList();
  return m_listOk && m_connected;
}

QString RecordingLink::GetErrorFilePath() {
  ++m_errorFileRequests;
  return m_errorFile;
}

void RecordingLink::ShowErrorFile() { ++m_errorFileShows; }

void RecordingLink::OnSaveVmxSettings() { Record(QStringLiteral("/SERVICE/START FASTSAVE")); }

bool RecordingLink::DeliverReply(const QStringList& lines) { return DeliverCommReply(m_target.data(), m_tag, lines); }
