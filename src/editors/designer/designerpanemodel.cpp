#include "editors/designer/designerpanemodel.h"

#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "model/cbasedevice.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/devicetype.h"

#include <QtEndian>

#include <algorithm>

QString DesignerPaneModel::MimeType() { return QStringLiteral("application/x-qt-windows-mime;value=\"DATA Object\""); }

DesignerPaneModel::DesignerPaneModel(CSelvantisDoc* doc, Role role) : m_doc(doc), m_role(role) {}

QString DesignerPaneModel::Title(int column) const {
  switch (m_role) {
    case ItemsRole: return LoadString(column == 0 ? 34365 : 34244);
    case SourcesRole: return LoadString(column == 0 ? 34248 : 33105);
    case DestinationsRole: return LoadString(column == 0 ? 32846 : 33104);
  }
  return QString();
}

CVirtCtrl* DesignerPaneModel::Block() const { return m_doc ? CVirtCtrl::Find(m_doc) : nullptr; }

void DesignerPaneModel::Fill() {
  m_rows.clear();
  if (!m_doc) return;
  if (m_role == ItemsRole) {
    FillItems();
  } else if (m_role == SourcesRole) {
    FillLinks({CVirtCtrl::G_ITEM, CVirtCtrl::G_ENCODER, CVirtCtrl::G_AD});
  } else {
    FillLinks({CVirtCtrl::G_DA, CVirtCtrl::G_IN, CVirtCtrl::G_OUT, CVirtCtrl::G_ALARM, CVirtCtrl::G_CHIME,
               CVirtCtrl::G_MESSAGE, CVirtCtrl::G_MONITOR, CVirtCtrl::G_AMPCHAN, CVirtCtrl::G_DELAY});
  }
  if (m_selected >= static_cast<int>(m_rows.size()))
    m_selected = m_rows.empty() ? -1 : static_cast<int>(m_rows.size()) - 1;
  if (m_selected < 0 && !m_rows.empty()) m_selected = 0;
}

void DesignerPaneModel::FillItems() {
  std::vector<CBaseDevice*> items;
  m_doc->GetIDManager().GetBaseDeviceList(items, DT_VIRTCTRLITEM);
  std::sort(items.begin(), items.end(), [](CBaseDevice* a, CBaseDevice* b) { return a->GetID() < b->GetID(); });
  m_selected = 0;
  for (CBaseDevice* item : items) {
    if (item->GetID() == m_currentId) m_selected = static_cast<int>(m_rows.size());
    m_rows.push_back({kItemImage, item->GetID(), item->GetName(), Fmt("%d", item->GetID())});
  }
  if (m_rows.empty()) m_selected = -1;
}

void DesignerPaneModel::FillLinks(const std::vector<int>& groups) {
  const CVirtCtrl* block = Block();
  if (!block) return;
  for (int group : groups) {
    const int n = CVirtCtrl::GroupSize(group);
    for (int i = 0; i < n; ++i) {
      QString label, name;
      const bool exists = block->GetRowText(group, i, label, name);
      if (!exists) {
        // Items that do not exist are never listed; missing hardware only
        // while something is still wired to it, so the link can be removed.
        if (group == CVirtCtrl::G_ITEM || block->GetLink(group, i) == 0) continue;
        label += QStringLiteral(" *");
      }
      m_rows.push_back({group, i, label, name});
    }
  }
}

bool DesignerPaneModel::Wire(int itemId) {
  if (m_role == ItemsRole || m_selected < 0 || m_selected >= static_cast<int>(m_rows.size())) return false;
  CVirtCtrl* block = Block();
  if (!block) return false;
  const Row& row = m_rows[static_cast<size_t>(m_selected)];
  if (itemId != 0 && !m_doc->GetIDManager().FindBaseDevice(itemId, DT_VIRTCTRLITEM)) return false;
  if (!block->SetLink(row.image, row.index, itemId)) return false;
  if (itemId == 0) {
    m_rows[static_cast<size_t>(m_selected)].name.clear();
  } else {
    Fill();
  }
  return true;
}

bool DesignerPaneModel::Clear() { return Wire(0); }

int DesignerPaneModel::SelectedItemId() const {
  if (m_role != ItemsRole || m_selected < 0 || m_selected >= static_cast<int>(m_rows.size())) return 0;
  return m_rows[static_cast<size_t>(m_selected)].index;
}

CVirtCtrlItem* DesignerPaneModel::NewItem() {
  if (!m_doc || m_role != ItemsRole) return nullptr;
  CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(*m_doc);
  if (item) m_currentId = item->GetID();
  return item;
}

bool DesignerPaneModel::DeleteItem() {
  const int id = SelectedItemId();
  if (id == 0) return false;
  CBaseDevice* item = m_doc->GetIDManager().FindBaseDevice(id, DT_VIRTCTRLITEM);
  if (!item) return false;
  const size_t row = static_cast<size_t>(m_selected);
  if (row + 1 < m_rows.size()) {
    m_currentId = m_rows[row + 1].index;
  } else if (row > 0) {
    m_currentId = m_rows[row - 1].index;
  }
  if (CVirtCtrl* block = Block()) block->RemoveItemLinks(id);
  item->OnCommand(ID_DELETE_OBJECT);
  Fill();
  return true;
}

bool DesignerPaneModel::Rename(const QString& text) {
  const int id = SelectedItemId();
  if (!CanRename() || id == 0) return false;
  CBaseDevice* item = m_doc->GetIDManager().FindBaseDevice(id, DT_VIRTCTRLITEM);
  if (!item || !item->SetUniqueName(text, true)) return false;
  m_currentId = id;
  Fill();
  return true;
}

QString DesignerPaneModel::ToolTip(int row) const {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return QString();
  const Row& r = m_rows[static_cast<size_t>(row)];
  if (m_role == ItemsRole) {
    if (CBaseDevice* item = m_doc->GetIDManager().FindBaseDevice(r.index, DT_VIRTCTRLITEM))
      return item->GetToolTipText();
  }
  return r.label;
}

bool DesignerPaneModel::CanCreate() const {
  if (!m_doc) return false;
  return m_doc->GetIDManager().GetCount(DT_VIRTCTRLITEM) !=
         CIDManager::GetMaxDevices(DT_VIRTCTRLITEM, m_doc->IsBigProject());
}

bool DesignerPaneModel::CanDelete() const { return m_doc && m_doc->GetIDManager().GetCount(DT_VIRTCTRLITEM) > 0; }

QByteArray DesignerPaneModel::DragRecord(int itemId) {
  QByteArray record(kDragRecordSize, '\0');
  qToLittleEndian<qint32>(CVirtCtrlItem::kKind, record.data());
  qToLittleEndian<qint32>(kItemImage, record.data() + 4);
  qToLittleEndian<qint32>(itemId, record.data() + 8);
  return record;
}

int DesignerPaneModel::ParseDragRecord(const QByteArray& record) {
  if (record.size() != kDragRecordSize) return 0;
  const int kind = qFromLittleEndian<qint32>(record.constData());
  const int image = qFromLittleEndian<qint32>(record.constData() + 4);
  const int id = qFromLittleEndian<qint32>(record.constData() + 8);
  if (kind != CVirtCtrlItem::kKind || image != kItemImage || id < 1 || id > CVirtCtrl::kMaxItems) return 0;
  return id;
}

bool DesignerPaneModel::Drop(const QByteArray& record) {
  const int id = ParseDragRecord(record);
  if (id == 0) return false;
  if (m_role == ItemsRole) return NewItem() != nullptr;
  return Wire(id);
}
