#include "consoles/ui/ckeyrangedlg.h"

#include "model/cmessagesink.h"
#include "model/ctext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString IntegerText(int value) { return Fmt("%d", value); }

}  // namespace

CKeyRangeDlg::Fields CKeyRangeDlg::Validate(const QString& firstKey, const QString& stopKey, const QString& firstZone) {
  Fields fields;
  const struct {
    const QString& text;
    int* out;
    int id;
  } rows[] = {{firstKey, &fields.firstKey, IDC_FIRST_KEY},
              {stopKey, &fields.stopKey, IDC_STOP_KEY},
              {firstZone, &fields.firstZone, IDC_FIRST_ZONE}};
  for (const auto& row : rows) {
    if (!ScanInt(row.text.trimmed(), row.out)) {
      fields.failedField = row.id;
      fields.message = tr("Please enter an integer.");
      return fields;
    }
  }
  if (fields.firstZone < kMinZoneLine || fields.firstZone > kMaxZoneLine) {
    fields.failedField = IDC_FIRST_ZONE;
    fields.message =
        tr("Please enter an integer between %1 and %2.").arg(IntegerText(kMinZoneLine), IntegerText(kMaxZoneLine));
  }
  return fields;
}

CKeyRangeDlg::CKeyRangeDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Range programming for keys"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_firstKey = new QLineEdit(this);
  m_firstKey->setObjectName(QStringLiteral("firstKey"));
  m_stopKey = new QLineEdit(this);
  m_stopKey->setObjectName(QStringLiteral("stopKey"));
  m_firstZone = new QLineEdit(this);
  m_firstZone->setObjectName(QStringLiteral("firstZone"));
  form->addRow(tr("Key number of key to start with programming"), m_firstKey);
  form->addRow(tr("      stop number:"), m_stopKey);
  form->addRow(tr("Line number of zone to start with programming for above key"), m_firstZone);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CKeyRangeDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  SetFields(0, 0, 0);
}

void CKeyRangeDlg::SetFields(int firstKey, int stopKey, int firstZone) {
  m_nFirstKey = firstKey;
  m_nStopKey = stopKey;
  m_nFirstZone = firstZone;
  m_firstKey->setText(IntegerText(firstKey));
  m_stopKey->setText(IntegerText(stopKey));
  m_firstZone->setText(IntegerText(firstZone));
}

QLineEdit* CKeyRangeDlg::Edit(int controlId) const {
  switch (controlId) {
    case IDC_FIRST_KEY: return m_firstKey;
    case IDC_STOP_KEY: return m_stopKey;
    case IDC_FIRST_ZONE: return m_firstZone;
    default: return nullptr;
  }
}

void CKeyRangeDlg::accept() {
  const Fields fields = Validate(m_firstKey->text(), m_stopKey->text(), m_firstZone->text());
  if (fields.failedField != 0) {
    AfxMessageBox(fields.message, MB_OK | MB_ICONEXCLAMATION);
    if (QLineEdit* edit = Edit(fields.failedField)) {
      edit->setFocus();
      edit->selectAll();
    }
    return;
  }
  m_nFirstKey = fields.firstKey;
  m_nStopKey = fields.stopKey;
  m_nFirstZone = fields.firstZone;
  QDialog::accept();
}
