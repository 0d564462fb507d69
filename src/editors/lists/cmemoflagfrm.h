#ifndef SELV_EDITORS_LISTS_CMEMOFLAGFRM_H
#define SELV_EDITORS_LISTS_CMEMOFLAGFRM_H

#include "editors/lists/centrylistframe.h"

class CMemoFlagListView;

// The frame of the memo-flag list (editor kind 18): New and Delete, no
// transfers.
class CMemoFlagFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  static constexpr int kToolBar = 517;

  CMemoFlagFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CMemoFlagListView* GetMemoFlagView() const noexcept { return m_memoFlagView; }
  // Refills the list (which stops the status poll).
  void RefreshList();

 private:
  CMemoFlagListView* m_memoFlagView;
};

#endif
