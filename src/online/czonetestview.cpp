#include "online/czonetestview.h"

#include "macros/czonetestobject.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/czonelistview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

CZonetestView::CZonetestView(CSelvantisDoc* doc, CZoneListView* list, QWidget* parent)
    : QWidget(parent), m_state(doc), m_list(list) {
  setObjectName(QStringLiteral("CZonetestView"));
  BuildForm();
}

void CZonetestView::BuildForm() {
  auto named = [](QWidget* w, int id) {
    w->setObjectName(Fmt("%d", id));
    return w;
  };
  m_selectAll = new QPushButton(tr("Select all zones"), this);
  named(m_selectAll, 1724);
  m_output = new QComboBox(this);
  named(m_output, 1041);
  m_lineConsoles = new QComboBox(this);
  named(m_lineConsoles, 1698);
  m_lineTest = new QCheckBox(tr("Line test"), this);
  named(m_lineTest, 1697);
  m_lineRef = new QPushButton(tr("define measurements as reference"), this);
  named(m_lineRef, 1693);
  m_impRef = new QPushButton(tr("define measurements as reference"), this);
  named(m_impRef, 1695);
  m_activate = new QPushButton(tr("Activate measurement"), this);
  m_activate->setCheckable(true);
  named(m_activate, 1551);
  m_lineOnce = new QPushButton(tr("start measurement only once"), this);
  named(m_lineOnce, 1694);
  m_impOnce = new QPushButton(tr("start measurement only once"), this);
  named(m_impOnce, 1696);
  m_impConsoles = new QComboBox(this);
  named(m_impConsoles, 1040);
  m_impTest = new QCheckBox(tr("Impedance test (only manually executable)"), this);
  named(m_impTest, 1214);
  m_time = new QTimeEdit(this);
  m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  named(m_time, 1644);
  m_note = new QLabel(tr("only selected zones are included during measurement"), this);
  named(m_note, 1723);

  auto* daily = new QGroupBox(tr("Line test"), this);
  auto* grid = new QGridLayout(daily);
  grid->addWidget(m_lineTest, 0, 0);
  grid->addWidget(new QLabel(tr("Time :"), this), 0, 1);
  grid->addWidget(m_time, 0, 2);
  grid->addWidget(new QLabel(tr("Display on consoles :"), this), 1, 0);
  grid->addWidget(m_lineConsoles, 1, 1, 1, 2);
  grid->addWidget(m_impTest, 2, 0);
  m_impConsolesLabel = new QLabel(tr("Display on consoles :"), this);
  grid->addWidget(m_impConsolesLabel, 3, 0);
  grid->addWidget(m_impConsoles, 3, 1, 1, 2);
  grid->addWidget(new QLabel(tr("Activate output :"), this), 4, 0);
  grid->addWidget(m_output, 4, 1, 1, 2);
  // The impedance test runs only by hand for now: its row stays hidden.
  m_impTest->hide();
  m_impConsolesLabel->hide();
  m_impConsoles->hide();

  auto* lineGroup = new QGroupBox(tr("Line test"), this);
  auto* lineBox = new QVBoxLayout(lineGroup);
  lineBox->addWidget(m_lineOnce);
  lineBox->addWidget(m_lineRef);
  auto* impGroup = new QGroupBox(tr("Impedance test"), this);
  auto* impBox = new QVBoxLayout(impGroup);
  impBox->addWidget(m_impOnce);
  impBox->addWidget(m_impRef);
  auto* manual = new QVBoxLayout;
  manual->addWidget(m_activate);
  manual->addWidget(m_selectAll);
  manual->addWidget(lineGroup);
  manual->addWidget(impGroup);
  manual->addWidget(m_note);
  m_note->hide();

  auto* outer = new QHBoxLayout(this);
  outer->addWidget(daily);
  outer->addLayout(manual);
  outer->addStretch(1);

  connect(m_lineTest, &QCheckBox::clicked, this, [this] { OnLineTestClicked(); });
  connect(m_impTest, &QCheckBox::clicked, this, [this] { OnImpedanceTestClicked(); });
  connect(m_activate, &QPushButton::clicked, this, [this] { OnActivateMeasurementClicked(); });
  // Every change of the time is stored at once, as the arrows or the keys
  // make it: a window closed right after a change keeps it. The form fills
  // the picker with its signals blocked.
  connect(m_time, &QTimeEdit::timeChanged, this, [this] { OnTimeChanged(); });
  connect(m_lineConsoles, &QComboBox::activated, this, [this](int i) { OnLineConsoleChosen(i); });
  connect(m_impConsoles, &QComboBox::activated, this, [this](int i) { OnImpedanceConsoleChosen(i); });
  connect(m_output, &QComboBox::activated, this, [this](int i) { OnOutputChosen(i); });
  connect(m_selectAll, &QPushButton::clicked, this, [this] {
    if (m_list) m_list->SelectAllRows();
  });
  connect(m_lineOnce, &QPushButton::clicked, this, [this] {
    if (m_list) m_list->StartLineTestMeasurement();
  });
  connect(m_lineRef, &QPushButton::clicked, this, [this] {
    if (m_list) m_list->SetLineTestReference();
  });
  connect(m_impOnce, &QPushButton::clicked, this, [this] {
    if (m_list) m_list->StartImpedanceMeasurement();
  });
  connect(m_impRef, &QPushButton::clicked, this, [this] {
    if (m_list) m_list->SetImpedanceReference();
  });
}

