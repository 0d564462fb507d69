#pragma once
#include <QDialog>
#include <QString>

class QLineEdit;

// The modal "Range programming for keys" dialog: the first and the stop key
// of a run and the zone line the first key gets. Only the zone line has a
// range; text that is no number is refused too. Owns its widgets only.
class CKeyRangeDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 404;
  enum ControlId : int { IDC_FIRST_KEY = 1432, IDC_FIRST_ZONE = 1433, IDC_STOP_KEY = 1434 };
  static constexpr int kMinZoneLine = 1;
  static constexpr int kMaxZoneLine = 100;

  // The fields read from the edits; failedField is the control id of the
  // first refused edit (0 when all are taken) and message what to show.
  struct Fields {
    int firstKey = 0;
    int stopKey = 0;
    int firstZone = 0;
    int failedField = 0;
    QString message;
  };
  static Fields Validate(const QString& firstKey, const QString& stopKey, const QString& firstZone);

  explicit CKeyRangeDlg(QWidget* parent = nullptr);

  void SetFields(int firstKey, int stopKey, int firstZone);
  int GetFirstKey() const noexcept { return m_nFirstKey; }
  int GetStopKey() const noexcept { return m_nStopKey; }
  int GetFirstZone() const noexcept { return m_nFirstZone; }

  QLineEdit* Edit(int controlId) const;

  void accept() override;

 private:
  int m_nFirstKey = 0;
  int m_nStopKey = 0;
  int m_nFirstZone = 0;
  QLineEdit* m_firstKey = nullptr;
  QLineEdit* m_stopKey = nullptr;
  QLineEdit* m_firstZone = nullptr;
};
