#ifndef SELV_ONLINE_IEVENTPRINTER_H
#define SELV_ONLINE_IEVENTPRINTER_H

#include <QStringList>

// Where the event-log window prints its entries, line by line: one page
// per call. Page and line heights are in the printer's device units.
class IEventPrinter {
 public:
  virtual ~IEventPrinter() = default;
  virtual int PageHeight() const = 0;
  virtual int LineHeight() const = 0;
  // Prints the lines on one page of a document named "Events"; false when
  // the printer refused.
  virtual bool PrintPage(const QStringList& lines) = 0;
};

#endif
