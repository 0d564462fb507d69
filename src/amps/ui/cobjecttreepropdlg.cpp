#include "amps/ui/cobjecttreepropdlg.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/cmainframe.h"
#include "shell/controls/cobjecttreectrl.h"
#include "shell/cselvantisview.h"

#include <QAbstractItemDelegate>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

constexpr uint32_t kStrSaveChanges = 32791;

}  // namespace

CObjectTreePropDlg::CObjectTreePropDlg(unsigned templateId, CSelvantisDoc* doc, int imageStrip, QWidget* parent)
    : CResizableDialog(templateId, parent), m_doc(doc), m_imageStrip(imageStrip), m_tree(new CObjectTreeCtrl(this)) {
  m_tree->setObjectName(QStringLiteral("tree"));
  m_tree->SetDocument(m_doc);
}

CObjectTreePropDlg::~CObjectTreePropDlg() = default;

void CObjectTreePropDlg::CreateButtons() {
  m_ok = new QPushButton(tr("OK"), this);
  m_cancel = new QPushButton(tr("Cancel"), this);
  m_apply = new QPushButton(tr("Apply"), this);
  m_ok->setObjectName(QStringLiteral("ok"));
  m_cancel->setObjectName(QStringLiteral("cancel"));
  m_apply->setObjectName(QStringLiteral("apply"));
  m_ok->setDefault(true);
}

void CObjectTreePropDlg::LayOut(QLayout* page) {
  auto* top = new QHBoxLayout;
  top->addWidget(m_tree, 1);
  top->addLayout(page, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  buttons->addWidget(m_apply);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(m_ok, &QPushButton::clicked, this, &CObjectTreePropDlg::accept);
  connect(m_cancel, &QPushButton::clicked, this, &CObjectTreePropDlg::reject);
  connect(m_apply, &QPushButton::clicked, this, [this] { ApplyChanges(); });
  connect(m_tree, &QTreeWidget::currentItemChanged, this, &CObjectTreePropDlg::OnTreeCurrentChanged);
  m_images.FollowExpansion(m_tree, m_imageStrip);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CObjectTreePropDlg::OnObjectRemoved);
    connect(m_doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(CurrentObject()); });
  }
}

bool CObjectTreePropDlg::IsApplyEnabled() const { return m_apply->isEnabled(); }

void CObjectTreePropDlg::SetModified(bool modified) { m_apply->setEnabled(modified); }

QIcon CObjectTreePropDlg::Image(int index) { return m_images.Icon(m_imageStrip, index); }

void CObjectTreePropDlg::FillTree(const QString& rootText, const std::vector<CBaseDevice*>& objects) {
  const bool wasFilling = m_filling;
  m_filling = true;
  QTreeWidgetItem* root = m_tree->AddObjectItem(nullptr);
  root->setText(0, rootText);
  root->setIcon(0, Image(0));
  for (CBaseDevice* object : objects) {
    QTreeWidgetItem* item = m_tree->AddObjectItem(object, root);
    item->setIcon(0, Image(PictureOf(object)));
  }
  root->setExpanded(true);
  SelectTreeItemOf(CurrentObject());
  m_filling = wasFilling;
}

void CObjectTreePropDlg::SelectTreeItemOf(const CBaseDevice* object) {
  const bool wasFilling = m_filling;
  m_filling = true;
  if (QTreeWidgetItem* item = m_tree->FindObjectItem(object)) m_tree->setCurrentItem(item);
  m_filling = wasFilling;
}

void CObjectTreePropDlg::ShowApplied(CBaseDevice* object) {
  m_apply->setEnabled(false);
  if (object != nullptr) {
    if (QTreeWidgetItem* item = m_tree->FindObjectItem(object)) item->setIcon(0, Image(PictureOf(object)));
  }
  ShowCurrent();
}

void CObjectTreePropDlg::OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem*) {
  if (m_filling) return;
  CBaseDevice* next = CObjectTreeCtrl::ObjectOf(current);
  CBaseDevice* previous = CurrentObject();
  if (next == nullptr) {
    // The root stands for no object: the selection stays where it was.
    SelectTreeItemOf(previous);
    return;
  }
  if (next == previous) return;
  if (m_apply->isEnabled()) {
    if (AfxMessageBox(LoadString(kStrSaveChanges), MB_YESNO | MB_ICONQUESTION, kStrSaveChanges) == IDYES &&
        !ApplyChanges()) {
      // Refused edits stay on screen to be corrected.
      SelectTreeItemOf(previous);
      return;
    }
  }
  m_apply->setEnabled(false);
  if (previous != nullptr) previous->Invalidate();
  SetCurrentObject(next);
  ShowCurrent();
  next->Invalidate();
  MakeCurrentInView(next);
}

void CObjectTreePropDlg::MakeCurrentInView(CBaseDevice* object) {
  if (CSelvantisView* view = CSelvantisView::FindView(m_doc)) view->SetCurrentObject(object);
}

void CObjectTreePropDlg::OnObjectRemoved(CBaseDevice* object) {
  const bool wasCurrent = object != nullptr && object == CurrentObject();
  ForgetObject(object);
  if (wasCurrent) {
    m_apply->setEnabled(false);
    ShowCurrent();
  }
}

bool CObjectTreePropDlg::EndLabelEdit() {
  QWidget* editor = m_tree->indexWidget(m_tree->currentIndex());
  if (editor == nullptr) return false;
  QMetaObject::invokeMethod(m_tree, "commitData", Q_ARG(QWidget*, editor));
  QMetaObject::invokeMethod(m_tree, "closeEditor", Q_ARG(QWidget*, editor),
                            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
  return true;
}

void CObjectTreePropDlg::accept() {
  // Enter while a tree label is edited ends the edit, not the dialog.
  if (EndLabelEdit()) return;
  // Unchanged edits are not applied again: applying can have effects of its
  // own (a relay topology hands the zones their relays anew).
  if (m_apply->isEnabled() && !ApplyChanges()) return;
  CResizableDialog::accept();
}
