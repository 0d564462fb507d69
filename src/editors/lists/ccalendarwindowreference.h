#ifndef SELV_EDITORS_LISTS_CCALENDARWINDOWREFERENCE_H
#define SELV_EDITORS_LISTS_CCALENDARWINDOWREFERENCE_H

#include "unit/cinternalslot.h"

#include <QPointer>
#include <QWidget>

class CSelvantisDoc;

// While a calendar list (appointments, day, week or holiday programs) is
// shown, the project's Calendar block keeps a reference to the window that
// shows it, as the Service block keeps one to its open dialog; the
// reference goes with the list (the window closed, or switched to a list
// outside the calendar). The calendar's replies reach their entries by their
// paths: the block hands the window none.
class CCalendarWindowReference final : public CInternalSlot::IServiceWindow {
 public:
  // list: the calendar list's frame; the reference names its window.
  CCalendarWindowReference(CSelvantisDoc* doc, QWidget* list);
  ~CCalendarWindowReference() override;
  CCalendarWindowReference(const CCalendarWindowReference&) = delete;
  CCalendarWindowReference& operator=(const CCalendarWindowReference&) = delete;

  // The window the calendar list is shown in (null once it has gone).
  QWidget* Window() const;

  void ParseReply(const QString& line) override { (void)line; }

 private:
  CInternalSlot* Slot() const;

  QPointer<CSelvantisDoc> m_doc;
  QPointer<QWidget> m_list;
};

#endif
