#pragma once
#include <QWidget>

#include "shell/controls/cdialogimages.h"

class CBaseDevice;
class CConsole;
class CConsolePropertySheet;
class CObjectTreeCtrl;
class CSelvantisDoc;
class QTreeWidgetItem;

// The "Overview of consoles" at the left of the console property sheet: a
// root item and one item per console of the project. Choosing an item shows
// its console in the sheet's pages; editing an item's label renames its
// console. Owns its controls; the consoles belong to the document.
class CConsoleTreeDlg final : public QWidget {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 272;
  static constexpr int kTreeId = 108;
  static constexpr int kImageStrip = 274;
  static constexpr uint32_t kRootTextId = 34061;  // "RCX - Consoles"

  explicit CConsoleTreeDlg(CConsolePropertySheet& sheet, QWidget* parent = nullptr);

  // The root, then the consoles of the document in list order. Filling is
  // not a choice of the user: the sheet is not told.
  void Fill(CSelvantisDoc* doc);
  // Makes the console's item (the root's for null) the current one without
  // telling the sheet.
  void SelectItemOf(const CConsole* console);
  void ExpandRoot();

  CObjectTreeCtrl* GetTree() const noexcept { return m_tree; }
  QTreeWidgetItem* GetRootItem() const noexcept { return m_root; }
  QTreeWidgetItem* FindItem(const CConsole* console) const;
  static CConsole* ConsoleOf(const QTreeWidgetItem* item);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void OnItemExpanded(QTreeWidgetItem* item);
  void OnItemClicked(QTreeWidgetItem* item);
  void OnObjectRenamed(CBaseDevice* object);

  CConsolePropertySheet& m_sheet;
  CSelvantisDoc* m_pDoc = nullptr;
  CObjectTreeCtrl* m_tree = nullptr;
  QTreeWidgetItem* m_root = nullptr;
  CDialogImages m_images;
  bool m_bFilling = false;
};
