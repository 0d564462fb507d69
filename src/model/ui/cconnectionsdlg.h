#ifndef SELV_MODEL_UI_CCONNECTIONSDLG_H
#define SELV_MODEL_UI_CCONNECTIONSDLG_H

#include "shell/controls/cresizabledialog.h"

#include <QPointer>

class CBaseDevice;
class CSelvantisDoc;
class QLabel;
class QTreeWidget;

// The "Connections" dialog: lists the connection records of one object.
// Set the object before DoModal. Should the object be deleted while the
// dialog is open, the list empties instead of showing a dead object.
class CConnectionsDlg : public CResizableDialog {
  Q_OBJECT

 public:
  explicit CConnectionsDlg(QWidget* parent = nullptr);

  void SetObject(CBaseDevice* object);
  CBaseDevice* GetObject() const noexcept { return m_object; }
  // Fills the list from the object's records again.
  void Refill();

 protected:
  bool OnInitDialog() override;

 private:
  void OnObjectRemoved(CBaseDevice* object);

  CBaseDevice* m_object = nullptr;
  QPointer<CSelvantisDoc> m_doc;
  QLabel* m_title;
  QTreeWidget* m_list;
};

#endif
