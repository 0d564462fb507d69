#include "consoles/ui/ckeypropertiesdlg.h"

#include "consoles/cconskey.h"
#include "consoles/cconsole.h"
#include "consoles/ui/cdelayspinbox.h"
#include "consoles/ui/ckeypropertieslogic.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/cmacrokeytypesdlg.h"
#include "consoles/ui/cmacrokeytypeslogic.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "shell/cbitmapmanager.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

constexpr int kMarkRole = Qt::UserRole + 1;
constexpr int kFunctionRole = Qt::UserRole + 2;
constexpr int kImageRole = Qt::UserRole + 3;
// Navy function names, dark grey destinations.
const QColor kFunctionText(0, 0, 128);
const QColor kDestinationText(64, 64, 64);
constexpr int kManyGroupsWarning = CKeyPropertiesLogic::kManyGroups;

CBaseDevice* ObjectOf(const QListWidgetItem* item) {
  return item != nullptr ? static_cast<CBaseDevice*>(item->data(Qt::UserRole).value<void*>()) : nullptr;
}

KeyTarget TargetOf(const QListWidgetItem* item) {
  if (item == nullptr) return KeyTarget::None();
  if (item->data(kMarkRole).toBool()) return KeyTarget::Mark();
  return KeyTarget::Of(ObjectOf(item));
}

int GroupSlotOf(const CConsole* console, const CBaseDevice* group) {
  if (console == nullptr || group == nullptr) return 0;
  for (int slot = 1; slot < CConsole::kGroupSlots; ++slot)
    if (console->GetGroupSlot(slot) == group) return slot;
  return 0;
}

// The item a single-selection list has chosen, or null when it has none.
QListWidgetItem* ChosenItem(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

void SelectItemWhere(QListWidget* list, const std::function<bool(const QListWidgetItem*)>& match) {
  const QSignalBlocker block(list);
  list->clearSelection();
  for (int i = 0; i < list->count(); ++i) {
    if (match(list->item(i))) {
      list->setCurrentRow(i);
      list->scrollToItem(list->item(i));
      return;
    }
  }
}

}  // namespace

CKeyPropertiesDlg::CKeyPropertiesDlg(CKeyView* view, CConsKey* key) : QDialog(view), m_pView(view), m_pKey(key) {
  setWindowTitle(tr("Key properties"));
  setModal(false);
  auto* grid = new QGridLayout(this);
  m_pFunctions = new QListWidget(this);
  m_pDestinations = new QListWidget(this);
  m_pDestinationLabel = new QLabel(tr("Destinations"), this);
  m_pSignals = new QListWidget(this);
  m_pSignalLabel = new QLabel(this);
  m_pDelay = new CDelaySpinBox(this);
  m_pDelayLabel = new QLabel(tr("Activation delay (sec.):"), this);
  m_pPriority = new QSpinBox(this);
  m_pPriority->setRange(CKeyPropertiesLogic::kMinPriority, CKeyPropertiesLogic::kMaxPriority);
  m_pPriorityLabel = new QLabel(tr("Priority:"), this);
  m_pStop = new QComboBox(this);
  m_pStop->addItem(tr("All actions triggered by this console"));
  m_pStop->addItem(tr("Systemwide actions with lower priority"));
  m_pStop->addItem(tr("All systemwide actions"));
  m_pStopLabel = new QLabel(tr("These actions will be stopped:"), this);
  m_pProtected = new QCheckBox(tr("Active in protected mode"), this);
  m_pPreChime = new QCheckBox(tr("Pre-chime before announcement"), this);
  m_pMacroButton = new QPushButton(tr("Macro activation..."), this);
  connect(m_pMacroButton, &QPushButton::clicked, this, &CKeyPropertiesDlg::OpenMacroDialog);
  grid->addWidget(new QLabel(tr("Function"), this), 0, 0);
  grid->addWidget(m_pFunctions, 1, 0, 8, 1);
  grid->addWidget(m_pDestinationLabel, 0, 1);
  grid->addWidget(m_pDestinations, 1, 1);
  grid->addWidget(m_pSignalLabel, 2, 1);
  grid->addWidget(m_pSignals, 3, 1);
  grid->addWidget(m_pPreChime, 4, 1);
  grid->addWidget(m_pStopLabel, 5, 1);
  grid->addWidget(m_pStop, 6, 1);
  grid->addWidget(m_pProtected, 7, 1);
  grid->addWidget(m_pPriorityLabel, 0, 2);
  grid->addWidget(m_pPriority, 1, 2, Qt::AlignTop);
  grid->addWidget(m_pDelayLabel, 2, 2);
  grid->addWidget(m_pDelay, 3, 2, Qt::AlignTop);
  grid->addWidget(m_pMacroButton, 5, 2);
  m_pFunctions->setSelectionMode(QAbstractItemView::SingleSelection);
  m_pDestinations->setSelectionMode(QAbstractItemView::SingleSelection);
  m_pSignals->setSelectionMode(QAbstractItemView::SingleSelection);

  // Choices however they are made (mouse, arrow keys, typing); loading a key
  // fills and selects with these signals blocked, so it never writes back.
  connect(m_pFunctions, &QListWidget::itemSelectionChanged, this, &CKeyPropertiesDlg::OnFunctionChosen);
  connect(m_pDestinations, &QListWidget::itemSelectionChanged, this, &CKeyPropertiesDlg::OnDestinationChosen);
  connect(m_pSignals, &QListWidget::itemSelectionChanged, this, &CKeyPropertiesDlg::OnSignalChosen);
  connect(m_pDelay, &QSpinBox::valueChanged, this, &CKeyPropertiesDlg::OnDelayEdited);
  connect(m_pPriority, &QSpinBox::valueChanged, this, &CKeyPropertiesDlg::OnPriorityEdited);
  connect(m_pStop, &QComboBox::currentIndexChanged, this, &CKeyPropertiesDlg::OnStopChosen);
  connect(m_pProtected, &QCheckBox::toggled, this, &CKeyPropertiesDlg::OnProtectedToggled);
  connect(m_pPreChime, &QCheckBox::toggled, this, &CKeyPropertiesDlg::OnPreChimeToggled);

  {
    const QSignalBlocker block(m_pDestinations);
    CKeyView::FillObjectList(CAT_ZONES, m_pDestinations);
    CKeyView::FillObjectList(CAT_GROUPS, m_pDestinations);
  }
  // Big enough for every control at once: the functions show only some of
  // them at a time.
  ensurePolished();
  resize(sizeHint());
  if (m_pKey != nullptr) LoadKey();
}

