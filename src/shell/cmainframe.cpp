#include "shell/cmainframe.h"

#include "link/ccommandfile.h"
#include "link/ccomparereport.h"
#include "link/ctransfernotifier.h"
#include "link/idevicelink.h"
#include "link/lineuse.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/caboutdlg.h"
#include "shell/cchildframe.h"
#include "shell/ccomparewnd.h"
#include "shell/ccontrolbarbackground.h"
#include "shell/cdialogfilechooser.h"
#include "shell/cdocmanager.h"
#include "shell/cdrawingpdf.h"
#include "shell/cdrawingprintjob.h"
#include "shell/cdroppedfiles.h"
#include "shell/ciconfactory.h"
#include "shell/clinkpanel.h"
#include "shell/cmenumodel.h"
#include "shell/cmodalguard.h"
#include "shell/controls/cclosewhilelineinuse.h"
#include "shell/cpreferencesdlg.h"
#include "shell/cprojectdatadlg.h"
#include "shell/cprotocolmonitorwnd.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/czoomstate.h"
#include "shell/ifilechooser.h"
#include "shell/shellcommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {
CMainFrame* g_mainFrame = nullptr;

QString ProjectFilter() { return CMainFrame::tr("Projects (*.sxm);;All files (*)"); }

}  // namespace

CMainFrame* AfxGetMainWnd() { return g_mainFrame; }

QWidget* AfxGetDialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return AfxGetMainWnd();
}

CMainFrame::CMainFrame(IFileChooser* fileChooser, QWidget* parent)
    : QMainWindow(parent), m_fileChooser(fileChooser), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("MainFrame"));
  if (!m_fileChooser) {
    m_ownChooser = std::make_unique<CDialogFileChooser>([this] {
      const CSelvantisDoc* doc = GetActiveDocument();
      return doc ? doc->GetPathName() : QString();
    });
    m_fileChooser = m_ownChooser.get();
  }
  g_mainFrame = this;
  setWindowIcon(CIconFactory::AppIcon());
  setAcceptDrops(true);
  // The drawing prints wide: landscape is the default of every print-out.
  m_printer->setPageOrientation(QPageLayout::Landscape);

  m_recent.Load();
  m_docs = std::make_unique<CDocManager>(*this, m_recent);

  m_mdi = new QMdiArea(this);
  m_mdi->setObjectName(QStringLiteral("MdiArea"));
  m_mdi->setBackground(QColor(96, 110, 130));
  m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_mdi);
  connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

  m_link = new CLinkPanel(*this, this);
  // The guard notices every transfer's start and end, whoever runs it.
  m_guard = new CModalGuard(this);
  connect(&CTransferNotifier::Instance(), &CTransferNotifier::lineUseChanged, this, [this] { UpdateCommandUI(); });
  connect(m_guard, &CModalGuard::refused, this, [this](const QString& text) { statusBar()->showMessage(text, 8000); });
  m_lineUse = new CCloseWhileLineInUse(*this, StopQuestionText(), [this] { close(); });
  connect(m_lineUse, &CCloseWhileLineInUse::stopping, this, [this] {
    statusBar()->showMessage(tr("Stopping the transfer; the program closes when the unit has its closing lines."));
  });
  connect(m_lineUse, &CCloseWhileLineInUse::refused, this,
          [this](const QString& text) { statusBar()->showMessage(text, 8000); });
  connect(m_link, &CLinkPanel::connectionChanged, this, [this]() {
    UpdateConnectionPane();
    UpdateCommandUI();
  });
  connect(m_link, &CLinkPanel::reconnectingChanged, this, [this]() { UpdateCommandUI(); });
  connect(m_link, &CLinkPanel::statusMessage, this,
          [this](const QString& text) { statusBar()->showMessage(text, 8000); });
  connect(m_link, &CLinkPanel::lineHeld, this,
          [this](bool held, const QString& text) { statusBar()->showMessage(text, held ? 0 : 8000); });

  CreateActions();
  CreateMenus();
  CreateToolBars();
  CreateStatusBar();
  addDockWidget(Qt::BottomDockWidgetArea, m_link->MonitorWindow());
  m_link->MonitorWindow()->hide();
  connect(m_link->MonitorWindow(), &QWidget::windowTitleChanged, this, [this]() { UpdateCommandUI(); });
  RetranslateUi();
  resize(1280, 860);
  UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
  // The link closes the connection as it goes, after this frame's part.
  disconnect(&CTransferNotifier::Instance(), nullptr, this, nullptr);
  // Child frames and views go while the frame is still whole.
  m_docs->CloseAll();
  if (g_mainFrame == this) g_mainFrame = nullptr;
}

