#ifndef SELV_AMPS_UI_COBJECTTREEPROPDLG_H
#define SELV_AMPS_UI_COBJECTTREEPROPDLG_H

#include "shell/controls/cdialogimages.h"
#include "shell/controls/cresizabledialog.h"

#include <QPointer>

#include <vector>

class CBaseDevice;
class CObjectTreeCtrl;
class CSelvantisDoc;
class QIcon;
class QLayout;
class QPushButton;
class QString;
class QTreeWidgetItem;

// A property dialog that lists the project's objects of one kind in a tree
// beside the page of the one selected, with OK, Cancel and Apply. Choosing
// another object offers to apply pending edits first, Enter while a tree
// label is edited ends the edit, and an object removed from the document is
// forgotten. The derived dialog fills, shows and applies its page.
class CObjectTreePropDlg : public CResizableDialog {
  Q_OBJECT

 public:
  ~CObjectTreePropDlg() override;

  bool IsApplyEnabled() const;
  // Applies the page's edits; false when they are refused (the page shows
  // why and keeps them for correction).
  virtual bool ApplyChanges() = 0;

 public slots:
  void accept() override;

 protected:
  CObjectTreePropDlg(unsigned templateId, CSelvantisDoc* doc, int imageStrip, QWidget* parent);

  // Creates OK, Cancel and Apply; called once the page's own controls
  // exist so that the keyboard reaches them first, as it always has.
  void CreateButtons();
  // Puts the tree beside the page and the buttons below, and connects the
  // buttons, the tree and the document.
  void LayOut(QLayout* page);
  // Fills the tree with a root and the objects, each with its picture, and
  // selects the current object.
  void FillTree(const QString& rootText, const std::vector<CBaseDevice*>& objects);
  void SelectTreeItemOf(const CBaseDevice* object);
  // After the edits were applied: the object's picture, Apply and the page
  // follow them.
  void ShowApplied(CBaseDevice* object);
  void SetModified(bool modified = true);
  void MakeCurrentInView(CBaseDevice* object);
  QIcon Image(int index);

  // The page's object; null when none is shown.
  virtual CBaseDevice* CurrentObject() const = 0;
  virtual void SetCurrentObject(CBaseDevice* object) = 0;
  virtual void ForgetObject(CBaseDevice* object) = 0;
  virtual void ShowCurrent() = 0;
  // The tree picture of one of the objects.
  virtual int PictureOf(const CBaseDevice* object) const = 0;

  QPointer<CSelvantisDoc> m_doc;

 private:
  void OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void OnObjectRemoved(CBaseDevice* object);
  // Ends a label edit of the tree; false when none was open.
  bool EndLabelEdit();

  const int m_imageStrip;
  CDialogImages m_images;
  bool m_filling = false;
  CObjectTreeCtrl* m_tree;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QPushButton* m_apply = nullptr;
};

#endif
