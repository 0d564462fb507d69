#include "online/cpowerview.h"

#include "link/idevicelink.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/ui/cselectiondlg.h"
#include "online/clinestatebar.h"
#include "online/conlinereplyparser.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cvalueedit.h"
#include "unit/cinternalpowermanagement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
using PM = CInternalPowerManagement;
}  // namespace

CPowerView::CPowerView(CSelvantisDoc* doc, QWidget* parent) : COnlineView(doc, parent), m_state(doc) {
  BuildForm();
  m_retry.setInterval(kRetryMs);
  connect(&m_retry, &QTimer::timeout, this, [this] { OnRetry(); });
}

void CPowerView::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  outer->addLayout(grid);
  outer->addStretch(1);
  int row = 0;

  auto addPriority = [&](const QString& label, int id, int code) {
    grid->addWidget(new QLabel(label, this), row, 0);
    auto* edit = new CValueEdit(this);
    edit->setObjectName(Fmt("%d", id));
    connect(edit, &CValueEdit::killFocus, this, [this, code] { OnPriorityEdited(code); });
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(tr("( 0..255 )"), this), row, 2);
    ++row;
    return edit;
  };
  auto addReference = [&](const QString& label, int textId, int buttonId, int code, QPushButton** button) {
    grid->addWidget(new QLabel(label, this), row, 0);
    auto* text = new CEllipsisStatic(this);
    text->setObjectName(Fmt("%d", textId));
    grid->addWidget(text, row, 1);
    *button = new QPushButton(QStringLiteral("..."), this);
    (*button)->setObjectName(Fmt("%d", buttonId));
    connect(*button, &QPushButton::clicked, this, [this, code] { OnChoose(code); });
    grid->addWidget(*button, row, 2);
    ++row;
    return text;
  };

  m_battPrio = addPriority(tr("Auto-powerup priority when powered by battery"), kBattPrioId, PM::P_BATT_PRIO);
  m_mainsPrio = addPriority(tr("Auto-powerup Priority when powered by Main Power"), kMainsPrioId, PM::P_MAINS_PRIO);
  m_condition = addReference(tr("Condition for main power active"), kConditionId, kChooseConditionId, PM::P_MAINS_COND,
                             &m_chooseCondition);
  m_bootMacro = addReference(tr("Boot macro"), kBootMacroId, kChooseBootMacroId, PM::P_BOOT_MAC, &m_chooseBootMacro);
  m_shutMacro =
      addReference(tr("Shutdown macro"), kShutMacroId, kChooseShutMacroId, PM::P_SHUT_MAC, &m_chooseShutMacro);
  m_shutPrio = addPriority(tr("Signal priority to hold mode before powerdown"), kShutPrioId, PM::P_SHUT_PRIO);

  m_battery = new QCheckBox(tr("Battery available"), this);
  m_battery->setObjectName(Fmt("%d", kBatteryId));
  connect(m_battery, &QCheckBox::clicked, this, [this] { OnBatteryClicked(); });
  grid->addWidget(m_battery, row++, 0, 1, 3);
  m_dropShut = new QCheckBox(tr("System power down goes directly from Main Power to Standby"), this);
  m_dropShut->setObjectName(Fmt("%d", kDropShutId));
  connect(m_dropShut, &QCheckBox::clicked, this, [this] { OnDropShutClicked(); });
  grid->addWidget(m_dropShut, row++, 0, 1, 3);

  m_power = new QPushButton(tr("On"), this);
  m_power->setObjectName(Fmt("%d", kPowerId));
  m_power->setCheckable(true);
  m_power->setEnabled(false);
  connect(m_power, &QPushButton::clicked, this, [this] { OnPowerClicked(); });
  grid->addWidget(m_power, row++, 0);
}

CValueEdit* CPowerView::PriorityEdit(int code) const {
  switch (code) {
    case PM::P_BATT_PRIO: return m_battPrio;
    case PM::P_MAINS_PRIO: return m_mainsPrio;
    case PM::P_SHUT_PRIO: return m_shutPrio;
    default: return nullptr;
  }
}

CEllipsisStatic* CPowerView::ReferenceText(int code) const {
  switch (code) {
    case PM::P_MAINS_COND: return m_condition;
    case PM::P_BOOT_MAC: return m_bootMacro;
    case PM::P_SHUT_MAC: return m_shutMacro;
    default: return nullptr;
  }
}

