#include "editors/designer/ccurvedlg.h"

#include "editors/designer/cdesignerview.h"
#include "macros/cvirtctrlitem.h"
#include "model/cselvantisdoc.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Refuses characters a name cannot keep, rather than let the project file
// turn them into question marks.
class NameValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (const QChar c : input)
      if (c.unicode() > 0xFF) return Invalid;
    return Acceptable;
  }
};

QLabel* MakeText(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

}  // namespace

CCurveDlg::CCurveDlg(CVirtCtrlItem* item, CDesignerView* pane, QWidget* parent)
    : CResizableDialog(kTemplateId, parent),
      m_item(item),
      m_pane(pane),
      m_state(item),
      m_name(new QLineEdit(this)),
      m_id(MakeText("id", this)),
      m_drivenBy(MakeText("drivenBy", this)),
      m_drives(MakeText("drives", this)),
      m_slider(new QSlider(Qt::Horizontal, this)),
      m_spin(new QDoubleSpinBox(this)) {
  setWindowTitle(tr("Properties"));
  m_name->setObjectName(QStringLiteral("name"));
  m_name->setValidator(new NameValidator(m_name));
  m_slider->setObjectName(QStringLiteral("valueSlider"));
  m_slider->setRange(0, CurveDlgState::kSliderMax);
  m_slider->setSingleStep(1);
  m_slider->setPageStep(100);
  m_slider->setTickPosition(QSlider::TicksBelow);
  m_slider->setTickInterval(100);
  m_spin->setObjectName(QStringLiteral("valueSpin"));
  m_spin->setDecimals(1);
  m_spin->setRange(CurveDlgState::kMinValue, CurveDlgState::kMaxValue);
  m_spin->setSingleStep(0.1);

  auto* form = new QFormLayout;
  form->addRow(tr("Name:"), m_name);
  form->addRow(tr("ID:"), m_id);
  form->addRow(tr("Driven by:"), m_drivenBy);
  form->addRow(tr("Drives:"), m_drives);

  auto* output = new QGroupBox(tr("Output value"), this);
  auto* outputLayout = new QHBoxLayout(output);
  outputLayout->addWidget(m_slider, 1);
  outputLayout->addWidget(m_spin);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(output);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CCurveDlg::OnOK);
  connect(buttons, &QDialogButtonBox::rejected, this, &CCurveDlg::reject);
  // Both controls are filled and synchronised with their signals blocked, so
  // these fire for the user's changes only.
  connect(m_slider, &QSlider::valueChanged, this, &CCurveDlg::OnSliderChanged);
  connect(m_spin, &QDoubleSpinBox::valueChanged, this, &CCurveDlg::OnSpinChanged);

  if (CSelvantisDoc* doc = item ? item->GetDocument() : nullptr) {
    connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CCurveDlg::OnObjectRemoved);
    connect(doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_item); });
  }
}

bool CCurveDlg::OnInitDialog() {
  if (!m_item) return false;
  m_state.Load();
  m_name->setText(m_state.Name());
  m_id->setText(m_state.IdText());
  const QString none = tr("(none)");
  m_drivenBy->setText(m_state.DrivenBy().isEmpty() ? none : m_state.DrivenBy());
  m_drives->setText(m_state.Drives().isEmpty() ? none : m_state.Drives());
  {
    const QSignalBlocker slider(m_slider);
    const QSignalBlocker spin(m_spin);
    m_slider->setValue(CurveDlgState::SliderPosition(m_state.Value()));
    m_spin->setValue(m_state.Value());
  }
  return CResizableDialog::OnInitDialog();
}

void CCurveDlg::OnSliderChanged(int position) {
  const std::optional<double> value = m_state.ChangeValue(CurveDlgState::SliderValue(position));
  if (!value) return;
  {
    const QSignalBlocker spin(m_spin);
    m_spin->setValue(*value);
  }
  Send(*value);
}

void CCurveDlg::OnSpinChanged(double typed) {
  const std::optional<double> value = m_state.ChangeValue(typed);
  if (!value) return;
  {
    const QSignalBlocker slider(m_slider);
    m_slider->setValue(CurveDlgState::SliderPosition(*value));
  }
  Send(*value);
}

void CCurveDlg::Send(double value) {
  if (m_pane && m_state.HasItem()) m_pane->QueueVirtCtrlValue(m_state.ItemId(), value);
}

void CCurveDlg::OnOK() {
  if (!m_state.HasItem()) {
    reject();
    return;
  }
  if (!m_state.ApplyName(m_name->text())) {
    m_name->setFocus();
    m_name->selectAll();
    return;
  }
  CResizableDialog::accept();
}

void CCurveDlg::OnObjectRemoved(CBaseDevice* object) {
  if (!m_item || object != m_item) return;
  m_item = nullptr;
  m_state.Forget();
  // Closing from inside the model's notification could pull the dialog away
  // under a caller still on the stack; let the event loop do it.
  QMetaObject::invokeMethod(this, &CCurveDlg::reject, Qt::QueuedConnection);
}
