#ifndef SELV_ONLINE_CZONELISTVIEW_H
#define SELV_ONLINE_CZONELISTVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/listchoice.h"
#include "link/linkmode.h"
#include "online/conlinepoll.h"
#include "online/czoneliststate.h"
#include "shell/controls/cinplaceedit.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <vector>

class CInPlaceEdit;
class CSelvantisDoc;
class CZone;

// The upper pane of the line-test window: every zone fed by an amplifier
// channel with its line-test settings and the unit's measurements. Polls
// the unit's zone-test state every second while on line, re-reads the
// zones' values row by row on request, edits name, ignore flags, test
// volume and tolerances in place, and sends the measurement commands of
// the pane below. The decisions live in CZoneListState.
class CZoneListView final : public CEBListView {
  Q_OBJECT

 public:
  static constexpr int kTimerId = 1000;
  static constexpr int kPollPeriodMs = 1000;
  static constexpr uint32_t kDownloadZoneData = 34614;
  static constexpr uint32_t kRefreshDisplay = 34626;
  static constexpr uint32_t kUpdate = 34642;
  static constexpr uint32_t kDeviceDownload = 33179;
  static constexpr uint32_t kDeviceUpload = 33180;

  CZoneListView(CSelvantisDoc* doc, QWidget* parent);
  ~CZoneListView() override;

  void OnInitialUpdate();
  void FillList() override;
  void TransferAll(bool bUpload) override { TransferAllZones(bUpload); }
  void OnDeviceCommand(uint32_t id) override;

  void TransferAllZones(bool bUpload);
  void OnDeviceDownload();
  void OnDeviceUpload();
  void OnRefreshDisplay();
  void OnUpdateZones();
  void PollZoneTestStatus();
  void OnTimer(int timerId);
  bool IsPolling() const { return m_poll.IsActive(); }

  void StartLineTestMeasurement();
  void SetLineTestReference();
  void StartImpedanceMeasurement();
  void SetImpedanceReference();
  void SelectAllRows();
  int FindRowByZoneId(int id) const { return m_state.FindRowByZoneId(id); }
  std::vector<int> SelectedRows() const;

  // Double-click on a cell (as the mouse does): the ignore choice or an
  // in-place edit box; and the end of such an edit.
  void OnDblClk(int row, int column);
  // The mouse's double click: OnDblClk for the rows selected before it.
  void EditCell(int row, int column) override;
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);
  CInPlaceEdit* ActiveEditor() const { return m_editor; }
  void SetChooser(ListChooser chooser) { m_chooser = std::move(chooser); }

  // The frame's side: its buttons 34614 and 34626 and its status pane.
  void SetButtonEnabler(std::function<void(uint32_t, bool)> enabler) { m_enableButton = std::move(enabler); }
  void SetStatusPane(std::function<void(const QString&)> pane) { m_statusPane = std::move(pane); }

  const CZoneListState& State() const { return m_state; }

 public slots:
  void OnCommReply(int tag, const QStringList& lines);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void SendMeasurement(CZoneListState::Measurement m);
  void RunStep(const CZoneListState::Step& step);
  void ChainStarted();
  void EnableButtons(bool on);
  void RestartTimer();
  void ShowCells();
  void ShowRow(int row);
  // downloadMode: the link mode of a download.
  void Transfer(bool bUpload, const std::vector<int>& rows, bool withZonetest, int downloadMode = LINKMODE_DOWNLOAD);
  void SaveWidths();

  CZoneListState m_state;
  COnlinePoll m_poll;
  QPointer<CInPlaceEdit> m_editor;
  std::vector<int> m_pressSelection;
  ListChooser m_chooser;
  std::function<void(uint32_t, bool)> m_enableButton;
  std::function<void(const QString&)> m_statusPane;
  QString m_shownStatus;
  bool m_widthsSaved = false;
};

#endif
