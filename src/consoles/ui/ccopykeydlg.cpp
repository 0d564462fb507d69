#include "consoles/ui/ccopykeydlg.h"

#include "consoles/cconsole.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

std::vector<CConsole*> CCopyKeyDlg::Destinations(const std::vector<CBaseDevice*>& consoles, const CConsole* source) {
  std::vector<CConsole*> list;
  for (CBaseDevice* device : consoles) {
    auto* console = dynamic_cast<CConsole*>(device);
    if (console != nullptr && console != source) list.push_back(console);
  }
  return list;
}

CCopyKeyDlg::CCopyKeyDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Copy key properties"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Key properties of console"), this));
  m_source = new QLineEdit(this);
  m_source->setObjectName(QStringLiteral("source"));
  m_source->setReadOnly(true);
  m_source->setMaxLength(kMaxNameChars);
  layout->addWidget(m_source);
  layout->addWidget(new QLabel(tr("will be completely copied to console:"), this));
  m_destination = new QComboBox(this);
  m_destination->setObjectName(QStringLiteral("destination"));
  layout->addWidget(m_destination);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* copy = buttons->addButton(tr("C&opy"), QDialogButtonBox::AcceptRole);
  copy->setObjectName(QStringLiteral("copy"));
  copy->setDefault(true);
  buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CCopyKeyDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CCopyKeyDlg::Fill() {
  m_pDestination = nullptr;
  m_source->setText(m_strName);
  m_destination->clear();
  for (CConsole* console : Destinations(m_consoles, m_pSource))
    m_destination->addItem(console->GetName(), QVariant::fromValue(static_cast<void*>(console)));
  m_destination->setCurrentIndex(m_destination->count() > 0 ? 0 : -1);
}

int CCopyKeyDlg::exec() {
  Fill();
  return QDialog::exec();
}

void CCopyKeyDlg::accept() {
  const int row = m_destination->currentIndex();
  m_pDestination = row >= 0 ? static_cast<CConsole*>(m_destination->itemData(row).value<void*>()) : nullptr;
  QDialog::accept();
}
