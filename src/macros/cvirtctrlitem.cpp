#include "macros/cvirtctrlitem.h"

#include "macros/cvirtctrl.h"
#include "model/commandids.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QStringList>

#include <memory>

SELV_IMPLEMENT_SERIAL(CVirtCtrlItem, 1)

namespace {

QString KindText() {
  const QString text = LoadString(CVirtCtrlItem::kKind);
  return text.isEmpty() ? QStringLiteral("Virtual controller") : text;
}

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_VIRTCTRLITEM, [](CSelvantisDoc& doc, int) -> std::unique_ptr<CBaseDevice> {
    auto item = std::make_unique<CVirtCtrlItem>();
    if (!item->Create(CVirtCtrlItem::kKind, 1, 1, QString(), QRect(), CAT_LOGIC, 0,
                      CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
      return nullptr;
    item->SetUniqueName(Fmt("%s %d", KindText().toLatin1().constData(), item->GetID()), false);
    return item;
  });
  return true;
}();

}  // namespace

SELV_REGISTER_SELECTION(CVirtCtrlItem::kKind, [](const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  SelectionChoice none;
  none.columns << LoadString(34421);
  list.choices.push_back(none);
  if (!doc) return list;
  std::vector<CBaseDevice*> items;
  doc->GetIDManager().GetBaseDeviceList(items, DT_VIRTCTRLITEM);
  for (CBaseDevice* item : items) {
    SelectionChoice choice;
    choice.columns << item->GetName() << item->GetIDString();
    choice.number = item->GetID();
    choice.type = DT_VIRTCTRLITEM;
    choice.value = item->GetID();
    list.choices.push_back(choice);
  }
  return list;
})

CVirtCtrlItem::CVirtCtrlItem() {
  m_nType = DT_VIRTCTRLITEM;
  m_nKind = kKind;
}

void CVirtCtrlItem::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

CVirtCtrlItem* CVirtCtrlItem::CreateItem(CSelvantisDoc& doc) {
  return dynamic_cast<CVirtCtrlItem*>(doc.CreateObject(DT_VIRTCTRLITEM, kKind));
}

QString CVirtCtrlItem::ValueCommand(int entry, double value) { return Fmt(kValueCommand, entry, value); }

QString CVirtCtrlItem::GetToolTipText() const {
  QStringList lines;
  lines << GetName() << Fmt("ID %d", m_nID);
  if (const CVirtCtrl* block = CVirtCtrl::Find(m_pDoc)) {
    const int driven = block->GetLink(CVirtCtrl::G_ITEM, m_nID - 1);
    QString label, name;
    if (driven > 0 && block->GetVCRowText(driven - 1, label, name)) lines << QStringLiteral("-> ") + label;
    const QString sources = block->SourcesText(m_nID);
    if (!sources.isEmpty()) lines << QStringLiteral("<- ") + sources;
    const QString destinations = block->DestinationsText(m_nID);
    if (!destinations.isEmpty()) lines << QStringLiteral("-> ") + destinations;
  }
  return lines.join(QLatin1Char('\n'));
}

bool CVirtCtrlItem::OnCommand(int id) {
  if (id == ID_DELETE_OBJECT) {
    if (CVirtCtrl* block = CVirtCtrl::Find(m_pDoc)) block->RemoveItemLinks(m_nID);
  }
  return CBaseDevice::OnCommand(id);
}

void CVirtCtrlItem::SetID(int id) {
  if (m_nID != 0 && id != m_nID) {
    if (CVirtCtrl* block = CVirtCtrl::Find(m_pDoc)) block->RenumberItem(m_nID, id);
  }
  CBaseDevice::SetID(id);
}
