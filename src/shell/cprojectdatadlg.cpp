#include "shell/cprojectdatadlg.h"

#include "model/cselvantisdoc.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CProjectDataDlg::CProjectDataDlg(CSelvantisDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_variant(new QComboBox(this)) {
  setObjectName(QStringLiteral("ProjectDataDlg"));
  setWindowTitle(tr("Common project data"));
  m_state.Load(doc);

  auto* form = new QFormLayout;
  m_variant->setObjectName(QStringLiteral("variant"));
  m_variant->addItems(CProjectDataState::VariantNames());
  m_variant->setCurrentIndex(m_state.Variant());
  form->addRow(tr("Central unit:"), m_variant);
  for (int i = 0; i < CProjectDataState::kFieldCount; ++i) {
    auto* edit = new QLineEdit(m_state.Text(i), this);
    edit->setObjectName(QStringLiteral("text%1").arg(i));
    edit->setMaxLength(CProjectDataState::kMaxTextLength);
    edit->setMinimumWidth(320);
    form->addRow(CProjectDataState::FieldLabel(i), edit);
    m_texts.push_back(edit);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CProjectDataDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void CProjectDataDlg::accept() {
  m_state.SetVariant(m_variant->currentIndex());
  for (int i = 0; i < static_cast<int>(m_texts.size()); ++i)
    m_state.SetText(i, m_texts[static_cast<size_t>(i)]->text());
  m_state.Apply(m_doc);
  QDialog::accept();
}
