#ifndef SELV_EDITORS_DESIGNER_COBJECTFRM_H
#define SELV_EDITORS_DESIGNER_COBJECTFRM_H

#include "shell/controls/chostframeregistry.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <map>

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
  QAction* Action(uint32_t id) const;
  bool OnCommand(uint32_t id);
  void RefillAll();
  void UpdateButtons();
  // The tip of a command: the part after the line break, at most 80 chars.
  static QString CommandTip(uint32_t id);

 private:
  QToolBar* CreateEditorBar();
  QToolBar* CreateDesignerBar();
  void ShowProgress(int done, int total);

  CSelvantisDoc* m_doc;
  QSplitter* m_splitter;
  std::array<CDesignerView*, 3> m_panes{};
  std::map<uint32_t, QAction*> m_actions;
  QPointer<QProgressBar> m_progress;
};

#endif
