#ifndef SELV_EDITORS_LISTS_CENTRYDLGVIEW_H
#define SELV_EDITORS_LISTS_CENTRYDLGVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/listchoice.h"

#include <QPointer>

struct EntryListKind;
class CSelvantisDoc;

// A list of one kind of the project's logic entries whose cells are edited
// where they stand: a row goes with its object, the selected entry is sent
// to or fetched from the unit, choices come from the selection dialog and
// texts are typed into an in-place editor; every edit refills the list.
class CEntryDlgView : public CEBListView {
  Q_OBJECT

 public:
  void OnDeviceCommand(uint32_t id) override;
  void TransferSelected(bool bUpload);

  uint32_t DeleteCommand() const override;
  QWidget* CurrentEditor() const { return m_editor.data(); }
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);

  void SetChooser(ListChooser chooser) { m_chooser = std::move(chooser); }

 protected:
  CEntryDlgView(CSelvantisDoc* doc, const EntryListKind& kind, int columnCount, QWidget* parent);

  void TransferAllEntries(bool bUpload);
  void OpenEditor(int row, int column);
  std::optional<ListChoice> Choose(const ListChoiceRequest& request);
  // Takes a text typed into a cell of a row that still shows its entry.
  virtual void ApplyText(int row, int column, const QString& text) = 0;

  CSelvantisDoc* m_doc;

 private:
  const EntryListKind& m_kind;
  ListChooser m_chooser;
  QPointer<QWidget> m_editor;
};

#endif
