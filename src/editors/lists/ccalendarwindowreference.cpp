#include "editors/lists/ccalendarwindowreference.h"

#include "model/cselvantisdoc.h"

CCalendarWindowReference::CCalendarWindowReference(CSelvantisDoc* doc, QWidget* list) : m_doc(doc), m_list(list) {
  if (CInternalSlot* slot = Slot()) slot->SetServiceWindow(this);
}

CCalendarWindowReference::~CCalendarWindowReference() {
  CInternalSlot* slot = Slot();
  if (slot && slot->GetServiceWindow() == this) slot->SetServiceWindow(nullptr);
}

QWidget* CCalendarWindowReference::Window() const { return m_list ? m_list->window() : nullptr; }

CInternalSlot* CCalendarWindowReference::Slot() const {
  return m_doc ? CInternalSlot::FindByKind(m_doc.data(), CInternalSlot::KIND_CALENDAR) : nullptr;
}
