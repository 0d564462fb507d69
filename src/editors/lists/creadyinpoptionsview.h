#ifndef SELV_EDITORS_LISTS_CREADYINPOPTIONSVIEW_H
#define SELV_EDITORS_LISTS_CREADYINPOPTIONSVIEW_H

#include <QPointer>
#include <QWidget>

#include <functional>

class CGlobalReadyInput;
class CSelvantisDoc;
class CValueEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The settings all ready inputs share: the five user-defined fault texts
// (edited as the labels of their rows) and the delay time for masked
// signals. Owns its controls; the settings belong to the document.
class CReadyInpOptionsView final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFormId = 514;
  static constexpr int kListId = 1519;
  static constexpr int kMaskEditId = 1195;

  explicit CReadyInpOptionsView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillOptions();

  QTreeWidget* List() const { return m_list; }
  CValueEdit* MaskTimeEdit() const { return m_maskEdit; }

  // The label edit of a user text; the open edit.
  bool BeginTextEdit(int row);
  QWidget* CurrentEditor() const { return m_editor.data(); }
  void OnEndTextEdit(int row, const QString& text, bool cancelled);
  // The mask-time edit lost the focus: its text is stored, then the stored
  // value shown again.
  void OnMaskTimeEdited();

  // Called after a user text changed (the list shows the texts too).
  void SetChanged(std::function<void()> handler) { m_changed = std::move(handler); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CGlobalReadyInput* Global() const;

  CSelvantisDoc* m_doc;
  QTreeWidget* m_list;
  CValueEdit* m_maskEdit;
  QPointer<QWidget> m_editor;
  std::function<void()> m_changed;
  bool m_pressedOnSelected = false;
};

#endif
