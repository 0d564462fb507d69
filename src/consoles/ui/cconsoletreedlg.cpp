#include "consoles/ui/cconsoletreedlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "consoles/cconsole.h"
#include "consoles/ui/cconsolepropertysheet.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "model/replytext.h"
#include "shell/controls/cobjecttreectrl.h"
#include "shell/cselvantisview.h"

namespace {

constexpr int kNameChars = 255;

}  // namespace

CConsoleTreeDlg::CConsoleTreeDlg(CConsolePropertySheet& sheet, QWidget* parent) : QWidget(parent), m_sheet(sheet) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(tr("Overview of consoles"), this));
  m_tree = new CObjectTreeCtrl(this);
  m_tree->setObjectName(QStringLiteral("tree%1").arg(kTreeId));
  // A console's name goes to the unit, whose field holds no more.
  m_tree->SetNameWidth(ReplyText::kNameChars);
  layout->addWidget(m_tree, 1);
  setMinimumWidth(200);
  m_images.FollowExpansion(m_tree, kImageStrip);
  m_tree->installEventFilter(this);
  connect(m_tree, &QTreeWidget::currentItemChanged, this, &CConsoleTreeDlg::OnCurrentItemChanged);
  connect(m_tree, &QTreeWidget::itemExpanded, this, &CConsoleTreeDlg::OnItemExpanded);
  connect(m_tree, &QTreeWidget::itemClicked, this, &CConsoleTreeDlg::OnItemClicked);
  connect(m_tree, &CObjectTreeCtrl::objectRenamed, this, &CConsoleTreeDlg::OnObjectRenamed);
}

CConsole* CConsoleTreeDlg::ConsoleOf(const QTreeWidgetItem* item) {
  return dynamic_cast<CConsole*>(CObjectTreeCtrl::ObjectOf(item));
}

void CConsoleTreeDlg::Fill(CSelvantisDoc* doc) {
  m_bFilling = true;
  m_pDoc = doc;
  m_tree->clear();
  m_tree->SetDocument(doc);
  // The root stands for no console: it has no object and cannot be renamed.
  m_root = m_tree->AddObjectItem(nullptr);
  m_root->setText(0, LoadString(kRootTextId));
  m_root->setIcon(0, m_images.Icon(kImageStrip, 0));
  if (doc != nullptr) {
    for (CBaseDevice* object : doc->GetObjectList(CAT_CONSOLES)) {
      if (object->GetType() != DT_CONSOLE) continue;
      QTreeWidgetItem* item = m_tree->AddObjectItem(object, m_root);
      item->setText(0, object->GetName().left(kNameChars));
      item->setIcon(0, m_images.Icon(kImageStrip, 0));
    }
  }
  m_bFilling = false;
}

QTreeWidgetItem* CConsoleTreeDlg::FindItem(const CConsole* console) const {
  return console != nullptr ? m_tree->FindObjectItem(console) : m_root;
}

void CConsoleTreeDlg::SelectItemOf(const CConsole* console) {
  QTreeWidgetItem* item = FindItem(console);
  if (item == nullptr) item = m_root;
  m_bFilling = true;
  m_tree->setCurrentItem(item);
  m_bFilling = false;
}

void CConsoleTreeDlg::ExpandRoot() {
  if (m_root == nullptr) return;
  m_bFilling = true;
  m_root->setExpanded(true);
  m_bFilling = false;
}

void CConsoleTreeDlg::OnItemExpanded(QTreeWidgetItem* item) {
  // The item the user opens switches the pages to its console (none for
  // the root); the item is not chosen: the tree's selection and the
  // drawing's current object stay.
  if (m_bFilling || item == nullptr) return;
  m_sheet.SelectConsole(ConsoleOf(item));
}

void CConsoleTreeDlg::OnItemClicked(QTreeWidgetItem* item) {
  // After an opening switched the pages away, a click on the chosen item
  // brings its console back (choosing it again is no change of selection).
  if (m_bFilling || item == nullptr || item != m_tree->currentItem()) return;
  CConsole* console = ConsoleOf(item);
  if (console != m_sheet.GetConsole()) m_sheet.SelectConsole(console);
}

void CConsoleTreeDlg::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (m_bFilling) return;
  CConsole* console = ConsoleOf(current);
  CConsole* old = ConsoleOf(previous);
  m_sheet.SelectConsole(console);
  if (m_pDoc == nullptr) return;
  if (old != nullptr) m_pDoc->NotifyObjectChanged(old);
  if (console != nullptr) m_pDoc->NotifyObjectChanged(console);
  if (CSelvantisView* view = CSelvantisView::FindView(m_pDoc)) view->SetCurrentObject(console);
}

void CConsoleTreeDlg::OnObjectRenamed(CBaseDevice* object) {
  if (auto* console = dynamic_cast<CConsole*>(object)) m_sheet.OnConsoleRenamed(console);
}

bool CConsoleTreeDlg::eventFilter(QObject* watched, QEvent* event) {
  // While a label is edited the keys go to the editor, which ends the edit;
  // here they stand for the sheet's OK and Cancel.
  if (watched == m_tree && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      m_sheet.PressButton(CPropertySheet::PSBTN_OK);
      return true;
    }
    if (key == Qt::Key_Escape) {
      m_sheet.PressButton(CPropertySheet::PSBTN_CANCEL);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
