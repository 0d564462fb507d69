#pragma once

#include <QWidget>

class CAudioEditor;
class CAudioSignal;
class CSelvantisDoc;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The signal list at the left of the audio-signal editor: one row per
// alarm, chime and message signal (name, source), with buttons to add a
// signal of the active page's kind and to delete the selected one.
class CSignalListDlg final : public QWidget {
  Q_OBJECT

 public:
  // The add and delete buttons' pictures and the rows' state images.
  static constexpr int kAddPicture = 379;
  static constexpr int kDeletePicture = 378;
  static constexpr int kStateImages = 351;
  CSignalListDlg(CSelvantisDoc& doc, CAudioEditor& sheet, QWidget* parent = nullptr);

  // The signal of the first selected row (row in *index), or null and -1.
  CAudioSignal* GetSelectedSignal(int* index) const;
  void UpdateItemSource(CAudioSignal* signal, int row);
  // Deselects when the user picked the row.
  void ClearSelection();
  // Disabling deselects and hides the buttons; enabling selects row and
  // shows them. Returns the row selected before.
  int EnableList(bool bEnable, int row);
  void SetButtonsVisible(bool bVisible);
  int RowCount() const;
  void SelectRow(int row);
  QTreeWidget* Tree() const noexcept { return m_list; }

  void OnAdd();
  void OnDelete();

 private:
  void Fill();
  int AppendRow(CAudioSignal* signal);
  void OnSelectionChanged();
  void OnItemChanged(QTreeWidgetItem* item, int column);
  CAudioSignal* SignalOf(const QTreeWidgetItem* item) const;

  CSelvantisDoc& m_doc;
  CAudioEditor& m_sheet;
  QTreeWidget* m_list;
  QToolButton* m_add;
  QToolButton* m_delete;
  bool m_bUserSelected = false;
};
