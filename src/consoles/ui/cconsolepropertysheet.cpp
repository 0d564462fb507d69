#include "consoles/ui/cconsolepropertysheet.h"

#include <QApplication>
#include <QEvent>
#include <QTabWidget>

#include "consoles/cconsole.h"
#include "consoles/ui/cconsoletreedlg.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/cppcons1.h"
#include "consoles/ui/cppcons2.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "shell/cmainframe.h"
#include "shell/controls/cclosewhilelineinuse.h"

namespace {

// "Warning: You have made changes to the properties of this Console which
// will be lost if you switch to another Console ! ... Do you want to save
// them ?"
constexpr uint32_t kStrSwitchWarning = 34191;

// A console's Properties command opens the sheet on the console, for the
// active project (the console's own when it is not in the active one).
const bool g_registered = [] {
  CBaseDevice::SetPropertiesHandler(DT_CONSOLE, [](CBaseDevice& device) {
    auto* console = dynamic_cast<CConsole*>(&device);
    if (console == nullptr) return false;
    CSelvantisDoc* doc = GetActiveDoc();
    if (doc == nullptr || !doc->Contains(console)) doc = console->GetDocument();
    CConsolePropertySheet sheet(AfxGetDialogParent());
    sheet.SetDocument(doc, console);
    return sheet.DoModal() == IDOK;
  });
  return true;
}();

}  // namespace

CConsolePropertySheet::CConsolePropertySheet(QWidget* parent) : CPropertySheet(LoadString(kCaptionId), parent) {
  m_tree = new CConsoleTreeDlg(*this, this);
  SetSideWidget(m_tree);
  // Wide enough for a ten-key console to show without scrolling.
  resize(1080, 620);
  // The key page's transfer disables the sheet: a close waits for its end.
  m_lineUse = new CCloseWhileLineInUse(*this, QString(), [this] { reject(); });
  m_lineUse->WaitInsteadOfAsking();
}

void CConsolePropertySheet::reject() {
  if (m_lineUse->MayClose()) CPropertySheet::reject();
}

CConsolePropertySheet::~CConsolePropertySheet() = default;

void CConsolePropertySheet::EnsurePages(CSelvantisDoc* doc) {
  if (m_page1 != nullptr) return;
  m_page1 = new CPPCons1(doc, this);
  m_page2 = new CPPCons2(doc, this);
  AddPage(m_page1);
  AddPage(m_page2);
}

void CConsolePropertySheet::SetDocument(CSelvantisDoc* doc, CConsole* console) {
  m_pDoc = doc;
  m_pConsole = doc != nullptr && doc->Contains(console) ? console : nullptr;
  EnsurePages(doc);
}

bool CConsolePropertySheet::OnInitDialog() {
  if (m_pDoc == nullptr) SetDocument(GetActiveDoc(), m_pConsole);
  EnsurePages(m_pDoc);
  m_tree->Fill(m_pDoc);
  m_tree->SelectItemOf(m_pConsole);
  // The pages start empty; SelectConsole gives them the console.
  CConsole* console = m_pConsole;
  m_pConsole = nullptr;
  m_page1->SetConsole(nullptr, false);
  m_page2->SetConsoleProp(nullptr);
  SelectConsole(console);
  m_tree->ExpandRoot();
  // The sheet opens on the key layout.
  SetActivePage(GetPageIndex(m_page2));
  return true;
}

bool CConsolePropertySheet::SelectConsole(CConsole* console) {
  if (m_page1 == nullptr) EnsurePages(m_pDoc);
  bool bSaveOld = true;
  if (IsApplyEnabled() && GetActivePage() == m_page1) {
    if (AfxMessageBox(kStrSwitchWarning, MB_YESNO | MB_ICONQUESTION) == IDYES) {
      PressButton(PSBTN_APPLYNOW);
    } else {
      m_page1->SetModified(false);
      m_page2->SetModified(false);
      bSaveOld = false;
    }
  }
  QTabWidget* tabs = GetTabControl();
  CPropertyPage* active = GetActivePage();
  if (console == nullptr) {
    tabs->setEnabled(false);
    if (active != nullptr) active->hide();
    m_pConsole = nullptr;
    return true;
  }
  tabs->setEnabled(true);
  if (active != nullptr && active->isHidden()) active->show();
  m_pConsole = console;
  if (active == m_page2) {
    // The key page is built again for the other console.
    m_page2->hide();
    m_page2->OnKillActive();
    m_page2->SetConsoleProp(&console->GetProp());
    m_page2->show();
    m_page2->OnSetActive();
    m_page1->SetConsole(console, bSaveOld);
  } else {
    m_page1->SetConsole(console, bSaveOld);
    m_page2->SetConsoleProp(&console->GetProp());
  }
  return true;
}

void CConsolePropertySheet::OnConsoleRenamed(CConsole* console) {
  if (console == m_pConsole && GetActivePage() == m_page2) m_page2->RedrawConsoleName();
}

bool CConsolePropertySheet::OnCommand(int id) {
  if (m_page2 != nullptr && GetActivePage() == m_page2) {
    if (id == ID_APPLY_NOW) {
      // Apply on the key page stores the keys without leaving the page (the
      // default would ask the page whether to save its changes first).
      m_page2->OnApply();
      return true;
    }
    if (id == IDOK) {
      m_page2->SetModified(false);
      m_page2->OnApply();
    }
  }
  return CPropertySheet::OnCommand(id);
}

bool CConsolePropertySheet::event(QEvent* event) {
  if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange) &&
      m_page2 != nullptr) {
    // The keys are drawn in fixed colours over the page's: the whole key
    // layout is drawn again, also when only another window's palette changed.
    m_page2->update();
    if (CKeyView* view = m_page2->GetKeyView()) view->update();
  }
  return CPropertySheet::event(event);
}
