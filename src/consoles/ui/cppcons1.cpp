#include "consoles/ui/cppcons1.h"

#include "consoles/cconsole.h"
#include "link/idevicelink.h"
#include "model/cmessagesink.h"
#include "model/ctext.h"
#include "shell/controls/cpropertysheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Control ids, kept as object names ("idc_<id>") so that tests find them.
enum ControlId : int {
  IDC_TYPE = 1138,
  IDC_ADDRESS = 1128,
  IDC_SLOT = 1129,
  IDC_INPUT = 1130,
  IDC_STATUS = 1133,
  IDC_COMP = 1244,
  IDC_BUZZER = 1143,
  IDC_GERMAN = 1311,
  IDC_DOSCHAR = 1376,
  IDC_PRECHIME = 1142,
  IDC_EXT_FIRST = 1245,  // to 1248
  IDC_EXT_TEXT = 1654,
  IDC_PTT_LABEL = 1254,
  IDC_PTT_PRIO = 1375,
  IDC_SHORT_CODE = 1249,
  IDC_LONG_CODE = 1006,
  IDC_ON_PRIORITY = 1140,
  IDC_ON_SPIN = 1076,
  IDC_FAULT = 1552,
  IDC_SW_VERSION = 1358,
  IDC_OP_MODE = 1360,
};

template <class T>
T* Named(T* widget, int id) {
  widget->setObjectName(Fmt("idc_%d", id));
  return widget;
}

QLineEdit* DisplayEdit(int id) {
  auto* edit = Named(new QLineEdit, id);
  edit->setReadOnly(true);
  return edit;
}

QLineEdit* DigitsEdit(int id, int digits, bool bSigned) {
  auto* edit = Named(new QLineEdit, id);
  const QString pattern = Fmt("%s[0-9]{0,%d}", bSigned ? "-?" : "", digits);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
  edit->setMaxLength(digits + (bSigned ? 1 : 0));
  return edit;
}

}  // namespace

CPPCons1::CPPCons1(CSelvantisDoc* doc, QWidget* parent)
    : CPropertyPage(kTemplateId, CPPCons1::tr("Common"), parent), m_pDoc(doc) {
  CreateControls();
  FillControls();
}

