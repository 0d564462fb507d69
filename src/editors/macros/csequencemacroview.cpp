#include "editors/macros/csequencemacroview.h"

#include "editors/lists/clisthoveroverlay.h"
#include "editors/macros/flowstepfields.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/ui/cselectiondlg.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/cinplaceedit.h"

#include <QAbstractItemView>
#include <QColor>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr uint32_t kConditionKind = 34129;  // "Condition"

}  // namespace

CSequenceMacroView::CSequenceMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Start multiple macros with timer control"), parent),
      m_list(new QTableWidget(FlowStepFields::kSequenceRows, 4, ParameterBox())) {
  m_list->setObjectName(QStringLiteral("steps"));
  const QString titles[4] = {LoadString(34242), LoadString(32806), LoadString(34582), LoadString(kConditionKind)};
  const int widths[4] = {40, 140, 60, 140};
  for (int c = 0; c < 4; ++c) {
    m_list->setHorizontalHeaderItem(c, new QTableWidgetItem(titles[c].isEmpty() ? QStringLiteral(" ") : titles[c]));
    m_list->setColumnWidth(c, widths[c]);
  }
  m_list->verticalHeader()->hide();
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setAlternatingRowColors(true);
  m_hover = new CListHoverOverlay(m_list);
  ParameterLayout()->addWidget(m_list);
  connect(m_list, &QTableWidget::cellDoubleClicked, this, &CSequenceMacroView::OnDblclkCell);
}

void CSequenceMacroView::OnInitialUpdate() { FillRows(); }

void CSequenceMacroView::FillRows() {
  const CMacro* macro = CurrentMacro();
  const QSignalBlocker block(m_list);
  for (int row = 0; row < FlowStepFields::kSequenceRows; ++row) {
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(macro ? FlowStepFields::SequenceCell(*macro, row, column)
                                              : (column == 0 ? Fmt("%d", row + 1) : QString()));
      item->setTextAlignment(Qt::AlignCenter);
      // The step number carries the step picture.
      if (column == 0) item->setIcon(CBitmapManager::Icon(kStepImages, kStepImage));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      m_list->setItem(row, column, item);
    }
  }
}

std::optional<int> CSequenceMacroView::Choose(uint32_t kind, const QString& preset) {
  if (m_chooser) return m_chooser(kind, preset);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  if (!preset.isEmpty()) dialog.SetSelection(preset);
  if (Document()) dialog.SetDocument(Document());
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
}

void CSequenceMacroView::OnDblclkCell(int row, int column) {
  m_hover->Reset();
  if (!CurrentMacro() || row < 0 || row >= FlowStepFields::kSequenceRows) return;
  if (FlowStepFields::SequenceColumnChooses(column)) {
    const QString preset = m_list->item(row, column) ? m_list->item(row, column)->text() : QString();
    const std::optional<int> id = Choose(column == 1 ? CMacro::kSelectMacro : kConditionKind, preset);
    // The chooser may have run a modal loop: ask for the macro again.
    CMacro* macro = CurrentMacro();
    if (!id || !macro) return;
    FlowStepFields::SetSequenceObject(*macro, row, column, *id);
    FillRows();
    return;
  }
  if (!FlowStepFields::SequenceColumnEdits(column) || m_editor) return;
  const QRect rect = m_list->visualItemRect(m_list->item(row, column));
  m_editor = new CInPlaceEdit(row, column, m_list->item(row, column)->text(), m_list->viewport(), rect);
  m_editor->setAlignment(Qt::AlignCenter);
  connect(m_editor.data(), &CInPlaceEdit::endEdit, this, &CSequenceMacroView::OnEndEdit);
}

void CSequenceMacroView::OnEndEdit(int row, int column, const QString& text, bool cancelled) {
  // The editor deletes itself once it has reported.
  m_editor = nullptr;
  CMacro* macro = CurrentMacro();
  if (cancelled || !macro || !FlowStepFields::SequenceColumnEdits(column)) return;
  if (FlowStepFields::SetSequenceDelay(*macro, row, text)) FillRows();
}

SELV_REGISTER_MACRO_STEP_VIEW(CSequenceMacroView)
