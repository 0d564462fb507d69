#ifndef SELV_EDITORS_LISTS_CDAYPROGDLGFRM_H
#define SELV_EDITORS_LISTS_CDAYPROGDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CDayprog;
class CDayprogDlgEntryView;
class CDayprogDlgListView;
class QSplitter;

// The frame of the day-program editor (editor kind 9): the day programs on
// the left, the entries of the selected one on the right. Every command
// that changes either list refills both.
class CDayprogDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  static constexpr int kListToolBar = 513;
  static constexpr int kListPaneWidth = 290;

  explicit CDayprogDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CDayprogDlgListView* GetListView() const noexcept { return m_listView; }
  CDayprogDlgEntryView* GetEntryView() const noexcept { return m_entryView; }
  QSplitter* GetSplitter() const noexcept { return m_splitter; }

  // The list commands and the two entry commands; false for others.
  bool OnFrameCommand(uint32_t id);
  void RefreshLists();
  void RefreshEntries();
  CDayprog* GetCurrentDayprog() const;

 private:
  CDayprogDlgListView* m_listView;
  CDayprogDlgEntryView* m_entryView;
  QSplitter* m_splitter;
};

#endif