QWidget* CZonetestView::Control(int id) const { return findChild<QWidget*>(Fmt("%d", id)); }

void CZonetestView::Fill(QComboBox* combo, const std::vector<CZonetestFormState::Entry>& entries, int index) {
  const QSignalBlocker block(combo);
  combo->clear();
  for (const auto& entry : entries) combo->addItem(entry.text, entry.data);
  combo->setCurrentIndex(index);
}

int CZonetestView::PickerSeconds() const { return m_time->time().msecsSinceStartOfDay() / 1000; }

void CZonetestView::OnInitialUpdate() {
  ReloadSettings();
  m_activate->setEnabled(IsOnline());
  m_activate->setChecked(false);
  OnActivateMeasurementClicked();
}

void CZonetestView::SetLineUp(bool online) {
  m_activate->setEnabled(online);
  // The measurement buttons follow the switch, which counts only on line.
  OnActivateMeasurementClicked();
}

void CZonetestView::ReloadSettings() {
  const auto consoles = m_state.ConsoleEntries();
  Fill(m_lineConsoles, consoles,
       CZonetestFormState::IndexOfData(consoles, m_state.Param(CZonetestObject::P_LINE_CONS)));
  Fill(m_impConsoles, consoles, CZonetestFormState::IndexOfData(consoles, m_state.Param(CZonetestObject::P_IMP_CONS)));
  const auto outputs = m_state.OutputEntries();
  Fill(m_output, outputs, m_state.OutputSelection(outputs));

  const bool lineOn = m_state.Param(CZonetestObject::P_LINETEST) != 0;
  const bool impOn = m_state.Param(CZonetestObject::P_IMPTEST) != 0;
  {
    const QSignalBlocker b1(m_lineTest);
    const QSignalBlocker b2(m_impTest);
    const QSignalBlocker b3(m_time);
    m_lineTest->setChecked(lineOn);
    m_impTest->setChecked(impOn);
    if (lineOn) {
      const int seconds = m_state.Param(CZonetestObject::P_TIME) % CZonetestObject::kSecondsPerDay;
      m_time->setTime(QTime(0, 0).addSecs(seconds));
    }
  }
  const CZonetestFormState::Enables enables = CZonetestFormState::OpeningEnables(lineOn, impOn);
  m_output->setEnabled(enables.output);
  m_time->setEnabled(enables.time);
  m_lineConsoles->setEnabled(enables.lineConsoles);
  m_impConsoles->setEnabled(enables.impedanceConsoles);
}

void CZonetestView::ApplyEffects(const CZonetestFormState::Effects& effects, QComboBox* consoles) {
  m_output->setEnabled(effects.outputEnabled);
  if (effects.resetOutput) {
    const QSignalBlocker block(m_output);
    m_output->setCurrentIndex(0);
  }
  consoles->setEnabled(effects.consolesEnabled);
  if (effects.resetConsoles) {
    const QSignalBlocker block(consoles);
    consoles->setCurrentIndex(0);
  }
}

void CZonetestView::OnLineTestClicked() {
  const auto effects = m_state.LineTestClicked(m_lineTest->isChecked(), m_impTest->isChecked(), PickerSeconds());
  ApplyEffects(effects, m_lineConsoles);
  m_time->setEnabled(effects.timeEnabled);
}

void CZonetestView::OnImpedanceTestClicked() {
  ApplyEffects(m_state.ImpedanceTestClicked(m_impTest->isChecked(), m_lineTest->isChecked()), m_impConsoles);
}

void CZonetestView::OnActivateMeasurementClicked() {
  const bool on = m_activate->isChecked() && m_activate->isEnabled();
  for (QWidget* w :
       {static_cast<QWidget*>(m_lineOnce), static_cast<QWidget*>(m_impOnce), static_cast<QWidget*>(m_lineRef),
        static_cast<QWidget*>(m_impRef), static_cast<QWidget*>(m_selectAll)})
    w->setEnabled(on);
  m_note->setVisible(on);
}

void CZonetestView::OnTimeChanged() { m_state.StoreTime(PickerSeconds()); }

void CZonetestView::OnLineConsoleChosen(int index) {
  m_state.StoreLineConsole(m_lineConsoles->itemData(index).toInt());
}

void CZonetestView::OnImpedanceConsoleChosen(int index) {
  m_state.StoreImpedanceConsole(m_impConsoles->itemData(index).toInt());
}

void CZonetestView::OnOutputChosen(int index) { m_state.StoreOutput(m_output->itemData(index).toInt()); }
