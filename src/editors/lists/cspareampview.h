#ifndef SELV_EDITORS_LISTS_CSPAREAMPVIEW_H
#define SELV_EDITORS_LISTS_CSPAREAMPVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/spareamplistmodel.h"

#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class CSelvantisDoc;
class IDeviceLink;

// One pane of the backup-amplifier editor: either the entry list (name,
// number, replaced target, and while polled what the backup amplifier
// replaces now) or the watch list of one entry. Rows are computed from the
// project's spare-amplifier table at every fill.
class CSpareAmpView final : public CEBListView {
  Q_OBJECT

 public:
  static constexpr int kPollTimerId = 11;
  static constexpr int kPollIntervalMs = 1500;
  static constexpr int kPollReadMs = 500;
  enum class Mode { Entries, Watches };

  using Chooser = std::function<std::optional<SpareAmpListModel::Target>(uint32_t kind)>;

  explicit CSpareAmpView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  Mode GetMode() const noexcept { return m_mode; }
  // The kind string id of the mode.
  uint32_t ModeKind() const;

  void FillEntryList();
  // The watch items of entry (negative: none).
  void FillWatchList(int entry);
  void FillList() override;
  int WatchEntry() const noexcept { return m_watchEntry; }

  void NewEntry() override;
  void DeleteEntry();
  void NewWatch(int entry);
  void DeleteWatch(int entry);
  void TransferSpareAmp(bool bUpload);

  // Row data: entry or watch index; -1 for no row.
  int RowData(int row) const;
  // Entry index of the first selected row, -1 when none.
  int SelectedData() const { return RowData(FirstSelectedRow()); }

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;
  QWidget* CurrentEditor() const { return m_editor.data(); }
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);

  // The header click: column 3 of the entry list toggles the poll while
  // connected.
  void OnColumnClick(int column);
  bool IsPolling() const noexcept { return m_polling; }
  void StartPoll();
  void StopPoll();
  void PollStatus();

  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }
  // Transfers and the poll; null: the installed link.
  void SetLink(IDeviceLink* link) { m_link = link; }

 signals:
  // Entry list: a row that became selected shows this entry.
  void entrySelected(int entry);
  // A frame command (the Delete key) or a change of the other pane.
  void command(uint32_t id);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  IDeviceLink* Link() const;
  std::optional<SpareAmpListModel::Target> Choose(uint32_t kind);
  void OnSelectionChanged();
  void SetTitles();
  void AddRows(const std::vector<SpareAmpListModel::Row>& rows);
  void SelectCurrent(int row);

  CSelvantisDoc* m_doc;
  Mode m_mode = Mode::Entries;
  int m_currentEntryRow = 0;
  int m_currentWatchRow = 0;
  int m_watchEntry = -1;
  bool m_polling = false;
  QTimer m_pollTimer;
  Chooser m_chooser;
  IDeviceLink* m_link = nullptr;
  QPointer<QWidget> m_editor;
};

#endif
