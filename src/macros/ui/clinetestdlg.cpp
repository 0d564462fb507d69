#include "macros/ui/clinetestdlg.h"

#include "model/cmessagesink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QComboBox* MakeList(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  return list;
}

QCheckBox* MakeCheck(const QString& text, const char* name, QWidget* parent) {
  auto* check = new QCheckBox(text, parent);
  check->setObjectName(QLatin1String(name));
  return check;
}

void Fill(QComboBox* list, const std::vector<LineTestDlgState::Entry>& entries) {
  const QSignalBlocker blocker(list);
  list->clear();
  for (const LineTestDlgState::Entry& entry : entries) list->addItem(entry.text, entry.data);
}

}  // namespace

CLineTestDlg::CLineTestDlg(QWidget* parent, CSelvantisDoc* doc)
    : CResizableDialog(kTemplateId, parent),
      m_state(doc),
      m_lineTest(MakeCheck(tr("Daily line test"), "lineTest", this)),
      m_time(new QTimeEdit(this)),
      m_lineConsoles(MakeList("lineConsoles", this)),
      m_impedanceTest(MakeCheck(tr("Impedance test"), "impedanceTest", this)),
      m_impedanceConsoles(MakeList("impedanceConsoles", this)),
      m_output(MakeList("output", this)) {
  setWindowTitle(tr("Line test properties"));
  // The unit runs the daily test to the minute.
  m_time->setObjectName(QStringLiteral("time"));
  m_time->setDisplayFormat(QStringLiteral("HH:mm"));

  auto* line = new QGroupBox(tr("Line test"), this);
  auto* lineForm = new QFormLayout(line);
  lineForm->addRow(m_lineTest);
  lineForm->addRow(tr("Time :"), m_time);
  lineForm->addRow(tr("Display on consoles :"), m_lineConsoles);

  auto* impedance = new QGroupBox(tr("Impedance test"), this);
  auto* impedanceForm = new QFormLayout(impedance);
  impedanceForm->addRow(m_impedanceTest);
  impedanceForm->addRow(tr("Display on consoles :"), m_impedanceConsoles);

  auto* outputForm = new QFormLayout;
  outputForm->addRow(tr("Activate output :"), m_output);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(line);
  layout->addWidget(impedance);
  layout->addLayout(outputForm);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CLineTestDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CLineTestDlg::reject);
  connect(m_lineTest, &QCheckBox::clicked, this, [this](bool checked) {
    m_state.SetLineTest(checked);
    ShowState();
  });
  connect(m_impedanceTest, &QCheckBox::clicked, this, [this](bool checked) {
    m_state.SetImpedanceTest(checked);
    ShowState();
  });
  // Programmatic changes are made with the signals blocked, so this is the
  // user's edit.
  connect(m_time, &QTimeEdit::timeChanged, this,
          [this](const QTime& time) { m_state.SetTime(time.msecsSinceStartOfDay() / 1000); });
  connect(m_lineConsoles, &QComboBox::activated, this, [this](int index) { m_state.ChooseLineConsole(index); });
  connect(m_impedanceConsoles, &QComboBox::activated, this,
          [this](int index) { m_state.ChooseImpedanceConsole(index); });
  connect(m_output, &QComboBox::activated, this, [this](int index) { m_state.ChooseOutput(index); });
}

void CLineTestDlg::ReportNoObject() {
  AfxMessageBox(tr("This project has no zone test settings, so there are no line test properties to edit."),
                MB_OK | MB_ICONEXCLAMATION);
}

int CLineTestDlg::DoModal() {
  if (!m_state.HasObject()) {
    ReportNoObject();
    return IDCANCEL;
  }
  return CResizableDialog::DoModal();
}

bool CLineTestDlg::OnInitDialog() {
  // Also reached through exec() or show(), which bypass DoModal's check.
  if (!m_state.Load()) {
    ReportNoObject();
    return false;
  }
  Fill(m_lineConsoles, m_state.Consoles());
  Fill(m_impedanceConsoles, m_state.Consoles());
  Fill(m_output, m_state.Outputs());
  {
    const QSignalBlocker blocker(m_time);
    m_time->setTime(QTime(0, 0).addSecs(m_state.Time()));
  }
  ShowState();
  return CResizableDialog::OnInitDialog();
}

void CLineTestDlg::ShowState() {
  const QSignalBlocker b1(m_lineTest);
  const QSignalBlocker b2(m_impedanceTest);
  const QSignalBlocker b3(m_lineConsoles);
  const QSignalBlocker b4(m_impedanceConsoles);
  const QSignalBlocker b5(m_output);
  m_lineTest->setChecked(m_state.LineTest());
  m_impedanceTest->setChecked(m_state.ImpedanceTest());
  m_lineConsoles->setCurrentIndex(m_state.LineConsoleIndex());
  m_impedanceConsoles->setCurrentIndex(m_state.ImpedanceConsoleIndex());
  m_output->setCurrentIndex(m_state.OutputIndex());
  const CZonetestFormState::Enables enables = m_state.Enables();
  m_time->setEnabled(enables.time);
  m_lineConsoles->setEnabled(enables.lineConsoles);
  m_impedanceConsoles->setEnabled(enables.impedanceConsoles);
  m_output->setEnabled(enables.output);
}

void CLineTestDlg::accept() {
  if (m_state.Apply() == LineTestDlgState::ApplyResult::NoObject) {
    ReportNoObject();
    reject();
    return;
  }
  CResizableDialog::accept();
}
