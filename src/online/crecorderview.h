#ifndef SELV_ONLINE_CRECORDERVIEW_H
#define SELV_ONLINE_CRECORDERVIEW_H

#include "online/conlineview.h"
#include "online/crecorderwindowstate.h"

#include <QIcon>

#include <array>

class CValueEdit;
class QComboBox;
class QPushButton;

// The message-recorder window's form: the function buttons (play, stop,
// record, erase, format, info), the source, message, destination and
// quality lists, the record time and the flash banks to format. The
// decisions live in CRecorderWindowState; the form mirrors it. The status
// texts the unit reports go to the frame through paneText.
class CRecorderView final : public COnlineView {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 530;
  // Control ids; the widgets carry them as object names.
  static constexpr int kStopId = 1566;
  static constexpr int kRecordId = 1560;
  static constexpr int kEraseId = 1567;
  static constexpr int kFormatId = 1568;
  static constexpr int kQualityId = 1563;
  static constexpr int kPlayId = 1565;
  static constexpr int kDestinationId = 1040;
  static constexpr int kMessageId = 1041;
  static constexpr int kRecordTimeId = 1564;
  static constexpr int kInfoId = 1562;
  static constexpr int kSourceId = 1561;
  static constexpr int kBankIds[CRecorderWindowState::kBankCount] = {1656, 1216, 1214, 1215};
  // The pictures of the info and function buttons.
  static constexpr int kInfoPicture = 533;
  static constexpr int kPlayPicture = 534;
  static constexpr int kRecordPicture = 535;
  static constexpr int kStopPicture = 536;
  static constexpr int kErasePicture = 541;
  static constexpr int kFormatPicture = 542;
  // The picture of a button by its control id; 0 for none.
  static int PictureOf(int id);

  CRecorderView(CSelvantisDoc* doc, QWidget* parent);

  void OnInitialUpdate() override;
  void OnPoll() override;
  void OnLineChanged(bool online) override;
  void QuerySettings();

  const CRecorderWindowState& State() const { return m_state; }
  QComboBox* SourceList() const { return m_source; }
  QComboBox* MessageList() const { return m_message; }
  QComboBox* DestinationList() const { return m_destination; }
  QComboBox* QualityList() const { return m_quality; }
  CValueEdit* RecordTimeEdit() const { return m_recordTime; }
  QPushButton* BankBox(int bank) const;
  QPushButton* Button(int id) const;

  // The control handlers, also reached from the widgets' user signals.
  void OnSourceChosen(int index);
  void OnMessageChosen(int index);
  void OnMessageEdited(const QString& text);
  void OnMessageDropDown();
  void OnDestinationChosen(int index);
  void OnQualityChosen(int index);
  void OnRecordTimeEdited();
  void OnFunction(const QString& function);
  void OnInfo();
  void OnFormat();

 signals:
  // A status pane's new text (0 INFO, 1 FUNCTION, 2 TIME, 3 FREE).
  void paneText(int pane, const QString& text);

 public slots:
  void OnCommReply(int tag, const QStringList& lines) override;

 private:
  void BuildForm();
  void ShowSettings();
  void FillMessages();
  void Send(const QStringList& lines);

  CRecorderWindowState m_state;
  QComboBox* m_source = nullptr;
  QComboBox* m_message = nullptr;
  QComboBox* m_destination = nullptr;
  QComboBox* m_quality = nullptr;
  CValueEdit* m_recordTime = nullptr;
  std::array<QPushButton*, CRecorderWindowState::kBankCount> m_banks{};
  std::array<QPushButton*, 6> m_functionButtons{};
};

#endif
