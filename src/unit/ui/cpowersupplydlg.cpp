#include "unit/ui/cpowersupplydlg.h"

#include "model/cselvantisdoc.h"
#include "unit/caudioinputdevice.h"
#include "unit/powersupplylogic.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>
#include <QValidator>
#include "shell/cbitmapmanager.h"

namespace {

QComboBox* MakeList(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  return list;
}

void Fill(QComboBox* list, const std::vector<PowerSupplyDlgState::Item>& items, int selected) {
  const QSignalBlocker blocker(list);
  list->clear();
  for (const PowerSupplyDlgState::Item& item : items) list->addItem(item.text, item.id);
  list->setCurrentIndex(selected);
}

QSlider* MakeSlider(const char* name, QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setObjectName(QLatin1String(name));
  slider->setRange(0, PowerSupplyDlgState::kStepMax);
  slider->setPageStep(1);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(1);
  return slider;
}

QLineEdit* MakeValue(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(true);
  edit->setMaximumWidth(40);
  return edit;
}

// Refuses characters the console cannot show, rather than let the project
// file turn them into question marks.
class DisplayableValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return PowerSupplyDlgState::IsDisplayable(input) ? Acceptable : Invalid;
  }
};

// The dialog the power supply's own handlers open.
const bool kHookInstalled = [] {
  PowerSupplyLogic::SetDialogHook([](CAudioInputDevice& powerSupply) {
    CPowerSupplyDlg dlg(powerSupply, nullptr);
    dlg.DoModal();
  });
  return true;
}();

}  // namespace

namespace {

QLabel* SupplyPicture(int id, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QStringLiteral("picture%1").arg(id));
  CBitmapManager bitmaps;
  if (const QPixmap* picture = bitmaps.GetBitmap(id)) label->setPixmap(*picture);
  return label;
}

}  // namespace

CPowerSupplyDlg::CPowerSupplyDlg(CAudioInputDevice& powerSupply, QWidget* parent)
    : CResizableDialog(kTemplateId, parent),
      m_ps(&powerSupply),
      m_state(powerSupply),
      m_onOffOutput(MakeList("onOffOutput", this)),
      m_failInput(MakeList("failInput", this)),
      m_tabs(new QTabBar(this)),
      m_console(MakeList("console", this)),
      m_text(new QLineEdit(this)),
      m_extInput(MakeList("extInput", this)),
      m_battery(new QCheckBox(tr("Battery with charger"), this)),
      m_uninterrupted(new QRadioButton(tr("Uninterrupted Switch To Battery Mode"), this)),
      m_standby(new QRadioButton(tr("switch to STANDBY mode"), this)),
      m_mainsPriority(MakeSlider("mainsPriority", this)),
      m_mainsValue(MakeValue("mainsPriorityValue", this)),
      m_batteryPriority(MakeSlider("batteryPriority", this)),
      m_batteryValue(MakeValue("batteryPriorityValue", this)) {
  Q_UNUSED(kHookInstalled);
  setWindowTitle(tr("Power Supply"));
  m_tabs->setObjectName(QStringLiteral("modeTabs"));
  m_text->setObjectName(QStringLiteral("text"));
  m_text->setMaxLength(PowerSupplyDlgState::kTextMax);
  m_text->setValidator(new DisplayableValidator(m_text));
  m_battery->setObjectName(QStringLiteral("battery"));
  m_uninterrupted->setObjectName(QStringLiteral("uninterrupted"));
  m_standby->setObjectName(QStringLiteral("standby"));
  auto* behaviour = new QButtonGroup(this);
  behaviour->addButton(m_uninterrupted);
  behaviour->addButton(m_standby);

  auto* connections = new QGroupBox(tr("Connections to VMX7000 "), this);
  auto* connectionsForm = new QFormLayout(connections);
  connectionsForm->addRow(tr("Power-ON/OFF signal :"), m_onOffOutput);
  connectionsForm->addRow(tr("Power Failure Signal :"), m_failInput);

  auto* lcd = new QGroupBox(tr("LCD text "), this);
  auto* lcdLayout = new QVBoxLayout(lcd);
  auto* lcdForm = new QFormLayout;
  lcdForm->addRow(tr("on console :"), m_console);
  lcdForm->addRow(tr("text ( max. 16 characters) ) :"), m_text);
  lcdLayout->addWidget(m_tabs);
  lcdLayout->addLayout(lcdForm);

  auto* external = new QGroupBox(tr(" Switch system ON/OFF via external signal :"), this);
  auto* externalForm = new QFormLayout(external);
  externalForm->addRow(tr("Input :"), m_extInput);

  auto* power = new QGroupBox(this);
  auto* powerLayout = new QGridLayout(power);
  powerLayout->addWidget(m_battery, 0, 0, 1, 3);
  powerLayout->addWidget(new QLabel(tr("Behaviour on power-fail :"), power), 1, 0, 1, 3);
  powerLayout->addWidget(m_uninterrupted, 2, 0, 1, 3);
  powerLayout->addWidget(m_standby, 3, 0, 1, 3);
  powerLayout->addWidget(new QLabel(tr("Activation Priority During Main Power Mode: "), power), 4, 0);
  powerLayout->addWidget(m_mainsPriority, 4, 1);
  powerLayout->addWidget(m_mainsValue, 4, 2);
  powerLayout->addWidget(new QLabel(tr("Activation Priority During Battery Mode: "), power), 5, 0);
  powerLayout->addWidget(m_batteryPriority, 5, 1);
  powerLayout->addWidget(m_batteryValue, 5, 2);
  // The supply pictures beside what they stand for: the battery with its
  // charger, running on from the battery, mains and battery priorities.
  powerLayout->addWidget(SupplyPicture(kBatteryLargePicture, power), 0, 3, 2, 1, Qt::AlignCenter);
  powerLayout->addWidget(SupplyPicture(kBatteryPicture, power), 2, 3, 2, 1, Qt::AlignCenter);
  powerLayout->addWidget(SupplyPicture(kMainsPicture, power), 4, 3, Qt::AlignCenter);
  powerLayout->addWidget(SupplyPicture(kBatteryPicture, power), 5, 3, Qt::AlignCenter);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(connections);
  layout->addWidget(lcd);
  layout->addWidget(external);
  layout->addWidget(power);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CPowerSupplyDlg::OnOK);
  connect(buttons, &QDialogButtonBox::rejected, this, &CPowerSupplyDlg::reject);
  connect(m_onOffOutput, &QComboBox::activated, this, [this](int index) { m_state.SetOnOffOutput(index); });
  connect(m_failInput, &QComboBox::activated, this, [this](int index) { m_state.SetFailInput(index); });
  connect(m_extInput, &QComboBox::activated, this, [this](int index) { m_state.SetExtInput(index); });
  connect(m_tabs, &QTabBar::currentChanged, this, &CPowerSupplyDlg::OnTabChanged);
  connect(m_console, &QComboBox::activated, this, [this](int index) { m_state.ChooseConsole(index, m_text->text()); });
  connect(m_text, &QLineEdit::textEdited, this, [this](const QString& text) { m_state.EditText(text); });
  connect(m_battery, &QCheckBox::clicked, this, &CPowerSupplyDlg::OnBatteryClicked);
  connect(m_uninterrupted, &QRadioButton::clicked, this, [this] { m_state.SetDropToStandby(false); });
  connect(m_standby, &QRadioButton::clicked, this, [this] { m_state.SetDropToStandby(true); });
  connect(m_mainsPriority, &QSlider::valueChanged, this, [this](int value) {
    m_state.SetMainsStep(value);
    m_mainsValue->setText(PowerSupplyDlgState::StepText(m_state.MainsStep()));
  });
  connect(m_batteryPriority, &QSlider::valueChanged, this, [this](int value) {
    m_state.SetBatteryStep(value);
    m_batteryValue->setText(PowerSupplyDlgState::StepText(m_state.BatteryStep()));
  });

  if (CSelvantisDoc* doc = powerSupply.GetDocument()) {
    connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CPowerSupplyDlg::OnObjectRemoved);
    connect(doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_ps); });
  }
}

