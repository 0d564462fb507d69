#include "editors/lists/cmemoflagfrm.h"

#include "editors/lists/cmemoflaglistview.h"
#include "editors/lists/memoflaglistmodel.h"

CMemoFlagFrm::CMemoFlagFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, MemoFlagListModel::kKind, parent),
      m_memoFlagView(new CMemoFlagListView(context.doc, this)) {
  SetView(m_memoFlagView);
}

void CMemoFlagFrm::RefreshList() { m_memoFlagView->FillList(); }

SELV_REGISTER_HOST_FRAME(HostFrameKind::MemoFlags, CMemoFlagFrm)
