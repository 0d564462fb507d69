#ifndef SELV_EDITORS_LISTS_CSPAREAMPFRM_H
#define SELV_EDITORS_LISTS_CSPAREAMPFRM_H

#include "editors/lists/csplitlistframe.h"

class CSpareAmpView;

// The backup-amplifier editor (editor kind 2): the backup-amplifier entries
// on the left, the watch items of the entry selected there on the right,
// the backup-amplifier toolbar (new/delete entry and watch item, upload,
// download).
class CSpareAmpFrm final : public CSplitListFrame {
  Q_OBJECT

 public:
  enum Command : uint32_t {
    kNewEntry = 32979,
    kDeleteEntry = 32980,
    kNewWatch = 32983,
    kDeleteWatch = 32984,
    kUpload = 32981,
    kDownload = 32982,
  };

  CSpareAmpFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CSpareAmpView* GetEntryView() const noexcept { return m_entries; }
  CSpareAmpView* GetWatchView() const noexcept { return m_watches; }

  bool OnCommand(uint32_t id) override;
  void RefreshLists();

 private:
  void OnTransfer(bool bUpload);

  CSpareAmpView* m_entries;
  CSpareAmpView* m_watches;
};

#endif
