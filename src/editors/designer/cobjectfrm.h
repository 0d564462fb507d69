#ifndef SELV_EDITORS_DESIGNER_COBJECTFRM_H
#define SELV_EDITORS_DESIGNER_COBJECTFRM_H

#include "editors/lists/framebars.h"
#include "shell/controls/chostframeregistry.h"

#include <QMainWindow>

#include <array>
#include <cstdint>

class CDesignerView;
class CSelvantisDoc;
class QAction;
class QProgressBar;
class QSplitter;
class QToolBar;

// The virtual-controller designer inside the editor host: the items, the
// sources and the destinations side by side, the editor switch bar and the
// designer's own bar (New, Delete, Upload, Download).
class CObjectFrm final : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr uint32_t kNew = 32963;
  static constexpr uint32_t kDelete = 32971;
  static constexpr uint32_t kUpload = 32970;
  static constexpr uint32_t kDownload = 32969;

  explicit CObjectFrm(const HostFrameContext& context, QWidget* parent = nullptr);
  ~CObjectFrm() override;

  CDesignerView* Pane(int index) const {
    return index >= 0 && index < 3 ? m_panes[static_cast<size_t>(index)] : nullptr;
  }
  QAction* Action(uint32_t id) const { return m_bars.Action(id); }
  bool OnCommand(uint32_t id);
  void RefillAll();
  void UpdateButtons();
  // The tip of a command: the part after the line break, at most 80 chars.
  static QString CommandTip(uint32_t id);

 private:
  void OnTransfer(bool bUpload);

  CSelvantisDoc* m_doc;
  QSplitter* m_splitter;
  std::array<CDesignerView*, 3> m_panes{};
  FrameBars m_bars;
};

#endif
