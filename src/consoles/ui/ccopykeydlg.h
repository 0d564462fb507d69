#pragma once
#include <QDialog>
#include <QString>

#include <vector>

class CBaseDevice;
class CConsole;
class QComboBox;
class QLineEdit;

// The modal "Copy key properties" dialog: shows the source console and lets
// the user choose the console that receives a copy of its key programming.
// Holds the consoles given by the caller without owning them.
class CCopyKeyDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 389;
  enum ControlId : int { IDC_SOURCE = 1423, IDC_DESTINATION = 1424 };
  static constexpr int kMaxNameChars = 32;

  // The consoles the combo box offers: every console of the list but the
  // source, in list order; entries that are no console are left out.
  static std::vector<CConsole*> Destinations(const std::vector<CBaseDevice*>& consoles, const CConsole* source);

  explicit CCopyKeyDlg(QWidget* parent = nullptr);

  void SetConsoles(const std::vector<CBaseDevice*>& consoles) { m_consoles = consoles; }
  void SetSource(CConsole* source) { m_pSource = source; }
  // The source's name as shown (in single quotes); cut to 32 characters.
  void SetNameText(const QString& text) { m_strName = text.left(kMaxNameChars); }
  CConsole* GetDestination() const noexcept { return m_pDestination; }

  QComboBox* DestinationCombo() const noexcept { return m_destination; }
  QLineEdit* SourceEdit() const noexcept { return m_source; }

  int exec() override;
  void accept() override;

 private:
  void Fill();

  std::vector<CBaseDevice*> m_consoles;
  CConsole* m_pSource = nullptr;
  CConsole* m_pDestination = nullptr;
  QString m_strName;
  QLineEdit* m_source = nullptr;
  QComboBox* m_destination = nullptr;
};
