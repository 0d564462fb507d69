#include "shell/cprotocolmonitorwnd.h"

#include "link/cprotocolmonitor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

CProtocolMonitorWnd::CProtocolMonitorWnd(QWidget* parent)
    : QDockWidget(parent), m_text(new QPlainTextEdit), m_clear(new QAction(this)), m_copy(new QAction(this)) {
  setObjectName(QStringLiteral("ProtocolMonitor"));
  m_text->setObjectName(QStringLiteral("MonitorText"));
  m_text->setReadOnly(true);
  m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_text->setMaximumBlockCount(CProtocolMonitor::kDefaultCapacity);
  m_text->setUndoRedoEnabled(false);

  auto* bar = new QToolBar;
  bar->setIconSize(QSize(16, 16));
  bar->addAction(m_clear);
  bar->addAction(m_copy);
  connect(m_clear, &QAction::triggered, this, [this]() {
    if (m_monitor) m_monitor->Clear();
    m_text->clear();
  });
  connect(m_copy, &QAction::triggered, this, [this]() { QApplication::clipboard()->setText(Text()); });

  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(m_text);
  setWidget(body);
  Retranslate();
}

void CProtocolMonitorWnd::Retranslate() {
  setWindowTitle(tr("Protocol monitor"));
  m_clear->setText(tr("Clear"));
  m_copy->setText(tr("Copy all"));
}

void CProtocolMonitorWnd::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) Retranslate();
  QDockWidget::changeEvent(event);
}

void CProtocolMonitorWnd::SetMonitor(CProtocolMonitor* monitor) {
  if (m_monitor) disconnect(m_monitor, nullptr, this, nullptr);
  m_monitor = monitor;
  if (m_monitor) {
    m_text->setMaximumBlockCount(m_monitor->Capacity());
    connect(m_monitor, &CProtocolMonitor::entryAdded, this, &CProtocolMonitorWnd::Append);
    connect(m_monitor, &CProtocolMonitor::cleared, m_text, &QPlainTextEdit::clear);
  }
  Reload();
}

QString CProtocolMonitorWnd::LineOf(const MonitorEntry& entry) {
  switch (entry.direction) {
    case MonitorEntry::Sent: return QStringLiteral("> ") + entry.text;
    case MonitorEntry::Received: return QStringLiteral("< ") + entry.text;
    default: return QStringLiteral("! ") + entry.text;
  }
}

QColor CProtocolMonitorWnd::ColourOf(const MonitorEntry& entry) {
  switch (entry.direction) {
    case MonitorEntry::Sent: return QColor(20, 60, 170);
    case MonitorEntry::Received: return QColor(20, 20, 20);
    default: return NoteColour();
  }
}

void CProtocolMonitorWnd::Append(const MonitorEntry& entry) {
  QScrollBar* bar = m_text->verticalScrollBar();
  // Follow the traffic only while the user has not scrolled back to read.
  const bool atEnd = bar->value() >= bar->maximum() - 2;
  QTextCharFormat format;
  format.setForeground(ColourOf(entry));
  // The link's own notes ("Port ... open") are information, not errors:
  // grey and slanted, apart from the traffic.
  format.setFontItalic(entry.direction == MonitorEntry::Note);
  QTextCursor cursor(m_text->document());
  cursor.movePosition(QTextCursor::End);
  if (!m_text->document()->isEmpty()) cursor.insertBlock();
  cursor.insertText(LineOf(entry), format);
  if (atEnd) bar->setValue(bar->maximum());
}

void CProtocolMonitorWnd::Reload() {
  m_text->clear();
  if (!m_monitor) return;
  for (const MonitorEntry& entry : m_monitor->Entries()) Append(entry);
}

QString CProtocolMonitorWnd::Text() const { return m_text->toPlainText(); }

int CProtocolMonitorWnd::LineCount() const {
  return m_text->document()->isEmpty() ? 0 : m_text->document()->blockCount();
}
