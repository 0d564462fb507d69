#include "editors/signals/csignalkindpage.h"

#include "editors/signals/csignallistdlg.h"
#include "macros/caudiosignal.h"
#include "model/cmessagesink.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

CSignalKindPage::CSignalKindPage(CSelvantisDoc& doc, int kind, const QString& title, QWidget* parent)
    : CSignalPage(doc, title, parent), m_logic(doc, kind) {
  auto* grid = new QGridLayout(this);
  int row = 0;
  if (kind == CAudioSignal::kKindChime) {
    grid->addWidget(new QLabel(tr("Chime signals are always generated inside VMX !"), this), row++, 0, 1, 2);
  } else {
    const bool bAlarm = kind == CAudioSignal::kKindAlarm;
    m_internal = new QRadioButton(bAlarm ? tr("Internal generator") : tr("Internal signal from VMX"), this);
    m_external = new QRadioButton(bAlarm ? tr("External generator") : tr("External source"), this);
    m_internal->setObjectName(QStringLiteral("internal"));
    m_external->setObjectName(QStringLiteral("external"));
    grid->addWidget(m_internal, row, 0);
    grid->addWidget(m_external, row++, 1);
    connect(m_internal, &QRadioButton::clicked, this, [this] { OnSourceClicked(true); });
    connect(m_external, &QRadioButton::clicked, this, [this] { OnSourceClicked(false); });
  }
  m_sources = new QListWidget(this);
  m_sources->setObjectName(QStringLiteral("sources"));
  grid->addWidget(m_sources, row++, 0, 1, 2);
  // Filling blocks the list's signals: only the user's choice (mouse or
  // keys) marks the page.
  connect(m_sources, &QListWidget::itemSelectionChanged, this, [this] { SetModified(); });
  if (kind != CAudioSignal::kKindMessage) {
    m_edit = new QPushButton(tr("Edit..."), this);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_edit->hide();
    grid->addWidget(m_edit, row++, 1);
    connect(m_edit, &QPushButton::clicked, this, &CSignalKindPage::OnEdit);
  }
  if (m_logic.HasMacros()) {
    m_startMacro = new QComboBox(this);
    m_stopMacro = new QComboBox(this);
    m_startMacro->setObjectName(QStringLiteral("startMacro"));
    m_stopMacro->setObjectName(QStringLiteral("stopMacro"));
    grid->addWidget(new QLabel(tr("Start macro:"), this), row, 0);
    grid->addWidget(m_startMacro, row++, 1);
    grid->addWidget(new QLabel(tr("Stop macro:"), this), row, 0);
    grid->addWidget(m_stopMacro, row++, 1);
    connect(m_startMacro, &QComboBox::activated, this, [this] { SetModified(); });
    connect(m_stopMacro, &QComboBox::activated, this, [this] { SetModified(); });
  }
  m_priority = new QSlider(Qt::Horizontal, this);
  m_priority->setObjectName(QStringLiteral("priority"));
  m_priority->setRange(CAudioSignal::kMinPriority, CAudioSignal::kMaxPriority);
  m_priorityEdit = new QLineEdit(this);
  m_priorityEdit->setObjectName(QStringLiteral("priorityEdit"));
  m_priorityEdit->setReadOnly(true);
  grid->addWidget(new QLabel(tr("Priority"), this), row, 0);
  grid->addWidget(m_priority, row, 1);
  grid->addWidget(m_priorityEdit, row++, 2);
  connect(m_priority, &QSlider::valueChanged, this, [this](int value) {
    m_priorityEdit->setText(Fmt("%d", value));
    SetModified();
  });
  grid->setRowStretch(row, 1);
  FillLists();
  ShowState(m_logic.Load(nullptr));
}

void CSignalKindPage::FillLists() {
  const QSignalBlocker b1(m_sources);
  m_sources->clear();
  m_sources->addItems(m_logic.ListTexts());
  for (QComboBox* combo : {m_startMacro, m_stopMacro}) {
    if (!combo) continue;
    const QSignalBlocker b(combo);
    combo->clear();
    combo->addItems(m_logic.MacroTexts());
  }
}

SignalPageLogic::State CSignalKindPage::ReadControls() const {
  SignalPageLogic::State state;
  state.priority = m_priority->value();
  state.bInternal = m_internal ? m_internal->isChecked() : true;
  const auto selected = m_sources->selectedItems();
  state.listRow = selected.isEmpty() ? -1 : m_sources->row(selected.first());
  state.startMacro = m_startMacro ? std::max(0, m_startMacro->currentIndex()) : 0;
  state.stopMacro = m_stopMacro ? std::max(0, m_stopMacro->currentIndex()) : 0;
  return state;
}

void CSignalKindPage::ShowState(const SignalPageLogic::State& state) {
  const QSignalBlocker b1(m_priority);
  const QSignalBlocker b2(m_sources);
  m_priority->setValue(state.priority);
  m_priorityEdit->setText(Fmt("%d", m_priority->value()));
  if (m_internal) {
    m_internal->setChecked(state.bInternal);
    m_external->setChecked(!state.bInternal);
  }
  // Only the alarm page's radios take the list away. The message list stays
  // usable (its "OFF" row is the external choice), and the chime page has no
  // radios: a chime without a gong must still be given one.
  const bool bListEnabled = state.bInternal || m_logic.Kind() != CAudioSignal::kKindAlarm;
  m_sources->setEnabled(bListEnabled);
  if (m_edit) m_edit->setEnabled(bListEnabled);
  m_sources->clearSelection();
  if (state.listRow >= 0 && state.listRow < m_sources->count()) {
    m_sources->setCurrentRow(state.listRow);
    m_sources->item(state.listRow)->setSelected(true);
  }
  if (m_startMacro) {
    const QSignalBlocker b3(m_startMacro);
    const QSignalBlocker b4(m_stopMacro);
    m_startMacro->setCurrentIndex(state.startMacro);
    m_stopMacro->setCurrentIndex(state.stopMacro);
  }
}

void CSignalKindPage::OnSourceClicked(bool bInternal) {
  ShowState(m_logic.ChooseSource(ReadControls(), bInternal));
  SetModified();
}

void CSignalKindPage::OnEdit() {
  const auto selected = m_sources->selectedItems();
  const QString text = selected.isEmpty() ? QString() : selected.first()->text();
  AfxMessageBox(FormatText(LoadString(34154), {text}), MB_OK | MB_ICONEXCLAMATION);
}

void CSignalKindPage::LoadFromSignal() {
  m_logic.Refresh();
  FillLists();
  CAudioSignal* signal = List() ? List()->GetSelectedSignal(nullptr) : nullptr;
  ShowState(m_logic.Load(signal));
}

void CSignalKindPage::SaveToSignal() {
  CAudioSignal* signal = List() ? List()->GetSelectedSignal(nullptr) : nullptr;
  m_logic.Save(signal, ReadControls());
}

CAudioSignal* CSignalKindPage::CreateSignal() { return m_logic.Create(ReadControls()); }