bool CPowerSupplyDlg::OnInitDialog() {
  if (!m_ps) return false;
  m_state.Load();
  Fill(m_failInput, m_state.Inputs(), m_state.FailInput());
  Fill(m_extInput, m_state.Inputs(), m_state.ExtInput());
  Fill(m_onOffOutput, m_state.Outputs(), m_state.OnOffOutput());
  Fill(m_console, m_state.Consoles(), 0);
  FillTabs();
  ShowRecord();

  m_battery->setChecked(m_state.Battery());
  m_uninterrupted->setEnabled(m_state.BehaviourEnabled());
  m_standby->setEnabled(m_state.BehaviourEnabled());
  (m_state.DropToStandby() ? m_standby : m_uninterrupted)->setChecked(true);
  {
    const QSignalBlocker mains(m_mainsPriority);
    const QSignalBlocker battery(m_batteryPriority);
    m_mainsPriority->setValue(m_state.MainsStep());
    m_batteryPriority->setValue(m_state.BatteryStep());
  }
  m_mainsValue->setText(PowerSupplyDlgState::StepText(m_state.MainsStep()));
  m_batteryValue->setText(PowerSupplyDlgState::StepText(m_state.BatteryStep()));
  return CResizableDialog::OnInitDialog();
}

void CPowerSupplyDlg::FillTabs() {
  m_filling = true;
  const QStringList texts = m_state.TabTexts();
  while (m_tabs->count() > texts.size()) m_tabs->removeTab(m_tabs->count() - 1);
  for (int tab = 0; tab < texts.size(); ++tab) {
    if (tab < m_tabs->count())
      m_tabs->setTabText(tab, texts[tab]);
    else
      m_tabs->addTab(texts[tab]);
  }
  m_tabs->setCurrentIndex(m_state.CurrentTab());
  m_filling = false;
}

void CPowerSupplyDlg::ShowRecord() {
  const PowerSupplyDlgState::LcdText& record = m_state.Shown();
  const QSignalBlocker blocker(m_console);
  m_console->setCurrentIndex(record.console);
  m_text->setText(record.text);
}

void CPowerSupplyDlg::OnTabChanged(int tab) {
  if (m_filling) return;
  m_state.SelectTab(tab);
  ShowRecord();
}

void CPowerSupplyDlg::OnBatteryClicked(bool checked) {
  m_state.SetBattery(checked);
  m_uninterrupted->setEnabled(m_state.BehaviourEnabled());
  m_standby->setEnabled(m_state.BehaviourEnabled());
  FillTabs();
  ShowRecord();
}

void CPowerSupplyDlg::OnObjectRemoved(CBaseDevice* object) {
  if (!m_ps || object != m_ps) return;
  m_ps = nullptr;
  reject();
}

void CPowerSupplyDlg::OnOK() {
  if (!m_ps) {
    reject();
    return;
  }
  m_state.Apply();
  QDialog::accept();
}
