#include "online/crecorderfrm.h"

#include "model/cstringtable.h"
#include "online/crecorderview.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

CRecorderFrm::CRecorderFrm(const HostFrameContext& context, QWidget* parent) : COnlineFrame(context, parent) {
  setObjectName(QStringLiteral("CRecorderFrm"));
  // The panes first: the view's opening query may already be answered.
  constexpr int kWidths[kPaneCount] = {0, 140, 45, 35};
  for (int pane = 0; pane < kPaneCount; ++pane) {
    auto* label = new QLabel(pane == 0 ? QString() : LoadString(kIndicatorText), this);
    label->setObjectName(QStringLiteral("pane%1").arg(pane));
    if (pane == 0) {
      statusBar()->addWidget(label, 1);
    } else {
      label->setFixedWidth(kWidths[pane]);
      statusBar()->addPermanentWidget(label);
    }
    m_panes[pane] = label;
  }
  Create();
  // No bar of its own.
  if (QToolBar* bar = OwnBar()) bar->hide();
}

COnlineView* CRecorderFrm::CreateView() {
  auto* view = new CRecorderView(GetDocument(), this);
  connect(view, &CRecorderView::paneText, this, &CRecorderFrm::SetPaneText);
  return view;
}

CRecorderView* CRecorderFrm::GetRecorderView() const { return qobject_cast<CRecorderView*>(GetActiveView()); }

QString CRecorderFrm::PaneText(int pane) const {
  return pane >= 0 && pane < kPaneCount && m_panes[pane] ? m_panes[pane]->text() : QString();
}

void CRecorderFrm::SetPaneText(int pane, const QString& text) {
  if (pane >= 0 && pane < kPaneCount && m_panes[pane]) m_panes[pane]->setText(text);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Recorder, CRecorderFrm)
