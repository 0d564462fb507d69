#ifndef SELV_EDITORS_MACROS_CSEQUENCEMACROVIEW_H
#define SELV_EDITORS_MACROS_CSEQUENCEMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>

class CInPlaceEdit;
class CListHoverOverlay;
class QTableWidget;

// Sequence: starts up to five macros, each after a delay and under a
// condition, edited in a five-row list.
class CSequenceMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  // The small image list of the steps and the picture of a step number.
  static constexpr int kStepImages = 136;
  static constexpr int kStepImage = 1;

  // Asks for an object of a selection kind; no value when cancelled.
  using Chooser = std::function<std::optional<int>(uint32_t kind, const QString& preset)>;

  explicit CSequenceMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }
  QTableWidget* List() const noexcept { return m_list; }
  // The dotted rectangle around the cell under the mouse.
  const CListHoverOverlay* Hover() const noexcept { return m_hover; }
  // The open delay editor, if any.
  CInPlaceEdit* CellEditor() const { return m_editor.data(); }
  // What a double click on a cell does.
  void OnDblclkCell(int row, int column);

 private:
  void FillRows();
  void OnEndEdit(int row, int column, const QString& text, bool cancelled);
  std::optional<int> Choose(uint32_t kind, const QString& preset);

  QTableWidget* m_list;
  CListHoverOverlay* m_hover;
  QPointer<CInPlaceEdit> m_editor;
  Chooser m_chooser;
};

#endif
