#include "editors/lists/cconditiondlgview.h"

#include "editors/lists/conditionlistmodel.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "logic/ccondition.h"
#include "model/cselvantisdoc.h"

#include <QHeaderView>
#include <QTreeWidgetItem>

CConditionDlgView::CConditionDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CEntryDlgView(doc, entrylists::kCondition, ConditionListModel::kColumnCount, parent) {
  header()->setObjectName(QStringLiteral("header%1").arg(ConditionListModel::kHeaderControlId));
  header()->setSectionsClickable(true);
  connect(header(), &QHeaderView::sectionClicked, this, &CConditionDlgView::OnHeaderClick);
  m_pollTimer.setInterval(ConditionListModel::kStatusPollIntervalMs);
  connect(&m_pollTimer, &QTimer::timeout, this, &CConditionDlgView::PollStatus);
}

CCondition* CConditionDlgView::ConditionAt(int row) const { return dynamic_cast<CCondition*>(ObjectAt(row)); }

bool CConditionDlgView::IsPolling() const {
  return headerItem()->data(ConditionListModel::kState, Qt::UserRole).toInt() != 0;
}

void CConditionDlgView::SetPolling(bool polling) {
  if (polling) {
    m_pollTimer.start();
  } else {
    m_pollTimer.stop();
  }
  headerItem()->setData(ConditionListModel::kState, Qt::UserRole, polling ? 1 : 0);
  headerItem()->setText(ConditionListModel::kState,
                        ConditionListModel::ColumnTitles(polling).at(ConditionListModel::kState));
}

void CConditionDlgView::FillList() {
  const QStringList titles = ConditionListModel::ColumnTitles(false);
  for (int column = 0; column < ConditionListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), ConditionListModel::ColumnWidth(column),
              ConditionListModel::ColumnAlignment(column));
  }
  SetPolling(false);
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (m_doc) {
      for (CCondition* condition : ConditionListModel::Conditions(*m_doc)) {
        AddRow(ConditionListModel::RowTexts(*condition), condition, ConditionListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CConditionDlgView::OnHeaderClick(int column) {
  if (!ConditionListModel::TogglesPoll(column, IsOnline())) return;
  SetPolling(!IsPolling());
}

void CConditionDlgView::PollStatus() {
  const QString reply =
      GetDeviceLink()->SendAndRead(ConditionListModel::StatusQuery(), ConditionListModel::kStatusReplyDelayMs);
  const BitSet trueConditions = ConditionListModel::ParseTrueConditions(reply);
  for (int row = 0; row < RowCount(); ++row) {
    const CCondition* condition = ConditionAt(row);
    if (!condition) continue;
    topLevelItem(row)->setText(ConditionListModel::kState,
                               ConditionListModel::StateText(trueConditions, condition->GetID()));
  }
}

void CConditionDlgView::NewCondition() {
  if (!m_doc) return;
  const std::optional<ListChoice> type = Choose({ConditionListModel::kSelectConditionType, QString(), 0, false});
  if (!type) return;
  if (CCondition* condition = ConditionListModel::NewCondition(*m_doc, type->number)) {
    SetCurrentID(condition->GetID());
  }
}

void CConditionDlgView::TransferAllConditions(bool bUpload) { TransferAllEntries(bUpload); }

void CConditionDlgView::EditCell(int row, int column) {
  ResetHover();
  CCondition* condition = ConditionAt(row);
  if (!condition) return;
  switch (ConditionListModel::EditOf(column, *condition)) {
    case ConditionListModel::Edit::SelectType: {
      const std::optional<ListChoice> choice =
          Choose({ConditionListModel::kSelectConditionType, QString(), condition->GetKind(), false});
      // The condition may have gone while the dialog was open.
      if (!choice || ConditionAt(row) != condition) return;
      ConditionListModel::SetType(*condition, choice->number);
      FillList();
      break;
    }
    case ConditionListModel::Edit::SelectSource: {
      const std::optional<ListChoice> choice =
          Choose({static_cast<uint32_t>(condition->GetSourceObjectKind()), CellText(row, column), 0, false});
      if (!choice || ConditionAt(row) != condition) return;
      ConditionListModel::SetSource(*condition, choice->number);
      FillList();
      break;
    }
    case ConditionListModel::Edit::ToggleLevel:
      ConditionListModel::ToggleLevel(*condition);
      FillList();
      break;
    case ConditionListModel::Edit::None: break;
  }
}

bool CConditionDlgView::BeginLabelEdit(int row, int column) {
  if (!ConditionListModel::CanEditLabel(column) || !ConditionAt(row)) return false;
  ResetHover();
  OpenEditor(row, column);
  return CurrentEditor() != nullptr;
}

void CConditionDlgView::ApplyText(int row, int column, const QString& text) {
  if (CCondition* entry = ConditionAt(row)) ConditionListModel::ApplyText(*entry, column, text);
}