// ---- Construction ----------------------------------------------------------------------

void CMainFrame::CreateActions() {
  for (const ShellMenu& menu : CMenuModel::MainMenus()) {
    for (const ShellMenuItem& item : menu.items) {
      if (item.kind != ShellMenuItem::Kind::Command) continue;
      auto* action = new QAction(this);
      action->setData(item.command);
      action->setObjectName(QStringLiteral("action%1").arg(item.command));
      if (item.icon) action->setIcon(CIconFactory::Icon(QString::fromLatin1(item.icon)));
      if (item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
      action->setCheckable(item.checkable);
      const int id = item.command;
      connect(action, &QAction::triggered, this, [this, id]() { OnCommand(id); });
      m_actions[id] = action;
    }
  }
  // Delete and Escape belong to the drawing view while it has the focus.
  for (int id : {ShellCmd::kEditDelete, ShellCmd::kEditSelectNone})
    if (QAction* a = Action(id)) a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  for (int i = 0; i < CRecentFileList::kSize; ++i) {
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
    const int id = ShellCmd::kFileMru1 + i;
    connect(action, &QAction::triggered, this, [this, id]() { OnCommand(id); });
    m_recentActions.push_back(action);
  }
}

void CMainFrame::CreateMenus() {
  for (const ShellMenu& menu : CMenuModel::MainMenus()) {
    QMenu* qmenu = menuBar()->addMenu(QString());
    m_menus.push_back(qmenu);
    connect(qmenu, &QMenu::aboutToShow, this, [this]() { UpdateCommandUI(); });
    for (const ShellMenuItem& item : menu.items) {
      switch (item.kind) {
        case ShellMenuItem::Kind::Command: qmenu->addAction(Action(item.command)); break;
        case ShellMenuItem::Kind::Separator: qmenu->addSeparator(); break;
        case ShellMenuItem::Kind::RecentFiles:
          for (QAction* a : m_recentActions) qmenu->addAction(a);
          break;
        case ShellMenuItem::Kind::WindowList:
          m_windowMenu = qmenu;
          connect(qmenu, &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);
          break;
        case ShellMenuItem::Kind::PlaceObjects:
          m_placeMenu = qmenu->addMenu(CIconFactory::Icon(QStringLiteral("new")), QString());
          m_placeMenu->setObjectName(QStringLiteral("PlaceMenu"));
          connect(m_placeMenu, &QMenu::aboutToShow, this, &CMainFrame::FillPlaceMenu);
          break;
      }
    }
  }
}

void CMainFrame::CreateToolBars() {
  m_barBackground = new CControlBarBackground(*m_bitmaps.GetBitmap(CBitmapManager::kBarBitmap), this);
  m_standardBar = addToolBar(QString());
  m_standardBar->setObjectName(QStringLiteral("StandardBar"));
  m_standardBar->setIconSize(QSize(24, 24));
  for (int id : CMenuModel::StandardToolbar()) {
    if (id == 0)
      m_standardBar->addSeparator();
    else
      m_standardBar->addAction(Action(id));
  }
  m_zoomBar = addToolBar(QString());
  m_zoomBar->setObjectName(QStringLiteral("ZoomBar"));
  m_zoomBar->setIconSize(QSize(24, 24));
  for (int id : CMenuModel::ZoomToolbar()) m_zoomBar->addAction(Action(id));
  m_zoomCombo = new QComboBox(m_zoomBar);
  m_zoomCombo->setObjectName(QStringLiteral("ZoomCombo"));
  int count = 0;
  const int* ladder = CZoomState::Ladder(&count);
  for (int i = 0; i < count; ++i) m_zoomCombo->addItem(QStringLiteral("%1 %").arg(ladder[i]), ladder[i]);
  m_zoomCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  // Any percentage of the range can be typed, besides the ladder's steps.
  m_zoomCombo->setEditable(true);
  m_zoomCombo->setInsertPolicy(QComboBox::NoInsert);
  connect(m_zoomCombo, &QComboBox::activated, this, [this](int index) {
    if (CSelvantisView* view = GetActiveView()) view->SetZoomPercent(m_zoomCombo->itemData(index).toInt());
  });
  connect(m_zoomCombo->lineEdit(), &QLineEdit::returnPressed, this, &CMainFrame::ApplyTypedZoom);
  connect(m_zoomCombo->lineEdit(), &QLineEdit::editingFinished, this, &CMainFrame::ApplyTypedZoom);
  m_zoomBar->addWidget(m_zoomCombo);
  m_barBackground->Attach(m_standardBar);
  m_barBackground->Attach(m_zoomBar);
  connect(m_standardBar, &QToolBar::visibilityChanged, this, [this]() { UpdateCommandUI(); });
  connect(m_zoomBar, &QToolBar::visibilityChanged, this, [this]() { UpdateCommandUI(); });
}

void CMainFrame::CreateStatusBar() {
  m_zoomPane = new QLabel(this);
  m_zoomPane->setObjectName(QStringLiteral("ZoomPane"));
  m_zoomPane->setMinimumWidth(60);
  m_zoomPane->setAlignment(Qt::AlignCenter);
  m_connectionPane = new QLabel(this);
  m_connectionPane->setObjectName(QStringLiteral("ConnectionPane"));
  m_connectionPane->setMinimumWidth(140);
  m_connectionPane->setAlignment(Qt::AlignCenter);
  statusBar()->addPermanentWidget(m_zoomPane);
  statusBar()->addPermanentWidget(m_connectionPane);
}

void CMainFrame::UpdateWindowTitle() {
  // The window system adds the program's name (the application's display
  // name). A maximised project window names its project in the main
  // window's title itself (Qt writes "<main title> - [<project>]", or the
  // project alone under an empty main title); side by side, each project
  // window shows its own name. So the main window's own title stays empty
  // and the project is named once.
  CSelvantisDoc* doc = GetActiveDocument();
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  if (doc && active && active->isMaximized()) {
    if (!windowTitle().contains(doc->GetDisplayTitle())) setWindowTitle(doc->GetDisplayTitle());
    return;
  }
  setWindowTitle(QString());
}

void CMainFrame::RetranslateUi() {
  UpdateWindowTitle();
  const std::vector<ShellMenu>& menus = CMenuModel::MainMenus();
  for (size_t i = 0; i < menus.size() && i < m_menus.size(); ++i) {
    m_menus[i]->setTitle(tr(menus[i].title));
    for (const ShellMenuItem& item : menus[i].items) {
      if (item.kind != ShellMenuItem::Kind::Command) continue;
      QAction* action = Action(item.command);
      action->setText(tr(item.text));
      action->setToolTip(CMenuModel::ToolTip(item.command));
      action->setStatusTip(CMenuModel::ToolTip(item.command));
    }
  }
  if (m_placeMenu) m_placeMenu->setTitle(tr("&Place new object"));
  m_standardBar->setWindowTitle(tr("Standard"));
  m_zoomBar->setWindowTitle(tr("Zoom"));
  m_zoomCombo->setToolTip(tr("Zoom"));
  FillRecentFileActions();
  UpdateConnectionPane();
  UpdateZoomControls();
}

// ---- State ---------------------------------------------------------------------------------

CChildFrame* CMainFrame::GetActiveChild() const {
  QMdiSubWindow* window = m_mdi->activeSubWindow();
  if (!window) window = m_mdi->currentSubWindow();
  return qobject_cast<CChildFrame*>(window);
}

CSelvantisDoc* CMainFrame::GetActiveDocument() const {
  CChildFrame* child = GetActiveChild();
  return child ? &child->GetDocument() : nullptr;
}

CSelvantisView* CMainFrame::GetActiveView() const {
  CChildFrame* child = GetActiveChild();
  return child ? child->GetView() : nullptr;
}

CChildFrame* CMainFrame::FindChild(const CSelvantisDoc* doc) const {
  for (QMdiSubWindow* window : m_mdi->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child && &child->GetDocument() == doc) return child;
  }
  return nullptr;
}

