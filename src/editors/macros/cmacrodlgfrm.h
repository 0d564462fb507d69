#ifndef SELV_EDITORS_MACROS_CMACRODLGFRM_H
#define SELV_EDITORS_MACROS_CMACRODLGFRM_H

#include "editors/lists/csplitlistframe.h"

#include <QPointer>

class CMacro;
class CMacroDlgListView;
class CMacroStepView;

// The macro editor (editor kind 7): the project's macros on the left, the
// step editor of the selected macro's kind on the right, the macro toolbar
// (new, delete, upload, download, execute).
class CMacroDlgFrm final : public CSplitListFrame {
  Q_OBJECT

 public:
  enum Command : uint32_t {
    kNewMacro = 33143,
    kDeleteMacro = 33144,
    kDownload = 32916,
    kUpload = 32917,
    kExecute = 32918,
  };

  CMacroDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);
  ~CMacroDlgFrm() override;

  CMacroDlgListView* GetListView() const noexcept { return m_list; }
  CMacroStepView* GetStepView() const noexcept { return m_editor.data(); }

  // The macro of the list's selected row, or null.
  CMacro* GetCurrentMacro() const;
  // Refills the list and rebuilds the step editor.
  void RefreshMacroList();
  void ShowMacroEditor();
  void UpdateButtons();

  bool OnCommand(uint32_t id) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The list pane keeps its width when the frame or the editor changes;
  // the step editor takes the rest.
  void KeepListWidth();
  void DeleteSelectedEntry();
  // False when refused, or when the frame went meanwhile.
  bool TransferAllMacros(bool bUpload);

  CMacroDlgListView* m_list;
  QPointer<CMacroStepView> m_editor;
  // The list pane's width: the stored one, then the one the user drags.
  int m_listWidth;
};

#endif
