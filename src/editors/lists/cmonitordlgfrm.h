#ifndef SELV_EDITORS_LISTS_CMONITORDLGFRM_H
#define SELV_EDITORS_LISTS_CMONITORDLGFRM_H

#include "editors/lists/csplitlistframe.h"

#include <functional>

class CMonitorDlgListView;
class CMonitorRelaisListView;

// The monitor editor (editor kind 6): the monitor table on the left, the
// monitor relays on the right, the monitor toolbar (new/delete entry and
// relay, upload, download, on-line dialog, export, print).
class CMonitorDlgFrm final : public CSplitListFrame {
  Q_OBJECT

 public:
  enum Command : uint32_t {
    kNewEntry = 33145,
    kDeleteEntry = 33146,
    kNewRelay = 34479,
    kDeleteRelay = 34478,
    kUpload = 32944,
    kDownload = 32945,
    kOnlineData = 32986,
    kExportList = 34624,
    kPrintList = 34625,
  };

  CMonitorDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CMonitorDlgListView* GetEntryView() const noexcept { return m_entries; }
  CMonitorRelaisListView* GetRelayView() const noexcept { return m_relays; }

  bool OnCommand(uint32_t id) override;
  void RefreshLists();

  // Runs the on-line dialog; replaced by the tests.
  using OnlineDialogRunner = std::function<void(QWidget* parent)>;
  void SetOnlineDialogRunner(OnlineDialogRunner runner) { m_onlineRunner = std::move(runner); }

 private:
  void OnTransfer(bool bUpload);

  CMonitorDlgListView* m_entries;
  CMonitorRelaisListView* m_relays;
  OnlineDialogRunner m_onlineRunner;
};

#endif
