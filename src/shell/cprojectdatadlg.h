#ifndef SELV_SHELL_CPROJECTDATADLG_H
#define SELV_SHELL_CPROJECTDATADLG_H

#include "shell/cprojectdatastate.h"

#include <QDialog>
#include <vector>

class CSelvantisDoc;
class QComboBox;
class QLineEdit;

// "Common project data" (View > Project): the unit variant and the
// project's descriptive texts. OK writes them into the document.
class CProjectDataDlg final : public QDialog {
  Q_OBJECT
 public:
  CProjectDataDlg(CSelvantisDoc& doc, QWidget* parent = nullptr);

  const CProjectDataState& State() const noexcept { return m_state; }

 public slots:
  void accept() override;

 private:
  CSelvantisDoc& m_doc;
  CProjectDataState m_state;
  QComboBox* m_variant;
  std::vector<QLineEdit*> m_texts;
};

#endif
