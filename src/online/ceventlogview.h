#ifndef SELV_ONLINE_CEVENTLOGVIEW_H
#define SELV_ONLINE_CEVENTLOGVIEW_H

#include "online/ceventforwarder.h"
#include "online/ceventlogstate.h"
#include "online/conlineview.h"
#include "online/cpendinglists.h"

#include <QStringList>

#include <array>
#include <memory>

class CEllipsisStatic;
class IEventPrinter;
class QCheckBox;
class QFile;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

// The event-log window's form. "Properties": which events the unit logs
// (the project's event-log object). "Events": while on line, the entries
// read from the unit's log, newest on top; each is also appended to the
// event file beside the project, printed when asked and forwarded to the
// drop directory when it matches a configured keyword. The decisions live
// in CEventLogState and CEventForwarder.
class CEventLogView final : public COnlineView {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 547;
  static constexpr int kTabId = 1733;
  static constexpr int kGroupId = 1735;
  static constexpr int kFileLabelId = 1700;
  static constexpr int kEntriesId = 1690;
  static constexpr int kPrintId = 1699;
  static constexpr int kPrintNowId = 1730;

  CEventLogView(CSelvantisDoc* doc, QWidget* parent);
  ~CEventLogView() override;

  void OnInitialUpdate() override;
  void OnPoll() override;
  void OnLineChanged(bool online) override;
  // Shows the project's event-log settings.
  void ShowSettings();
  // The frame's Upload (true) and Download buttons: the list goes to the
  // link now or, while a transfer has the line, as soon as the link takes
  // it.
  void TransferSettings(bool bUpload);
  // A list is waiting for the line.
  bool IsTransferWaiting() const { return m_pending.HasPending(); }
  // Switches between the two pages.
  void TogglePage();
  bool IsEventsPage() const;

  // The control handlers, also reached from the widgets' user signals.
  void OnCategoryClicked(int boxId);
  void OnDetailButton(int buttonId);
  void OnPrintClicked();
  void OnPrintNow();

  // One log entry as read from the unit.
  void OnEntry(const QString& entry);

  // For tests and the frame.
  const CEventLogState& State() const { return m_state; }
  QCheckBox* CategoryBox(int boxId) const;
  CEllipsisStatic* DetailText(int boxId) const;
  QPushButton* DetailButton(int boxId) const;
  QTabBar* Tabs() const { return m_tabs; }
  QLabel* FileLabel() const { return m_fileLabel; }
  QPlainTextEdit* Entries() const { return m_entries; }
  QCheckBox* PrintBox() const { return m_print; }
  QPushButton* PrintNowButton() const { return m_printNow; }
  QString EventFilePath() const { return m_eventFilePath; }
  bool HasEventFile() const { return m_eventFile != nullptr; }
  const QStringList& PrintList() const { return m_printList; }
  void SetReplaceNames(bool on) { m_replaceNames = on; }
  void SetPrinter(std::unique_ptr<IEventPrinter> printer);
  // The forwarding configuration and the directory its local files go to.
  void SetForwarder(const CEventForwarder& forwarder, const QString& workDir);

 public slots:
  void OnCommReply(int tag, const QStringList& lines) override;

 private:
  void BuildForm();
  void ShowPage(bool events);
  void PrintWaiting();
  // The printer and the event file, when the unit's entries are read.
  void PrepareReading();
  void OpenEventFile();

  CEventLogState m_state;
  CPendingLists m_pending;
  CEventForwarder m_forwarder;
  QString m_forwardDir;
  bool m_replaceNames = false;
  std::unique_ptr<QFile> m_eventFile;
  QString m_eventFilePath;
  std::unique_ptr<IEventPrinter> m_printer;
  QStringList m_printList;

  QTabBar* m_tabs = nullptr;
  QGroupBox* m_group = nullptr;
  std::array<QCheckBox*, CEventLogState::kCategoryCount> m_boxes{};
  std::array<CEllipsisStatic*, CEventLogState::kCategoryCount> m_details{};
  std::array<QPushButton*, CEventLogState::kCategoryCount> m_buttons{};
  QLabel* m_fileLabel = nullptr;
  QPlainTextEdit* m_entries = nullptr;
  QCheckBox* m_print = nullptr;
  QPushButton* m_printNow = nullptr;
};

#endif
