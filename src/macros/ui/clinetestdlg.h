#ifndef SELV_MACROS_UI_CLINETESTDLG_H
#define SELV_MACROS_UI_CLINETESTDLG_H

#include "macros/linetestdlgstate.h"
#include "shell/controls/cresizabledialog.h"

class CSelvantisDoc;
class QCheckBox;
class QComboBox;
class QTimeEdit;

// The modal "Line test properties" dialog: the project's zone-test settings
// (daily line test and its time, the consoles that show the results, the
// impedance test, the output switched while a test runs). The decisions
// live in LineTestDlgState; this class maps its fields to the controls.
// Nothing changes in the project until OK; Cancel leaves it as it was.
class CLineTestDlg final : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 550;

  CLineTestDlg(QWidget* parent, CSelvantisDoc* doc);

  // Runs the dialog: IDOK or IDCANCEL. Without a zone-test object in the
  // project it says so and returns IDCANCEL without opening.
  int DoModal();

  const LineTestDlgState& State() const { return m_state; }
  // Stores the changed settings and closes the dialog.
  void accept() override;

 protected:
  bool OnInitDialog() override;

 private:
  void ShowState();
  static void ReportNoObject();

  LineTestDlgState m_state;
  QCheckBox* m_lineTest;
  QTimeEdit* m_time;
  QComboBox* m_lineConsoles;
  QCheckBox* m_impedanceTest;
  QComboBox* m_impedanceConsoles;
  QComboBox* m_output;
};

#endif
