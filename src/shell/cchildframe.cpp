#include "shell/cchildframe.h"

#include "model/cselvantisdoc.h"
#include "shell/ciconfactory.h"
#include "shell/controls/cclosewhilelineinuse.h"
#include "shell/cselvantisview.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>

CChildFrame::CChildFrame(CSelvantisDoc& doc, CBitmapManager& bitmaps, CloseRequest onCloseRequest, QWidget* parent)
    : QMdiSubWindow(parent),
      m_doc(doc),
      m_view(new CSelvantisView(doc, bitmaps)),
      m_onCloseRequest(std::move(onCloseRequest)),
      m_lineUse(new CCloseWhileLineInUse(*this, CCloseWhileLineInUse::StopQuestionText(), [this] { close(); })) {
  setObjectName(QStringLiteral("ChildFrame"));
  setWidget(m_view);
  setWindowIcon(CIconFactory::Icon(QStringLiteral("project")));
  connect(&m_doc, &CSelvantisDoc::titleChanged, this, [this]() { UpdateTitle(); });
  connect(&m_doc, &CSelvantisDoc::modifiedChanged, this, [this]() { UpdateTitle(); });
  connect(m_lineUse, &CCloseWhileLineInUse::refused, this, &CChildFrame::closeRefused);
  UpdateTitle();
  resize(800, 600);
  // The window's own menu would claim Ctrl+W (and Ctrl+F4) beside the main
  // window's File > Close, and Qt then runs neither: the keys belong to the
  // main window's commands alone.
  if (QMenu* menu = systemMenu())
    for (QAction* action : menu->actions()) action->setShortcuts({});
}

CChildFrame::~CChildFrame() {
  // The view holds references into the document: it goes first.
  delete m_view;
  m_view = nullptr;
}

void CChildFrame::UpdateTitle() { setWindowTitle(m_doc.GetDisplayTitle()); }

void CChildFrame::CloseForGood() {
  m_closing = true;
  close();
}

QMessageBox* CChildFrame::StopQuestion() const { return m_lineUse->Question(); }

bool CChildFrame::ClosesAfterTransfer() const { return m_lineUse->ClosesWhenFree(); }

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (m_closing || !m_onCloseRequest) {
    QMdiSubWindow::closeEvent(event);
    return;
  }
  // The owner may destroy this frame; it must not happen inside its own
  // close event, so the request runs once the event is done.
  event->ignore();
  if (!m_lineUse->MayClose()) return;
  QPointer<CChildFrame> self(this);
  CloseRequest request = m_onCloseRequest;
  CSelvantisDoc* doc = &m_doc;
  QTimer::singleShot(0, this, [self, request, doc]() {
    if (self) request(*doc);
  });
}