QAction* CMainFrame::Action(int id) const {
  auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

FrameState CMainFrame::CurrentState() const {
  FrameState s;
  CSelvantisDoc* doc = GetActiveDocument();
  CSelvantisView* view = GetActiveView();
  s.hasDocument = doc != nullptr;
  s.documentModified = doc && doc->IsModified();
  s.connected = m_link->IsConnected();
  // Whoever uses the line (a transfer, or Disconnect's closing) may still
  // use what these commands would replace.
  s.transferRunning = IsLineInUse();
  s.modalWindowsAllowed = CModalGuard::MayOpen();
  s.reconnecting = m_link->IsReconnecting();
  if (view) {
    s.hasSelection = view->GetCurrentObject() != nullptr;
    s.currentObjectDeletable = view->Controller().IsCommandEnabled(ID_DELETE_OBJECT);
    s.currentObjectHasProperties = view->GetCurrentObject() != nullptr;
    s.canZoomIn = view->CanZoomIn();
    s.canZoomOut = view->CanZoomOut();
  }
  s.toolbarVisible = m_standardBar && !m_standardBar->isHidden();
  s.zoomBarVisible = m_zoomBar && !m_zoomBar->isHidden();
  s.statusBarVisible = !statusBar()->isHidden();
  s.monitorVisible = !m_link->MonitorWindow()->isHidden();
  s.hasErrorFile = doc && CLinkPanel::HasErrorFile(*doc);
  s.childWindowCount = m_mdi->subWindowList().size();
  return s;
}

void CMainFrame::UpdateCommandUI() {
  const FrameState state = CurrentState();
  for (auto& [id, action] : m_actions) {
    action->setEnabled(CFrameCommandState::IsEnabled(id, state));
    if (action->isCheckable()) action->setChecked(CFrameCommandState::IsChecked(id, state));
  }
  for (int i = 0; i < static_cast<int>(m_recentActions.size()); ++i)
    m_recentActions[static_cast<size_t>(i)]->setEnabled(CFrameCommandState::IsEnabled(ShellCmd::kFileMru1 + i, state));
  m_zoomCombo->setEnabled(state.hasDocument);
}

bool CMainFrame::IsCommandEnabled(int id) {
  if (CFrameCommandState::OpensModalWindow(id) && !CModalGuard::MayOpen()) return false;
  if (IsObjectCommand(id)) {
    CSelvantisView* view = GetActiveView();
    return view && view->Controller().IsCommandEnabled(id);
  }
  if (id >= ShellCmd::kFileMru1 && id <= ShellCmd::kFileMruLast && id - ShellCmd::kFileMru1 >= m_recent.Count())
    return false;
  return CFrameCommandState::IsEnabled(id, CurrentState());
}

// ---- Commands ------------------------------------------------------------------------------

bool CMainFrame::OnCommand(int id) {
  using namespace ShellCmd;
  if (!IsCommandEnabled(id)) {
    // A command whose state had not caught up with a transfer that started
    // elsewhere says why it does nothing.
    if (CFrameCommandState::OpensModalWindow(id)) m_guard->Ask();
    UpdateCommandUI();
    return false;
  }
  if (IsObjectCommand(id)) {
    CSelvantisView* view = GetActiveView();
    const bool handled = view && view->ExecuteObjectCommand(id);
    UpdateCommandUI();
    return handled;
  }
  CSelvantisDoc* doc = GetActiveDocument();
  CSelvantisView* view = GetActiveView();
  bool handled = true;
  if (id >= kFileMru1 && id <= kFileMruLast) {
    handled = m_docs->OpenRecentFile(id - kFileMru1) != nullptr;
  } else {
    switch (id) {
      case kFileNew: handled = m_docs->NewDocument() != nullptr; break;
      case kFileOpen: handled = m_docs->PromptAndOpen() != nullptr; break;
      case kFileClose: handled = doc && m_docs->CloseDocument(*doc); break;
      case kFileSave: handled = doc && m_docs->Save(*doc); break;
      case kFileSaveAs: handled = doc && m_docs->SaveAs(*doc); break;
      case kFilePrint: OnFilePrint(); break;
      case kFilePrintPreview: OnFilePrintPreview(); break;
      case kFilePrintSetup: OnFilePrintSetup(); break;
      case kFileExportPdf: OnFileExportPdf(); break;
      case kAppExit: close(); break;
      case kAppAbout: OnAppAbout(); break;
      case kEditDelete: handled = view && view->ExecuteObjectCommand(ID_DELETE_OBJECT); break;
      case kEditProperties:
        handled = view && view->GetCurrentObject() && view->GetCurrentObject()->ShowProperties();
        break;
      case kEditSelectNone:
        if (view) view->SetCurrentObject(nullptr);
        break;
      case kViewToolbar: m_standardBar->setVisible(m_standardBar->isHidden()); break;
      case kViewZoomBar: m_zoomBar->setVisible(m_zoomBar->isHidden()); break;
      case kViewStatusBar: statusBar()->setVisible(statusBar()->isHidden()); break;
      case kViewProtocolMonitor: m_link->MonitorWindow()->setVisible(m_link->MonitorWindow()->isHidden()); break;
      case kViewProject: OnViewProject(); break;
      case kViewPreferences: OnViewPreferences(); break;
      case kZoomIn:
        if (view) view->ZoomIn();
        break;
      case kZoomOut:
        if (view) view->ZoomOut();
        break;
      case kZoom100:
        if (view) view->SetZoomPercent(100);
        break;
      case kZoomFit:
        if (view) view->ZoomToFit();
        break;
      case kCommConnect: handled = m_link->Connect(doc); break;
      case kCommDisconnect: m_link->Disconnect(); break;
      case kCommDownload: handled = doc && m_link->Download(*doc); break;
      case kCommUpload: handled = doc && m_link->Upload(*doc); break;
      case kCommExport: handled = doc && OnCommExport(*doc); break;
      case kCommCompare: handled = doc && OnCommCompare(*doc); break;
      case kCommSendFile: {
        const QString path = m_fileChooser->OpenFileName(this, tr("Send command file"),
                                                         tr("Command files (*.txt *.TXT);;All files (*)"));
        handled = !path.isEmpty() && m_link->SendFile(path);
        break;
      }
      case kSaveVmxSettings: m_link->SaveVmxSettings(); break;
      case kCommShowErrorFile: handled = doc && m_link->ShowErrorFile(*doc); break;
      case kWindowCascade: m_mdi->cascadeSubWindows(); break;
      case kWindowTile: m_mdi->tileSubWindows(); break;
      default: handled = false; break;
    }
  }
  UpdateCommandUI();
  return handled;
}

// ---- Documents -------------------------------------------------------------------------------

QString CMainFrame::PromptOpenFileName() {
  return m_fileChooser->OpenFileName(this, tr("Open project"), ProjectFilter());
}

QString CMainFrame::PromptSaveFileName(const QString& proposed) {
  return m_fileChooser->SaveFileName(this, tr("Save project as"), proposed, ProjectFilter());
}

void CMainFrame::DocumentOpened(CSelvantisDoc& doc) {
  const bool maximise =
      m_mdi->subWindowList().isEmpty() || (m_mdi->activeSubWindow() && m_mdi->activeSubWindow()->isMaximized());
  auto* child = new CChildFrame(doc, m_bitmaps, [this](CSelvantisDoc& d) {
    if (m_docs->Contains(&d)) m_docs->CloseDocument(d);
  });
  child->setAttribute(Qt::WA_DeleteOnClose);
  connect(child, &CChildFrame::closeRefused, this,
          [this](const QString& text) { statusBar()->showMessage(text, 8000); });
  m_mdi->addSubWindow(child);
  connect(&doc, &CSelvantisDoc::modifiedChanged, this, [this]() {
    UpdateCommandUI();
    UpdateWindowTitle();
  });
  connect(&doc, &CSelvantisDoc::titleChanged, this, [this]() { UpdateWindowTitle(); });
  if (maximise)
    child->showMaximized();
  else
    child->show();
  m_mdi->setActiveSubWindow(child);
  OnSubWindowActivated(child);
}

void CMainFrame::ActivateDocument(CSelvantisDoc& doc) {
  if (CChildFrame* child = FindChild(&doc)) m_mdi->setActiveSubWindow(child);
}

void CMainFrame::DocumentClosing(CSelvantisDoc& doc) {
  if (GetActiveDoc() == &doc) SetActiveDoc(nullptr);
  m_link->DocumentClosing(doc);
  // Qt hands the maximised state on only between windows that both stay:
  // the window that takes over from a maximised one is maximised here.
  const bool maximised = m_mdi->activeSubWindow() && m_mdi->activeSubWindow()->isMaximized();
  while (CChildFrame* child = FindChild(&doc)) {
    m_mdi->removeSubWindow(child);
    delete child;
  }
  const QList<QMdiSubWindow*> left = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
  if (maximised && !left.isEmpty()) {
    QMdiSubWindow* next = m_mdi->activeSubWindow() ? m_mdi->activeSubWindow() : left.last();
    next->showMaximized();
    m_mdi->setActiveSubWindow(next);
  }
  OnSubWindowActivated(m_mdi->activeSubWindow());
}

void CMainFrame::RecentFilesChanged() { FillRecentFileActions(); }

void CMainFrame::FillRecentFileActions() {
  const QString currentDir = QDir::currentPath();
  for (int i = 0; i < static_cast<int>(m_recentActions.size()); ++i) {
    QAction* action = m_recentActions[static_cast<size_t>(i)];
    action->setVisible(i < m_recent.Count());
    action->setText(m_recent.MenuText(i, currentDir));
    action->setStatusTip(QDir::toNativeSeparators(m_recent.At(i)));
  }
}

void CMainFrame::FillWindowMenu() {
  for (QAction* a : m_windowActions) {
    m_windowMenu->removeAction(a);
    delete a;
  }
  m_windowActions.clear();
  const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows.at(i);
    QAction* action = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle()));
    action->setCheckable(true);
    action->setChecked(window == m_mdi->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, window]() { m_mdi->setActiveSubWindow(window); });
    m_windowActions.push_back(action);
  }
}

