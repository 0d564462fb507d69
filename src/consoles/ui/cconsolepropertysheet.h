#pragma once
#include <cstdint>

#include "shell/controls/cpropertysheet.h"

class CCloseWhileLineInUse;
class CConsole;
class CConsoleTreeDlg;
class CPPCons1;
class CPPCons2;
class CSelvantisDoc;

// "Console parameters": the modal sheet in which every console of the
// project is edited, the console tree at its left choosing which console
// the parameters page and the key programming page show. Owns the tree and
// the pages; the document and its consoles outlive it.
class CConsolePropertySheet final : public CPropertySheet {
  Q_OBJECT

 public:
  static constexpr uint32_t kCaptionId = 34059;

  explicit CConsolePropertySheet(QWidget* parent = nullptr);
  ~CConsolePropertySheet() override;
  CConsolePropertySheet(const CConsolePropertySheet&) = delete;
  CConsolePropertySheet& operator=(const CConsolePropertySheet&) = delete;

  // Before the sheet is shown: the project and the console it opens on.
  void SetDocument(CSelvantisDoc* doc, CConsole* console);
  CSelvantisDoc* GetDocument() const noexcept { return m_pDoc; }

  // Shows another console in the pages; null (the tree's root) disables
  // the tabs and hides the page. Unsaved changes on the parameters page are
  // asked about first. Returns true.
  bool SelectConsole(CConsole* console);
  CConsole* GetConsole() const noexcept { return m_pConsole; }

  CConsoleTreeDlg* GetTreeDlg() const noexcept { return m_tree; }
  CPPCons1* GetPage1() const noexcept { return m_page1; }
  CPPCons2* GetPage2() const noexcept { return m_page2; }

  // The tree renamed a console.
  void OnConsoleRenamed(CConsole* console);

  // Escape and the window's close. While the line to the unit is in use
  // the close waits: the key page's transfer runs inside the sheet and
  // uses its console, and the sheet closes once the line is free.
  void reject() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id) override;
  // A change of the palette repaints the key page.
  bool event(QEvent* event) override;

 private:
  void EnsurePages(CSelvantisDoc* doc);

  CSelvantisDoc* m_pDoc = nullptr;
  CConsole* m_pConsole = nullptr;
  CConsoleTreeDlg* m_tree = nullptr;
  CPPCons1* m_page1 = nullptr;
  CPPCons2* m_page2 = nullptr;
  CCloseWhileLineInUse* m_lineUse = nullptr;
};