void CKeyPropertiesDlg::showEvent(QShowEvent* event) {
  // The first time it is shown the dialog stands at the key view's right
  // edge, level with its top (its frame is known only now).
  if (!m_bPlaced && m_pView != nullptr) {
    m_bPlaced = true;
    move(m_pView->mapToGlobal(QPoint(m_pView->width() - frameGeometry().width(), 0)));
  }
  QDialog::showEvent(event);
}

void CKeyPropertiesDlg::ShowKey(CConsKey* key) {
  m_pKey = key;
  if (m_pKey != nullptr) LoadKey();
  if (m_pMacroDlg) {
    if (m_pKey != nullptr && m_pKey->GetKeyType() >= CConsKey::MACRO)
      m_pMacroDlg->SetKey(m_pKey);
    else
      m_pMacroDlg->close();
  }
  setFocus();
}

void CKeyPropertiesDlg::done(int result) {
  // The macro key dialog edits this dialog's key: it goes with it.
  if (m_pMacroDlg) m_pMacroDlg->close();
  QDialog::done(result);
}

void CKeyPropertiesDlg::OpenMacroDialog() {
  if (m_pMacroDlg || m_pKey == nullptr) return;
  std::vector<CMacroKeyTypesDlg::MacroEntry> macros;
  std::vector<CBaseDevice*> list;
  GetActiveDocDeviceList(list, DT_MACRO);
  for (const CBaseDevice* macro : list)
    if (CKeyPropertiesLogic::IsOfferedInList(DT_MACRO, *macro)) macros.push_back({macro->GetName(), macro->GetID()});
  auto* dlg = new CMacroKeyTypesDlg(this, m_pKey, macros);
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  m_pMacroDlg = dlg;
  // Macro B is the key's second target for "button" and "switch" when it exists.
  connect(dlg, &CMacroKeyTypesDlg::MacroTypeChanged, this, [this](int index) {
    if (m_pView == nullptr || m_pKey == nullptr) return;
    const unsigned flags = static_cast<unsigned>(CMacroKeyTypesLogic::ChangedFlags(*m_pKey, index));
    m_pView->KeyChanged(flags, m_pKey->GetTarget(), m_pKey->GetSecondTarget());
  });
  connect(dlg, &CMacroKeyTypesDlg::MacroDlgNotify, this, [this](int) { m_pMacroDlg = nullptr; });
  dlg->show();
}