void CMainFrame::FillPlaceMenu() {
  m_placeMenu->clear();
  CSelvantisView* view = GetActiveView();
  if (!view) {
    m_placeMenu->addAction(tr("(no project open)"))->setEnabled(false);
    return;
  }
  view->FillPlaceMenu(m_placeMenu, view->DefaultPlacePoint());
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
  auto* child = qobject_cast<CChildFrame*>(window);
  CSelvantisView* view = child ? child->GetView() : nullptr;
  if (m_viewConnected != view) {
    if (m_viewConnected) disconnect(m_viewConnected, nullptr, this, nullptr);
    m_viewConnected = view;
    if (view) {
      connect(view, &CSelvantisView::currentObjectChanged, this, &CMainFrame::OnCurrentObjectChanged);
      connect(view, &CSelvantisView::zoomChanged, this, &CMainFrame::UpdateZoomControls);
      connect(view, &CSelvantisView::commandRequested, this, [this](int id) { OnCommand(id); });
      connect(view, &CSelvantisView::hint, this, [this](const QString& text) { statusBar()->showMessage(text, 8000); });
    }
  }
  // A window being torn down while the area activates the next one has no
  // document any more; the active document must not point into it.
  CSelvantisDoc* doc = child && m_docs->Contains(&child->GetDocument()) ? &child->GetDocument() : nullptr;
  if (doc || !window) {
    SetActiveDoc(doc);
    m_link->SetActiveDocument(doc);
  }
  UpdateZoomControls();
  UpdateCommandUI();
  UpdateWindowTitle();
  emit activeDocumentChanged(doc);
}

