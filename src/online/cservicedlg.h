#ifndef SELV_ONLINE_CSERVICEDLG_H
#define SELV_ONLINE_CSERVICEDLG_H

#include "online/conlinepoll.h"
#include "online/cservicestate.h"
#include "unit/cinternalslot.h"

#include <QDialog>

class CLineStateBar;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// "Service functions": the unit's power-on count, on-line time and software
// version, its self tests and its SPI and logic registers. The service slot
// that opened it hands it the replies of the "/SERVICE" branch; the status
// is asked again every second while the unit is connected, and everything
// once more when the connection comes back. A value the unit has not
// answered (or refused) reads as not answered, never as a number.
class CServiceDlg final : public QDialog, public CInternalSlot::IServiceWindow {
  Q_OBJECT

 public:
  static constexpr int IDT_STATUS = 1;
  static constexpr int kStatusPeriodMs = 1000;
  // The start button's picture.
  static constexpr int kStartBitmap = 311;

  CServiceDlg(CInternalSlot* slot, QWidget* parent = nullptr);
  ~CServiceDlg() override;

  // Opens the dialog modally for the slot; true when it was shown.
  static bool Run(CInternalSlot& slot, QWidget* parent = nullptr);

  void ParseReply(const QString& line) override;
  void OnTimer();
  void OnStartTest();
  void OnReadRegisters();
  // The OUT cell of a row was edited to text (cancelled edits never get here).
  void OnEndLabelEdit(int row, const QString& text);

  const CServiceState& State() const { return m_state; }
  QComboBox* TestSelection() const { return m_tests; }
  QTableWidget* RegisterList() const { return m_registers; }
  QLabel* VersionText() const { return m_version; }
  QLabel* OnlineTimeText() const { return m_onlineTime; }
  QLabel* PowerOnCountText() const { return m_powerOnCount; }
  bool IsPolling() const { return m_poll.IsActive(); }
  CLineStateBar* LineBar() const { return m_lineBar; }
  // What a value the unit has not answered reads.
  static QString NotAnsweredText();

 private:
  void Send(const QString& command);
  void SendAll(const QStringList& commands);

  CInternalSlot* m_slot;
  CServiceState m_state;
  QPushButton* m_readButton;
  QLabel* m_version;
  QLabel* m_onlineTime;
  QComboBox* m_tests;
  QPushButton* m_startButton;
  QTableWidget* m_registers;
  QLabel* m_powerOnCount;
  CLineStateBar* m_lineBar;
  COnlinePoll m_poll;
};

#endif
