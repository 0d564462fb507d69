#ifndef SELV_ONLINE_CEVENTPRINTER_H
#define SELV_ONLINE_CEVENTPRINTER_H

#include "online/ieventprinter.h"

#include <QFont>

#include <memory>

class QPrinter;

// The default printer of the system for the event-log window, with the
// window's font scaled to the printer's resolution.
class CEventPrinter final : public IEventPrinter {
 public:
  // Null when the system has no default printer.
  static std::unique_ptr<CEventPrinter> CreateDefault(const QFont& font);
  ~CEventPrinter() override;

  int PageHeight() const override;
  int LineHeight() const override;
  bool PrintPage(const QStringList& lines) override;

 private:
  CEventPrinter(std::unique_ptr<QPrinter> printer, const QFont& font);

  std::unique_ptr<QPrinter> m_printer;
  QFont m_font;
  int m_lineHeight = 0;
};

#endif
