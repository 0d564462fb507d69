#include "consoles/ui/cppcons2.h"

#include <QEvent>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "consoles/cconskey.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "consoles/ui/cconsoleframe.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "model/cmessagesink.h"
#include "shell/controls/cpropertysheet.h"
#include "unit/cinfoslot.h"

namespace {

constexpr uint32_t kStrSaveKeyChanges = 34182;  // "Save key property changes ?"

}  // namespace

CPPCons2::CPPCons2(CSelvantisDoc* doc, QWidget* parent)
    : CPropertyPage(kTemplateId, tr("Key programming"), parent), CKeyDialogHost(this), m_pDoc(doc) {
  CreateKeyFrame();
}

CPPCons2::~CPPCons2() {
  if (m_frame) m_frame->GetScrollArea()->viewport()->removeEventFilter(this);
}

int CPPCons2::HorizontalScrollTotal(int programmableKeys) {
  return programmableKeys > kScrollKeyLimit ? kScrollTotal : 0;
}

CConsole* CPPCons2::GetConsole() const { return m_pProp != nullptr ? m_pProp->GetOwner() : nullptr; }

CConsoleFrame* CPPCons2::GetKeyFrame() const { return m_frame.data(); }

CKeyView* CPPCons2::GetKeyView() const { return m_frame ? m_frame->GetActiveView() : nullptr; }

bool CPPCons2::CreateKeyFrame() {
  if (m_frame) return true;
  // The unit's on-line state decides once whether the on-line commands are
  // offered.
  const CInfoSlot* slot = CInfoSlot::Find(m_pDoc);
  const bool bOnline = slot != nullptr && slot->IsConnected();
  m_frame = new CConsoleFrame(bOnline, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_frame);
  m_frame->GetScrollArea()->viewport()->installEventFilter(this);
  return true;
}

void CPPCons2::SetConsoleProp(CConsProp* prop) {
  if (prop == m_pProp) return;
  CKeyView* view = GetKeyView();
  if (view != nullptr && (prop == nullptr || &view->GetConsole() != prop->GetOwner())) {
    view->CloseKeyDialog();
    m_frame->SetActiveView(nullptr);
  }
  m_pProp = prop;
  m_placedHeight = -1;
  m_bLinksCurrent = false;
}

CKeyView* CPPCons2::EnsureView() {
  CConsole* console = GetConsole();
  if (console == nullptr || !m_frame) return nullptr;
  CKeyView* view = m_frame->GetActiveView();
  if (view != nullptr && &view->GetConsole() == console) return view;
  view = new CKeyView(*console, *this);
  m_frame->SetActiveView(view);
  m_placedHeight = -1;
  return view;
}

bool CPPCons2::BuildKeyWindows() {
  if (GetConsole() == nullptr || !m_frame) return false;
  if (QLayout* layout = m_frame->layout()) layout->activate();
  if (LayoutKeys()) return true;
  // The text installers know for a key layout that cannot be built, whatever the cause.
  AfxMessageBox(tr("Out of Memory during creating button windows !"), MB_OK | MB_ICONSTOP);
  return false;
}

bool CPPCons2::LayoutKeys() {
  CConsole* console = GetConsole();
  if (console == nullptr || EnsureView() == nullptr) return false;
  // The targets first, so that the buttons are made with their labels.
  console->RefreshKeysFromLinks(true);
  // What was read may differ from the links (older projects, links to the
  // console itself): OK writes it back.
  m_bLinksCurrent = false;
  return PlaceKeys();
}

bool CPPCons2::PlaceKeys() {
  CKeyView* view = GetKeyView();
  if (view == nullptr || m_pProp == nullptr || m_bPlacing) return false;
  // Changing the scroll bars resizes the window the view lies in.
  m_bPlacing = true;
  QScrollArea* area = m_frame->GetScrollArea();
  area->horizontalScrollBar()->setValue(0);
  const int total = HorizontalScrollTotal(m_pProp->GetProgrammableKeyCount());
  if (total > 0) {
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setWidgetResizable(false);
    view->resize(total, area->viewport()->height());
  } else {
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setWidgetResizable(true);
  }
  m_placedHeight = area->viewport()->height();
  m_bPlacing = false;
  view->CreateKeyButtons();
  const CConsKey* key108 = m_pProp->FindKey(CConsKey::kTalkKey);
  return key108 != nullptr && view->ButtonOf(key108) != nullptr && !view->GetDrawingRect().IsEmpty();
}

bool CPPCons2::eventFilter(QObject* watched, QEvent* event) {
  // The buttons follow the height of the view's window: placed again when
  // the page gets its real size or the sheet is resized.
  if (event->type() == QEvent::Resize && m_frame && watched == m_frame->GetScrollArea()->viewport() &&
      GetKeyView() != nullptr && m_placedHeight >= 0 &&
      m_frame->GetScrollArea()->viewport()->height() != m_placedHeight) {
    PlaceKeys();
  }
  return CPropertyPage::eventFilter(watched, event);
}

void CPPCons2::RedrawConsoleName() {
  if (CKeyView* view = GetKeyView()) view->update();
}

void CPPCons2::CloseKeyDialog() {
  CKeyView* view = GetKeyView();
  if (view == nullptr) return;
  view->DestroyKeyButtons();
  // Placed again only when the page is shown again.
  m_placedHeight = -1;
  view->UnselectKey();
  view->CloseKeyDialog();
}

bool CPPCons2::IsActivePage() const {
  const CPropertySheet* sheet = GetSheet();
  return sheet == nullptr || sheet->GetActivePage() == this;
}

bool CPPCons2::OnSetActive() {
  BuildKeyWindows();
  return CPropertyPage::OnSetActive();
}

bool CPPCons2::OnKillActive() {
  // Asked for this page's own key changes only: changes on the parameters
  // page are that page's question.
  if (IsModified()) {
    if (AfxMessageBox(kStrSaveKeyChanges, MB_YESNO | MB_ICONQUESTION) == IDYES) {
      OnApply();
    } else {
      // The keys keep what the user gave them until the links are read
      // again; nothing reaches the console's links.
      CPropertyPage::SetModified(false);
    }
  }
  CloseKeyDialog();
  return CPropertyPage::OnKillActive();
}

void CPPCons2::OnCancel() {
  CloseKeyDialog();
  CPropertyPage::OnCancel();
}

void CPPCons2::OnOK() {
  CConsole* console = GetConsole();
  if (console != nullptr && IsActivePage() && (IsModified() || !m_bLinksCurrent)) {
    console->StoreKeyLinks();
    m_bLinksCurrent = true;
    if (CKeyView* view = GetKeyView()) view->update();
  }
  CPropertyPage::OnOK();
}

void CPPCons2::ApplyPage() { OnApply(); }

void CPPCons2::SetModelCommitted() {
  m_bLinksCurrent = false;
  CPropertyPage::SetModified(false);
  // The change is in the project already: Cancel cannot take it back.
  if (CPropertySheet* sheet = GetSheet()) {
    if (QPushButton* cancel = sheet->GetButton(IDCANCEL)) cancel->setText(tr("Close"));
  }
}

void CPPCons2::SetModified() {
  m_bLinksCurrent = false;
  CPropertyPage::SetModified(true);
}

void CPPCons2::CheckGroups() {
  if (CConsole* console = GetConsole()) console->RefreshKeysFromLinks(true);
}
