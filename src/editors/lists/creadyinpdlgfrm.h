#ifndef SELV_EDITORS_LISTS_CREADYINPDLGFRM_H
#define SELV_EDITORS_LISTS_CREADYINPDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CReadyInpDlgView;
class CReadyInpOptionsView;
class QSplitter;

// The frame of the ready-input editor (editor kind 16): the list of ready
// inputs on the left, their shared settings on the right.
class CReadyInpDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  static constexpr int kToolBar = 431;

  CReadyInpDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CReadyInpDlgView* GetReadyInpView() const noexcept { return m_readyView; }
  CReadyInpOptionsView* GetOptionsView() const noexcept { return m_optionsView; }
  QSplitter* Splitter() const noexcept { return m_splitter; }
  // Refills the list, then the settings.
  void RefreshPanes();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The list pane keeps its width when the frame changes size.
  void KeepListWidth();

  CReadyInpDlgView* m_readyView;
  CReadyInpOptionsView* m_optionsView;
  QSplitter* m_splitter;
  // The list pane's width: the view's initial width, then the one the user
  // drags.
  int m_listWidth;
};

#endif