void CMainFrame::OnCurrentObjectChanged() { UpdateCommandUI(); }

void CMainFrame::UpdateZoomControls() {
  CSelvantisView* view = GetActiveView();
  const int percent = view ? view->ZoomPercent() : 100;
  m_zoomPane->setText(view ? QStringLiteral("%1 %").arg(percent) : QString());
  const QSignalBlocker block(m_zoomCombo);
  int index = m_zoomCombo->findData(percent);
  // A zoom between the ladder's steps (fitted or typed) shows as text.
  m_zoomCombo->setPlaceholderText(QStringLiteral("%1 %").arg(percent));
  m_zoomCombo->setCurrentIndex(index);
  m_zoomCombo->setEditText(QStringLiteral("%1 %").arg(percent));
  UpdateCommandUI();
}

void CMainFrame::ApplyTypedZoom() {
  CSelvantisView* view = GetActiveView();
  int percent = 0;
  if (view && CZoomState::ParsePercent(m_zoomCombo->currentText(), &percent) && percent != view->ZoomPercent())
    view->SetZoomPercent(percent);
  else
    UpdateZoomControls();
}

void CMainFrame::UpdateConnectionPane() {
  const bool connected = m_link->IsConnected();
  m_connectionPane->setText(connected ? tr("Connected") : tr("Not connected"));
  m_connectionPane->setStyleSheet(connected ? QStringLiteral("color: #0a7a2a; font-weight: bold;") : QString());
  m_connectionPane->setToolTip(m_link->ConnectionDescription());
}

