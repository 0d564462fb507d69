#ifndef SELV_EDITORS_LISTS_CAPPOINTDLGVIEW_H
#define SELV_EDITORS_LISTS_CAPPOINTDLGVIEW_H

#include "editors/lists/ccalendarlistview.h"

class CAppoint;

// The list of the project's appointments: name, ID, repetition, date, time
// and macro. Every edit refills the list from the appointments.
class CAppointDlgView final : public CCalendarListView {
  Q_OBJECT

 public:
  explicit CAppointDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewAppointment(); }
  void EditCell(int row, int column) override;

  void NewAppointment();
  void TransferAllAppointments(bool bUpload) { TransferAll(bUpload); }

 protected:
  bool ApplyText(int row, int column, const QString& text) override;

 private:
  CAppoint* AppointAt(int row) const;
};

#endif