void CPPCons1::CreateControls() {
  // Where the console is connected, and what it says about itself.
  auto* connection = new QGroupBox(tr("Connection"));
  auto* where = new QFormLayout;
  m_type = DisplayEdit(IDC_TYPE);
  m_address = DisplayEdit(IDC_ADDRESS);
  m_slot = DisplayEdit(IDC_SLOT);
  m_input = DisplayEdit(IDC_INPUT);
  m_input->setMaxLength(1);
  m_status = DisplayEdit(IDC_STATUS);
  where->addRow(tr("Type:"), m_type);
  where->addRow(tr("Address:"), m_address);
  where->addRow(tr("Slot:"), m_slot);
  where->addRow(tr("Input:"), m_input);
  where->addRow(tr("Status:"), m_status);
  m_swVersion = Named(new QPushButton(tr("Get sw - version ")), IDC_SW_VERSION);
  m_opMode = Named(new QPushButton(tr("Get operating mode")), IDC_OP_MODE);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_swVersion);
  buttons->addWidget(m_opMode);
  buttons->addStretch();
  auto* connectionLayout = new QVBoxLayout(connection);
  connectionLayout->addLayout(where);
  connectionLayout->addLayout(buttons);

  auto* settings = new QGroupBox(tr("Settings"));
  m_comp = Named(new QCheckBox(tr("Compressor for microphone")), IDC_COMP);
  m_buzzer = Named(new QCheckBox(tr("Buzzer")), IDC_BUZZER);
  m_german = Named(new QCheckBox(tr("German date format (alternative :english format)")), IDC_GERMAN);
  m_dosChar = Named(new QCheckBox(tr("Umlaute from DOS-charset  (alternative: from WINDOWS-charset)")), IDC_DOSCHAR);
  m_preChime = Named(new QCheckBox(tr("Pre-chime before announcement")), IDC_PRECHIME);
  // The pre-chime follows fixed key 108 and is edited there.
  m_preChime->setEnabled(false);
  m_fault = Named(new QCheckBox(tr("included in FAULT handling")), IDC_FAULT);
  auto* settingsLayout = new QVBoxLayout(settings);
  for (QCheckBox* box : {m_comp, m_buzzer, m_german, m_dosChar, m_preChime, m_fault}) settingsLayout->addWidget(box);

  // The EXT connector's use follows the model and the keys; shown only.
  auto* ext = new QGroupBox(tr("EXT-Connector"));
  auto* extLayout = new QGridLayout(ext);
  for (int i = 0; i < ConsParamsPageState::kExtCount; ++i) {
    m_ext[i] = Named(new QRadioButton(ConsParamsPageState::ExtRadioText(i)), IDC_EXT_FIRST + i);
    m_ext[i]->setEnabled(false);
    extLayout->addWidget(m_ext[i], i, 0, 1, 2);
    connect(m_ext[i], &QRadioButton::clicked, this, [this, i] { OnExtClicked(i); });
  }
  m_extText = Named(new QLabel, IDC_EXT_TEXT);
  extLayout->addWidget(m_extText, ConsParamsPageState::kExtCount, 0, 1, 2);
  m_pttLabel = Named(new QLabel(tr("Priority:")), IDC_PTT_LABEL);
  m_pttPrio = Named(new QComboBox, IDC_PTT_PRIO);
  for (int i = 0; i < ConsParamsPageState::kPttPrioCount; ++i) m_pttPrio->addItem(ConsParamsPageState::PttPrioText(i));
  m_pttLabel->setBuddy(m_pttPrio);
  extLayout->addWidget(m_pttLabel, ConsParamsPageState::kExtCount + 1, 0);
  extLayout->addWidget(m_pttPrio, ConsParamsPageState::kExtCount + 1, 1);

  auto* codes = new QGroupBox(tr("Console codes"));
  auto* codesLayout = new QFormLayout(codes);
  m_shortCode = DigitsEdit(IDC_SHORT_CODE, 3, false);
  m_longCode = DigitsEdit(IDC_LONG_CODE, 4, false);
  codesLayout->addRow(tr("User (3 digits) :"), m_shortCode);
  codesLayout->addRow(tr("Expert (4 digits) :"), m_longCode);

  m_onPriority = DigitsEdit(IDC_ON_PRIORITY, 3, true);
  m_onSpin = Named(new QSpinBox, IDC_ON_SPIN);
  m_onSpin->setRange(ConsParamsPageState::kMinOnPriority, ConsParamsPageState::kMaxOnPriority);
  // The spin only steps the edit beside it: its own text would show the
  // number twice.
  m_onSpin->setFixedWidth(m_onSpin->fontMetrics().height() + 4);
  auto* onRow = new QHBoxLayout;
  auto* onLabel = new QLabel(tr("ON Priority"));
  onLabel->setBuddy(m_onPriority);
  onRow->addWidget(onLabel);
  onRow->addWidget(m_onPriority);
  onRow->addWidget(m_onSpin);
  onRow->addStretch();

  auto* left = new QVBoxLayout;
  left->addWidget(connection);
  left->addWidget(settings);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(ext);
  right->addWidget(codes);
  right->addLayout(onRow);
  right->addStretch();
  auto* page = new QHBoxLayout(this);
  page->addLayout(left);
  page->addLayout(right);

  // User actions only: the fill blocks these while it runs.
  auto onCheck = [this](QCheckBox* box, void (ConsParamsPageState::*set)(bool) noexcept) {
    connect(box, &QCheckBox::clicked, this, [this, set](bool on) {
      (m_state.*set)(on);
      SetModified();
    });
  };
  onCheck(m_comp, &ConsParamsPageState::SetComp);
  onCheck(m_buzzer, &ConsParamsPageState::SetBuzzer);
  onCheck(m_german, &ConsParamsPageState::SetGerman);
  onCheck(m_dosChar, &ConsParamsPageState::SetDosChar);
  onCheck(m_fault, &ConsParamsPageState::SetFaultHandling);
  connect(m_pttPrio, &QComboBox::activated, this, [this](int index) {
    m_state.SetPttPrio(index);
    SetModified();
  });
  connect(m_shortCode, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_state.SetShortCode(text);
    SetModified();
  });
  connect(m_longCode, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_state.SetLongCode(text);
    SetModified();
  });
  connect(m_onPriority, &QLineEdit::textEdited, this, &CPPCons1::OnOnPriorityEdited);
  // A half-typed priority (empty, "-") shows the value kept once the edit
  // is left.
  connect(m_onPriority, &QLineEdit::editingFinished, this, &CPPCons1::ShowOnPriority);
  connect(m_onSpin, &QSpinBox::valueChanged, this, &CPPCons1::OnOnPrioritySpin);
  connect(m_swVersion, &QPushButton::clicked, this, &CPPCons1::OnGetSwVersion);
  connect(m_opMode, &QPushButton::clicked, this, &CPPCons1::OnGetOperatingMode);
}