void CKeyPropertiesDlg::ToggleAllFunctions() {
  m_bAllFunctions = !m_bAllFunctions;
  m_nShownMask = -1;
  if (m_pKey != nullptr) LoadKey();
}

void CKeyPropertiesDlg::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    ToggleAllFunctions();
    return;
  }
  QDialog::mouseDoubleClickEvent(event);
}

void CKeyPropertiesDlg::FillFunctionList() {
  const QSignalBlocker block(m_pFunctions);
  m_pFunctions->clear();
  for (const auto& entry : CKeyPropertiesLogic::FunctionList(m_pKey->GetAllowedFunctions(), m_bAllFunctions)) {
    auto* item = new QListWidgetItem(entry.text, m_pFunctions);
    item->setData(kFunctionRole, entry.function);
    item->setIcon(CBitmapManager::Icon(CKeyPropertiesLogic::kKeyImages, entry.icon));
    item->setForeground(kFunctionText);
  }
}

void CKeyPropertiesDlg::LoadKey() {
  m_bLoading = true;
  setWindowTitle(tr("Key properties for key '") + Fmt("%d", m_pKey->GetNumber()) + QStringLiteral("'"));
  const int mask = m_bAllFunctions ? -2 : m_pKey->GetAllowedFunctions();
  if (mask != m_nShownMask) {
    FillFunctionList();
    m_nShownMask = mask;
  }
  const int function = CKeyPropertiesLogic::ListFunctionOf(m_pKey->GetKeyType());
  bool found = false;
  SelectItemWhere(m_pFunctions, [&](const QListWidgetItem* item) {
    found = item->data(kFunctionRole).toInt() == function;
    return found;
  });
  if (!found && !m_bAllFunctions) {
    // A function this kind of key does not offer: show them all.
    ToggleAllFunctions();
    return;
  }
  UpdateControls();
}

void CKeyPropertiesDlg::UpdateControls() {
  const CConsKey::Function& f = m_pKey->GetFunction();
  const int flags = CKeyPropertiesLogic::ControlFlags(f.type);
  const bool bDest = (flags & CKeyPropertiesLogic::kDestinations) != 0;
  m_pDestinations->setVisible(bDest);
  m_pDestinationLabel->setVisible(bDest);
  if (bDest) {
    const QSignalBlocker block(m_pDestinations);
    // The "Current selection" entry comes and goes with the function.
    const bool bWant = (flags & CKeyPropertiesLogic::kCurrentSelection) != 0;
    const bool bHas = m_pDestinations->count() > 0 && m_pDestinations->item(0)->data(kMarkRole).toBool();
    if (bWant && !bHas) {
      auto* item = new QListWidgetItem(tr("Current selection"));
      item->setData(kMarkRole, true);
      item->setIcon(CBitmapManager::Icon(CKeyPropertiesLogic::kKeyImages, CKeyPropertiesLogic::kCurrentSelectionImage));
      item->setForeground(kDestinationText);
      m_pDestinations->insertItem(0, item);
    } else if (!bWant && bHas) {
      delete m_pDestinations->takeItem(0);
    }
    MarkUsedDestinations(f.type == CConsKey::SEL);
    const KeyTarget target = m_pKey->GetTarget();
    SelectItemWhere(m_pDestinations,
                    [&](const QListWidgetItem* item) { return target.IsSet() && TargetOf(item) == target; });
  }
  const bool bDelay = (flags & CKeyPropertiesLogic::kDelay) != 0;
  m_pDelay->setVisible(bDelay);
  m_pDelayLabel->setVisible(bDelay);
  if (bDelay) {
    const QSignalBlocker block(m_pDelay);
    m_pDelay->setValue(CKeyPropertiesLogic::ClampDelay(f.p1));
  }
  m_pStop->setVisible((flags & CKeyPropertiesLogic::kStopCombo) != 0);
  m_pStopLabel->setVisible(!m_pStop->isHidden());
  {
    const QSignalBlocker block(m_pStop);
    m_pStop->setCurrentIndex(std::clamp(f.p1, 0, m_pStop->count() - 1));
  }
  m_pPriority->setVisible((flags & CKeyPropertiesLogic::kPriority) != 0);
  m_pPriorityLabel->setVisible(!m_pPriority->isHidden());
  {
    const QSignalBlocker block(m_pPriority);
    m_pPriority->setValue(CKeyPropertiesLogic::ClampPriority(f.p3 / 10));
  }
  m_pProtected->setVisible((flags & CKeyPropertiesLogic::kProtected) != 0);
  {
    const QSignalBlocker block(m_pProtected);
    m_pProtected->setChecked(!f.bProtected);
  }
  m_pMacroButton->setVisible((flags & CKeyPropertiesLogic::kMacroButton) != 0);
  m_pPreChime->setVisible((flags & CKeyPropertiesLogic::kPreChime) != 0);
  {
    const QSignalBlocker block(m_pPreChime);
    m_pPreChime->setChecked(f.p2 >= 1);
  }
  ShowSignalList(CKeyPropertiesLogic::SignalListKind(f.type, f.p2 >= 1));
}