void CMainFrame::OpenDroppedFiles(const QStringList& paths) {
  const CDroppedFiles files(paths);
  for (const QString& path : files.Projects()) m_docs->OpenDocumentFile(path);
  for (const QString& path : files.CommandFiles()) {
    if (!m_link->IsConnected()) {
      AfxMessageBox(
          tr("The command file \"%1\" cannot be sent: the unit is not connected.").arg(QDir::toNativeSeparators(path)),
          MB_OK | MB_ICONEXCLAMATION);
      continue;
    }
    m_link->SendFile(path);
  }
}

// ---- Link services ---------------------------------------------------------------------------

void CMainFrame::SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) {
  m_link->Device().SendDeviceCommand(command, doc, bShorten);
}

QString CMainFrame::SendQuery(const QString& command) { return m_link->Device().SendQuery(command); }

qint64 CMainFrame::GetTimeSinceLastOutput() const { return m_link->Device().GetTimeSinceLastOutput(); }

// ---- Printing and dialogs --------------------------------------------------------------------

void CMainFrame::OnFilePrint() {
  CSelvantisDoc* doc = GetActiveDocument();
  if (!doc) return;
  QPrintDialog dialog(m_printer.get(), this);
  dialog.setWindowTitle(tr("Print drawing"));
  if (dialog.exec() != QDialog::Accepted) return;
  CDrawingPrintJob job(*doc, m_bitmaps);
  QString error;
  if (!job.Print(*m_printer, &error)) AfxMessageBox(error, MB_OK | MB_ICONSTOP);
}

