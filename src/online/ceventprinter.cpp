#include "online/ceventprinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

std::unique_ptr<CEventPrinter> CEventPrinter::CreateDefault(const QFont& font) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return nullptr;
  auto printer = std::make_unique<QPrinter>(info);
  if (!printer->isValid()) return nullptr;
  return std::unique_ptr<CEventPrinter>(new CEventPrinter(std::move(printer), font));
}

CEventPrinter::CEventPrinter(std::unique_ptr<QPrinter> printer, const QFont& font)
    : m_printer(std::move(printer)), m_font(font) {
  m_printer->setDocName(QStringLiteral("Events"));
  // The metrics on the printer scale the screen font to its resolution.
  m_font = QFont(font, m_printer.get());
  m_lineHeight = QFontMetrics(m_font, m_printer.get()).height();
}

CEventPrinter::~CEventPrinter() = default;

int CEventPrinter::PageHeight() const { return m_printer->height(); }

int CEventPrinter::LineHeight() const { return m_lineHeight; }

bool CEventPrinter::PrintPage(const QStringList& lines) {
  QPainter painter;
  if (!painter.begin(m_printer.get())) return false;
  painter.setFont(m_font);
  const QFontMetrics metrics(m_font, m_printer.get());
  int y = 0;
  for (const QString& line : lines) {
    painter.drawText(0, y + metrics.ascent(), line);
    y += m_lineHeight + 5;
  }
  return painter.end();
}