void CKeyPropertiesDlg::ShowSignalList(int kind) {
  const QSignalBlocker block(m_pSignals);
  m_pSignals->clear();
  m_pSignalLabel->setVisible(kind != 0);
  m_pSignals->setVisible(kind != 0);
  if (kind == 0) return;
  int type = DT_MACRO;
  QString label = tr("Macro list");
  if (kind == 1) {
    type = DT_ALARMSIGNAL;
    label = tr("Alarm list");
  } else if (kind == 2) {
    type = DT_CHIMESIGNAL;
    label = tr("Chime list");
  } else if (kind == 4) {
    type = DT_MESSAGESIGNAL;
    label = tr("Text list");
  }
  m_pSignalLabel->setText(label);
  CKeyView::FillSignalList(type, m_pSignals);
  if (m_pSignals->count() == 0) {
    new QListWidgetItem(tr("Empty"), m_pSignals);
    m_pSignals->setEnabled(false);
    return;
  }
  m_pSignals->setEnabled(true);
  const QIcon signalIcon =
      CBitmapManager::Icon(CKeyPropertiesLogic::kSignalImages, CKeyPropertiesLogic::SignalImage(kind));
  for (int i = 0; i < m_pSignals->count(); ++i) m_pSignals->item(i)->setIcon(signalIcon);
  const CBaseDevice* current = kind == 8 ? m_pKey->GetTarget().object : m_pKey->GetSecondTarget().object;
  SelectItemWhere(m_pSignals,
                  [&](const QListWidgetItem* item) { return current != nullptr && ObjectOf(item) == current; });
}

void CKeyPropertiesDlg::MarkUsedDestinations(bool bSelection) {
  int groupsTaken = 0;
  for (int i = 0; i < m_pDestinations->count(); ++i) {
    QListWidgetItem* item = m_pDestinations->item(i);
    const CBaseDevice* object = ObjectOf(item);
    if (object == nullptr) continue;
    const bool bZone = object->GetCategory() == CAT_ZONES;
    const bool bUsed = bSelection && m_pView != nullptr && m_pView->FindKeyByTarget(object) != nullptr;
    // The picture tells zone from group and marks those a selection key uses.
    const int image = CKeyPropertiesLogic::DestinationImage(bZone, bUsed);
    if (item->data(kImageRole).toInt() != image) {
      item->setIcon(CBitmapManager::Icon(CKeyPropertiesLogic::kKeyImages, image));
      item->setData(kImageRole, image);
    }
    item->setForeground(kDestinationText);
    if (bUsed && !bZone) ++groupsTaken;
  }
  if (groupsTaken >= kManyGroupsWarning)
    AfxMessageBox(tr("Warning: This console has too many Groups ! "), MB_OK | MB_ICONEXCLAMATION);
}

void CKeyPropertiesDlg::OnFunctionChosen() {
  if (m_pKey == nullptr) return;
  QListWidgetItem* item = ChosenItem(m_pFunctions);
  if (item == nullptr) {
    LoadKey();  // a choice cannot be taken back: show the key's function again
    return;
  }
  {
    const QSignalBlocker block(m_pDestinations);
    m_pDestinations->clearSelection();
  }
  if (!CKeyPropertiesLogic::SetKeyFunction(*m_pKey, item->data(kFunctionRole).toInt())) {
    LoadKey();  // refused or unchanged: show the key as it is
    return;
  }
  if (m_pView != nullptr) m_pView->KeyChanged(0, KeyTarget::None(), KeyTarget::None());
  // Reload once the list's click has been handled.
  QTimer::singleShot(50, this, [this] {
    if (m_pKey != nullptr) LoadKey();
  });
}