void CPPCons1::FillControls() {
  m_bFilling = true;
  const ConsParamsPageState& s = m_state;
  m_type->setText(s.GetType());
  m_address->setText(s.GetAddress());
  m_slot->setText(s.GetSlot());
  m_input->setText(s.GetInput());
  m_status->setText(s.GetStatus());
  m_comp->setChecked(s.GetComp());
  m_buzzer->setChecked(s.GetBuzzer());
  m_german->setChecked(s.GetGerman());
  m_dosChar->setChecked(s.GetDosChar());
  m_preChime->setChecked(s.GetPreChime());
  for (int i = 0; i < ConsParamsPageState::kExtCount; ++i) m_ext[i]->setChecked(i == s.GetExt());
  m_extText->setText(s.ExtText());
  {
    const QSignalBlocker block(m_pttPrio);
    m_pttPrio->setCurrentIndex(s.GetPttPrio());
  }
  m_pttPrio->setEnabled(s.IsPttPrioEnabled());
  m_pttLabel->setEnabled(s.IsPttPrioEnabled());
  m_shortCode->setText(s.GetShortCode());
  m_longCode->setText(s.GetLongCode());
  ShowOnPriority();
  m_fault->setChecked(s.GetFaultHandling());
  m_fault->setEnabled(m_pConsole != nullptr && s.IsFaultHandlingAvailable());
  const bool queries = m_pConsole != nullptr && s.AreQueriesEnabled();
  m_swVersion->setEnabled(queries);
  m_opMode->setEnabled(queries);
  m_bFilling = false;
}

void CPPCons1::ShowOnPriority() {
  const bool filling = m_bFilling;
  m_bFilling = true;
  m_onPriority->setText(Fmt("%d", m_state.GetOnPriority()));
  {
    const QSignalBlocker block(m_onSpin);
    m_onSpin->setValue(m_state.GetOnPriority());
  }
  m_bFilling = filling;
}

void CPPCons1::OnOnPriorityEdited(const QString& text) {
  int value = 0;
  if (ScanInt(text, &value)) {
    if (!m_state.SetOnPriority(value)) {
      // Out of range: the edit shows the 0 the priority became.
      ShowOnPriority();
    } else {
      const QSignalBlocker block(m_onSpin);
      m_onSpin->setValue(value);
    }
  }
  SetModified();
}

void CPPCons1::OnOnPrioritySpin(int value) {
  if (m_bFilling) return;
  m_state.SetOnPriority(value);
  ShowOnPriority();
  SetModified();
}

void CPPCons1::OnExtClicked(int ext) {
  if (m_bFilling) return;
  m_state.SetExt(ext);
  m_extText->setText(m_state.ExtText());
  m_pttPrio->setEnabled(m_state.IsPttPrioEnabled());
  m_pttLabel->setEnabled(m_state.IsPttPrioEnabled());
  SetModified();
}

void CPPCons1::SetConsole(CConsole* console, bool bSaveOld) {
  if (bSaveOld && m_pConsole != nullptr) SaveToConsole();
  m_pConsole = console;
  if (m_pConsole != nullptr) {
    LoadFromConsole();
    return;
  }
  m_state.Reset();
  FillControls();
}

void CPPCons1::LoadFromConsole() {
  if (m_pConsole == nullptr) return;
  m_state.Load(*m_pConsole, m_pDoc);
  FillControls();
}

void CPPCons1::SaveToConsole() {
  if (m_pConsole == nullptr) return;
  m_state.Save(*m_pConsole, m_pDoc);
  // A code out of range became the default: the edits show what is kept.
  const QSignalBlocker blockShort(m_shortCode);
  const QSignalBlocker blockLong(m_longCode);
  m_shortCode->setText(m_state.GetShortCode());
  m_longCode->setText(m_state.GetLongCode());
}

bool CPPCons1::OnSetActive() {
  LoadFromConsole();
  return CPropertyPage::OnSetActive();
}

bool CPPCons1::OnKillActive() {
  if (m_pConsole == nullptr) return CPropertyPage::OnKillActive();
  SaveToConsole();
  SetModified(false);
  return CPropertyPage::OnKillActive();
}

void CPPCons1::OnOK() {
  SaveToConsole();
  CPropertyPage::OnOK();
}

bool CPPCons1::OnQueryCancel() {
  CPropertySheet* sheet = GetSheet();
  if (sheet == nullptr || !sheet->IsApplyEnabled()) return CPropertyPage::OnQueryCancel();
  return AfxMessageBox(34179, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void CPPCons1::OnGetSwVersion() { RunQuery(ConsParamsPageState::Query::Release); }

void CPPCons1::OnGetOperatingMode() { RunQuery(ConsParamsPageState::Query::OpLevel); }

void CPPCons1::RunQuery(ConsParamsPageState::Query query) {
  m_state.SetStatus(QString());
  m_status->clear();
  if (m_pConsole == nullptr) return;
  const QString command = ConsParamsPageState::QueryText(*m_pConsole, query);
  const QString text = ConsParamsPageState::ReplyText(GetDeviceLink()->SendQuery(command), command);
  if (text.isEmpty()) {
    AfxMessageBox(ConsParamsPageState::NoAnswerText(query), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  m_state.SetStatus(text);
  m_status->setText(text);
}
