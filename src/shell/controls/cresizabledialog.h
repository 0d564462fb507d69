#ifndef SELV_SHELL_CONTROLS_CRESIZABLEDIALOG_H
#define SELV_SHELL_CONTROLS_CRESIZABLEDIALOG_H

#include "model/cmessagesink.h"  // IDOK, IDCANCEL
#include "shell/controls/dialogrectstore.h"

#include <QDialog>

// A dialog that keeps its window rectangle in the profile, one entry per
// template, and gets it back the next time it opens. Its controls follow the
// size through Qt layouts.
class CResizableDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CResizableDialog(unsigned templateId, QWidget* parent = nullptr);

  unsigned GetTemplateId() const noexcept { return m_templateId; }
  // Runs the dialog modally: IDOK or IDCANCEL.
  int DoModal();

  // Where the rectangle is kept; "Settings"/"DlgSize<template>" unless set.
  void SetRectStore(const DialogRectStore& store) { m_rectStore = store; }
  const DialogRectStore& GetRectStore() const noexcept { return m_rectStore; }

  void setVisible(bool visible) override;

 protected:
  // Runs once, just before the dialog is first shown. Derived dialogs fill
  // their controls and then call the base, which restores the saved
  // rectangle. Returning false closes the dialog with IDCANCEL.
  virtual bool OnInitDialog();
  // Saves the rectangle whenever the dialog is hidden, however it was closed.
  void hideEvent(QHideEvent* event) override;

 private:
  unsigned m_templateId;
  DialogRectStore m_rectStore;
  bool m_initDone = false;
  bool m_initFailed = false;
};

#endif