QListWidgetItem* CKeyPropertiesDlg::TakeChoice(QListWidget* list) {
  QListWidgetItem* item = ChosenItem(list);
  // A choice cannot be taken back: show the key's own again.
  if (item == nullptr) UpdateControls();
  return item;
}

void CKeyPropertiesDlg::OnDestinationChosen() {
  QListWidgetItem* item = m_pKey != nullptr ? TakeChoice(m_pDestinations) : nullptr;
  if (item == nullptr) return;
  const KeyTarget target = TargetOf(item);
  const int slot = target.object != nullptr && target.object->GetCategory() == CAT_GROUPS
                       ? GroupSlotOf(m_pKey->GetOwner(), target.object)
                       : 0;
  m_pKey->SetTargetFromSelection(target, m_pKey->GetSecondTarget().object, slot);
  if (m_pView != nullptr) m_pView->KeyChanged(1, target, KeyTarget::None());
  if (m_pKey->GetKeyType() == CConsKey::SEL) MarkUsedDestinations(true);
}

void CKeyPropertiesDlg::OnSignalChosen() {
  QListWidgetItem* item = m_pKey != nullptr ? TakeChoice(m_pSignals) : nullptr;
  if (item == nullptr) return;
  CBaseDevice* chosen = ObjectOf(item);
  if (chosen == nullptr) return;
  if (m_pKey->GetKeyType() >= CConsKey::MACRO) {
    m_pKey->SetTargetFromSelection(KeyTarget::Of(chosen), nullptr, 0);
    if (m_pView != nullptr) m_pView->KeyChanged(1, KeyTarget::Of(chosen), KeyTarget::None());
    return;
  }
  const KeyTarget destination = TargetOf(m_pDestinations->currentItem());
  const int slot = destination.object != nullptr && destination.object->GetCategory() == CAT_GROUPS
                       ? GroupSlotOf(m_pKey->GetOwner(), destination.object)
                       : 0;
  const KeyTarget first = destination.IsSet() ? destination : m_pKey->GetTarget();
  const int priority = CKeyPropertiesLogic::ChooseSignal(*m_pKey, destination, chosen, slot);
  if (priority > 0) {
    const QSignalBlocker block(m_pPriority);
    m_pPriority->setValue(priority);
  }
  if (m_pView != nullptr) m_pView->KeyChanged(3, first, KeyTarget::Of(chosen));
  m_bLoading = false;
}

void CKeyPropertiesDlg::OnDelayEdited(int value) {
  if (m_pKey == nullptr) return;
  CKeyPropertiesLogic::SetDelay(*m_pKey, value);
  if (m_pView != nullptr) m_pView->KeyChanged(0, KeyTarget::None(), KeyTarget::None());
}

void CKeyPropertiesDlg::OnPriorityEdited(int value) {
  if (m_pKey == nullptr) return;
  CKeyPropertiesLogic::SetPriority(*m_pKey, value);
  if (m_pView != nullptr) m_pView->KeyChanged(0, KeyTarget::None(), KeyTarget::None());
}

void CKeyPropertiesDlg::OnStopChosen(int index) {
  if (m_pKey == nullptr) return;
  CKeyPropertiesLogic::SetStopRange(*m_pKey, index);
  if (m_pView != nullptr) m_pView->KeyChanged(0, KeyTarget::None(), KeyTarget::None());
}

void CKeyPropertiesDlg::OnProtectedToggled(bool checked) {
  if (m_pKey == nullptr) return;
  CKeyPropertiesLogic::SetActiveInProtectedMode(*m_pKey, checked);
  if (m_pView != nullptr) m_pView->KeyChanged(0, KeyTarget::None(), KeyTarget::None());
}

void CKeyPropertiesDlg::OnPreChimeToggled(bool checked) {
  if (m_pKey == nullptr) return;
  CKeyPropertiesLogic::SetPreChime(*m_pKey, checked);
  if (m_pView != nullptr) m_pView->KeyChanged(2, m_pKey->GetTarget(), m_pKey->GetSecondTarget());
  UpdateControls();
}