QPushButton* CPowerView::ChooseButton(int code) const {
  switch (code) {
    case PM::P_MAINS_COND: return m_chooseCondition;
    case PM::P_BOOT_MAC: return m_chooseBootMacro;
    case PM::P_SHUT_MAC: return m_chooseShutMacro;
    default: return nullptr;
  }
}

void CPowerView::ShowSettings() {
  for (int code : {PM::P_BATT_PRIO, PM::P_MAINS_PRIO, PM::P_SHUT_PRIO})
    PriorityEdit(code)->SetInt(m_state.Value(code), true);
  for (int code : {PM::P_MAINS_COND, PM::P_BOOT_MAC, PM::P_SHUT_MAC})
    ReferenceText(code)->SetWindowText(m_state.Text(code));
  m_battery->setChecked(m_state.IsBatteryAvailable());
  m_dropShut->setChecked(m_state.IsDropShut());
  m_dropShut->setEnabled(m_state.CanDropShut());
}

void CPowerView::ShowPowerState() {
  switch (m_state.GetPowerState()) {
    case CPowerWindowState::PowerState::On: m_power->setChecked(true); break;
    case CPowerWindowState::PowerState::Off: m_power->setChecked(false); break;
    case CPowerWindowState::PowerState::Unknown: break;
  }
}

void CPowerView::OnInitialUpdate() {
  m_state.Load();
  // The project without a power-management object: nothing to edit.
  setEnabled(m_state.Object() != nullptr);
  ShowSettings();
  if (StartPollTimer(IDT_STATUS_POLL, CPowerWindowState::kPollPeriodMs)) m_power->setEnabled(true);
}

void CPowerView::OnLineChanged(bool online) {
  // Switching the unit's power needs the line (and a power-management
  // object, without which the whole form is disabled).
  m_power->setEnabled(online);
  if (online || !m_state.HasPending()) return;
  // A list still waiting for the line is not sent to the unit connected
  // next: the bar says it was not sent, and Download or Upload sends anew.
  m_state.DropPending();
  m_retry.stop();
  CLineStateBar::TellNotSent(this);
}

void CPowerView::OnPoll() { GetDeviceLink()->SendCommandList(CPowerWindowState::PollCommands(), true, 0, this, 0); }

void CPowerView::TransferSettings(bool bUpload) {
  if (!CLineStateBar::CanSend(this) || !m_state.QueueTransfer(bUpload)) return;
  SendPendingLists();
}

void CPowerView::SendPendingLists() {
  if (m_state.SendPending(*GetDeviceLink(), this)) {
    m_retry.stop();
    return;
  }
  // Refused while a transfer has the line: handed again until taken.
  if (!m_retry.isActive()) m_retry.start();
}

void CPowerView::OnRetry() {
  // The link would refuse again while the line is in use; each refusal is
  // counted against its user.
  if (IsLineInUse()) return;
  SendPendingLists();
}

void CPowerView::OnPriorityEdited(int code) {
  CValueEdit* edit = PriorityEdit(code);
  if (!edit) return;
  m_state.SetPriorityFromText(code, edit->text());
  // The stored value again: clamped, or the old one for text that is no
  // number.
  edit->SetInt(m_state.Value(code), true);
}

void CPowerView::OnChoose(int code) {
  const uint32_t kind = CPowerWindowState::SelectionKindOf(code);
  if (kind == 0 || !m_state.Object()) return;
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  dialog.SetSelection(m_state.Text(code));
  if (GetDocument()) dialog.SetDocument(GetDocument());
  if (dialog.DoModal() != IDOK) return;
  m_state.Choose(code, dialog.GetResult());
  ReferenceText(code)->SetWindowText(m_state.Text(code));
}

void CPowerView::OnBatteryClicked() {
  m_state.SetBatteryAvailable(m_battery->isChecked());
  ShowSettings();
}

void CPowerView::OnDropShutClicked() {
  m_state.SetDropShut(m_dropShut->isChecked());
  m_dropShut->setChecked(m_state.IsDropShut());
}

void CPowerView::OnPowerClicked() {
  if (!IsOnline()) return;
  GetDeviceLink()->SendCommandList(CPowerWindowState::PowerCommands(m_power->isChecked()), true, 0, this, 0);
}

void CPowerView::OnCommReply(int /*tag*/, const QStringList& lines) {
  const CPowerWindowState::Changes changes = m_state.ApplyReply(lines);
  COnlineReplyParser::ConsumeLinkReplies();
  if (changes.settings) ShowSettings();
  if (changes.power) ShowPowerState();
}
