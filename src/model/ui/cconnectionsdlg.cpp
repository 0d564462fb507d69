#include "model/ui/cconnectionsdlg.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ui/connectionstable.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

CConnectionsDlg::CConnectionsDlg(QWidget* parent)
    : CResizableDialog(0, parent), m_title(new QLabel(this)), m_list(new QTreeWidget(this)) {
  // No template of its own: the rectangle gets a key of its own.
  SetRectStore(DialogRectStore(QStringLiteral("Settings"), QStringLiteral("DlgSizeConnections")));
  setWindowTitle(tr("Connections"));
  m_title->setObjectName(QStringLiteral("object"));
  m_list->setObjectName(QStringLiteral("connections"));
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setHeaderLabels(ConnectionsTable::Titles());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_title);
  layout->addWidget(m_list, 1);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &CConnectionsDlg::reject);
  resize(480, 320);
}

void CConnectionsDlg::SetObject(CBaseDevice* object) {
  if (m_doc) {
    disconnect(m_doc, nullptr, this, nullptr);
  }
  m_object = object;
  m_doc = object ? object->GetDocument() : nullptr;
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CConnectionsDlg::OnObjectRemoved);
    connect(m_doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_object); });
  }
  if (isVisible()) {
    Refill();
  }
}

void CConnectionsDlg::OnObjectRemoved(CBaseDevice* object) {
  if (object && object == m_object) {
    m_object = nullptr;
    Refill();
  }
}

bool CConnectionsDlg::OnInitDialog() {
  Refill();
  return CResizableDialog::OnInitDialog();
}

void CConnectionsDlg::Refill() {
  m_list->clear();
  m_title->setText(m_object ? m_object->GetName() : QString());
  for (const ConnectionsTable::Row& row : ConnectionsTable::Build(m_object)) {
    new QTreeWidgetItem(m_list, row.Cells());
  }
  for (int c = 0; c < m_list->columnCount(); ++c) {
    m_list->resizeColumnToContents(c);
  }
}
