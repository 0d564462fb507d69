#ifndef SELV_EDITORS_LISTS_CLOGICENTRYLISTVIEW_H
#define SELV_EDITORS_LISTS_CLOGICENTRYLISTVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/statuspollcolumn.h"

#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class CSelvantisDoc;

// What the lists of logic entries (logic outputs, memo flags, ready inputs)
// share: rows that drop out when their object is removed, the name edited as
// the label of a selected row (click or F2), a double click that edits a
// cell, the in-place edit, the Delete key that deletes through the frame,
// the selection dialog (replaceable for tests) and, for lists with a state
// column, the status poll started and stopped by the column's header.
class CLogicEntryListView : public CEBListView {
  Q_OBJECT

 public:
  // Asks for a choice of a selection kind, preset with the current text;
  // nothing when cancelled.
  using Chooser = std::function<std::optional<int>(uint32_t kind, const QString& current)>;

  CLogicEntryListView(CSelvantisDoc* doc, int columnCount, uint32_t deleteCommand, QWidget* parent = nullptr);
  ~CLogicEntryListView() override;

  CSelvantisDoc* GetDocument() const noexcept { return m_doc; }

  // The double click on a cell.
  void EditCell(int row, int column) override = 0;
  // The label edit (refused where the list does not allow it).
  bool BeginLabelEdit(int row, int column) override;
  uint32_t DeleteCommand() const override { return m_deleteCommand; }
  QWidget* CurrentEditor() const { return m_editor.data(); }
  // The end of an in-place or label edit; cancelled: text null.
  virtual void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) = 0;

  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

  // ---- Status poll (lists with a state column) ----------------------------------
  bool HasStatusPoll() const { return m_poll != nullptr; }
  bool IsPolling() const { return m_poll && m_poll->IsPolling(); }
  bool IsPollTimerActive() const { return m_pollTimer.isActive(); }
  // The header click: toggles the poll on the state column while connected.
  void OnColumnClick(int column);
  // One poll; the timer calls it.
  virtual void PollStatus() {}

 protected:
  virtual bool CanEditLabel(int column) const { return column == 0; }
  std::optional<int> Choose(uint32_t kind, const QString& current);
  // Opens the in-place edit over the cell (one at a time).
  void OpenEditor(int row, int column);
  // Gives the list a state column.
  void EnableStatusPoll(int column);
  // Stops the poll and shows the plain title (every fill).
  void StopStatusPoll();

 private:
  void ShowPollTitle();

  CSelvantisDoc* m_doc;
  uint32_t m_deleteCommand;
  Chooser m_chooser;
  QPointer<QWidget> m_editor;
  std::unique_ptr<StatusPollColumn> m_poll;
  QTimer m_pollTimer;
};

#endif