void CMainFrame::OnFilePrintPreview() {
  CSelvantisDoc* doc = GetActiveDocument();
  if (!doc) return;
  QPrintPreviewDialog preview(m_printer.get(), this);
  preview.setWindowTitle(tr("Print preview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, doc](QPrinter* printer) {
    if (!m_docs->Contains(doc)) return;
    CDrawingPrintJob job(*doc, m_bitmaps);
    job.Print(*printer);
  });
  preview.resize(size() * 4 / 5);
  preview.exec();
}

void CMainFrame::OnFilePrintSetup() {
  QPageSetupDialog dialog(m_printer.get(), this);
  dialog.exec();
}

bool CMainFrame::ExportPdf(const QString& path) {
  CSelvantisDoc* doc = GetActiveDocument();
  if (!doc || path.isEmpty()) return false;
  QString error;
  if (!CDrawingPdf::Write(*doc, m_bitmaps, m_printer->pageLayout(), path, &error)) {
    AfxMessageBox(tr("The drawing cannot be written to \"%1\":\n%2").arg(QDir::toNativeSeparators(path), error),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  return true;
}

void CMainFrame::OnFileExportPdf() {
  CSelvantisDoc* doc = GetActiveDocument();
  if (!doc) return;
  const QString path = m_fileChooser->SaveFileName(this, tr("Export drawing as PDF"), CDrawingPdf::ProposedPath(*doc),
                                                   tr("PDF files (*.pdf)"));
  if (!path.isEmpty())
    ExportPdf(path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".pdf"));
}

bool CMainFrame::OnCommExport(CSelvantisDoc& doc) {
  QString proposed = CCommandFile::PathFor(doc.GetPathName());
  if (proposed.isEmpty())
    proposed =
        CDocManager::ProposedPath(doc).replace(QRegularExpression(QStringLiteral("\\.sxm$")), QStringLiteral(".txt"));
  const QString path = m_fileChooser->SaveFileName(this, tr("Export parameters"), proposed,
                                                   tr("Command files (*.txt *.TXT);;All files (*)"));
  return !path.isEmpty() && m_link->Export(doc, path);
}

bool CMainFrame::OnCommCompare(CSelvantisDoc& doc) {
  // Events run while the unit is read: the title is taken now.
  const QString title = doc.GetTitle();
  const QPointer<CSelvantisDoc> project(&doc);
  CCompareReport report;
  if (!m_link->Compare(doc, &report)) return false;
  // The user stopped the compare to close the project (or the program):
  // its differences are of no use any more.
  const CChildFrame* child = project ? FindChild(project) : nullptr;
  if (!child || child->ClosesAfterTransfer() || ClosesAfterTransfer()) return false;
  // A stop with nothing found is one message; rows read before a stop are
  // shown, under the line that says there is no verdict.
  if (report.IsStopped() && report.Rows().empty()) {
    AfxMessageBox(report.Summary(), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  auto* window = new CCompareWnd(report, title, m_fileChooser, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return true;
}

void CMainFrame::OnViewProject() {
  CSelvantisDoc* doc = GetActiveDocument();
  if (!doc) return;
  CProjectDataDlg dialog(*doc, this);
  dialog.exec();
}

void CMainFrame::OnViewPreferences() {
  CPreferencesDlg dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (dialog.Changes().language) CSelvantisApp::ApplyLanguage(dialog.State().Language());
}

void CMainFrame::OnAppAbout() {
  CAboutDlg dialog(this);
  dialog.exec();
}

// ---- Events --------------------------------------------------------------------------------

QString CMainFrame::StopQuestionText() {
  return tr(
      "A transfer with the unit is running.\n\nStop it and close the program? The unit gets its closing lines "
      "first.");
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (CModalGuard::IsEnding()) {
    // Ended by a signal: the unsaved changes are in recovery copies
    // already, and nobody is there to answer.
    if (QMessageBox* question = m_lineUse->Question()) question->close();
    m_docs->CloseAll();
    event->accept();
    return;
  }
  if (!m_lineUse->MayClose()) {
    event->ignore();
    return;
  }
  if (!m_docs->SaveAllModified()) {
    event->ignore();
    return;
  }
  if (m_link->IsConnected()) m_link->Disconnect();
  m_docs->CloseAll();
  event->accept();
}

QMessageBox* CMainFrame::StopQuestion() const { return m_lineUse->Question(); }

bool CMainFrame::ClosesAfterTransfer() const { return m_lineUse->ClosesWhenFree(); }

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && CModalGuard::MayOpen()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  // What is dropped opens projects or sends command files: not while a
  // transfer has the line.
  if (!m_guard->Ask()) return;
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.append(CDroppedFiles::LocalName(url));
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  OpenDroppedFiles(paths);
}

void CMainFrame::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) RetranslateUi();
  QMainWindow::changeEvent(event);
}
