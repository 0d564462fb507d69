#include "shell/printerchoice.h"

#include "shell/cmainframe.h"

#include <QPrintDialog>
#include <QPrinter>

QPrinter* ChoosePrinter(QWidget* parent, QPrinter& fallback) {
  CMainFrame* frame = AfxGetMainWnd();
  QPrinter* printer = frame ? &frame->Printer() : &fallback;
  QPrintDialog dialog(printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  return dialog.exec() == QDialog::Accepted ? printer : nullptr;
}
