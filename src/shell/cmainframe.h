#ifndef SELV_SHELL_CMAINFRAME_H
#define SELV_SHELL_CMAINFRAME_H

#include "shell/cbitmapmanager.h"
#include "shell/cframecommandstate.h"
#include "shell/crecentfilelist.h"
#include "shell/idocmanagerhost.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

class CBaseDevice;
class CChildFrame;
class CCloseWhileLineInUse;
class CControlBarBackground;
class CDocManager;
class CLinkPanel;
class CModalGuard;
class CSelvantisDoc;
class CSelvantisView;
class IFileChooser;
class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMessageBox;
class QPrinter;
class QToolBar;

// The application's main window: menus, the standard and zoom tool bars,
// the status bar with the connection pane, the MDI area with one child
// frame per open project, the shared bitmaps and printer, and the link to
// the unit with its protocol monitor. Commands arrive by id (OnCommand), from
// the menus, the tool bars and the rest of the program alike.
class CMainFrame final : public QMainWindow, public IDocManagerHost {
  Q_OBJECT
 public:
  // fileChooser: where file names come from (null: the system's dialogs);
  // the frame does not own it.
  explicit CMainFrame(IFileChooser* fileChooser = nullptr, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // ---- Services --------------------------------------------------------------------
  CDocManager& DocManager() noexcept { return *m_docs; }
  CRecentFileList& RecentFiles() noexcept { return m_recent; }
  CBitmapManager& BitmapManager() noexcept { return m_bitmaps; }
  QPrinter& Printer() noexcept { return *m_printer; }
  CLinkPanel& Link() noexcept { return *m_link; }
  CModalGuard& ModalGuard() noexcept { return *m_guard; }
  QMdiArea* MdiArea() const noexcept { return m_mdi; }
  QToolBar* StandardBar() const noexcept { return m_standardBar; }
  QToolBar* ZoomBar() const noexcept { return m_zoomBar; }
  QLabel* ConnectionPane() const noexcept { return m_connectionPane; }

  CSelvantisDoc* GetActiveDocument() const;
  CChildFrame* GetActiveChild() const;
  CSelvantisView* GetActiveView() const;
  CChildFrame* FindChild(const CSelvantisDoc* doc) const;

  // ---- Commands ---------------------------------------------------------------------
  // Runs a command as the menus do; false when it is disabled or unknown.
  bool OnCommand(int id);
  bool IsCommandEnabled(int id);
  QAction* Action(int id) const;
  // Recomputes which commands are enabled and checked.
  void UpdateCommandUI();
  FrameState CurrentState() const;

  // Opens the project files and sends the command files among paths, as a
  // drop on the window does.
  void OpenDroppedFiles(const QStringList& paths);

  // ---- Link services of the rest of the program ---------------------------------------
  void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten);
  QString SendQuery(const QString& command);
  qint64 GetTimeSinceLastOutput() const;

  // ---- IDocManagerHost -------------------------------------------------------------------
  QString PromptOpenFileName() override;
  QString PromptSaveFileName(const QString& proposed) override;
  void DocumentOpened(CSelvantisDoc& doc) override;
  void ActivateDocument(CSelvantisDoc& doc) override;
  void DocumentClosing(CSelvantisDoc& doc) override;
  void RecentFilesChanged() override;

  // Prints the active document to a PDF file; false with a message shown
  // when it fails.
  bool ExportPdf(const QString& path);

  // The question shown when the window is closed during a transfer, while
  // it is open (null otherwise).
  QMessageBox* StopQuestion() const;
  // Whether the window closes once the running transfer has ended.
  bool ClosesAfterTransfer() const;
  // What the window asks when it is closed during a transfer.
  static QString StopQuestionText();

 signals:
  void activeDocumentChanged(CSelvantisDoc* doc);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void CreateStatusBar();
  void RetranslateUi();
  void FillRecentFileActions();
  void FillWindowMenu();
  void FillPlaceMenu();
  void OnSubWindowActivated(QMdiSubWindow* window);
  void OnCurrentObjectChanged();
  void UpdateZoomControls();
  // Takes the percentage typed into the zoom box; a text that is no number
  // gives the box back its current zoom.
  void ApplyTypedZoom();
  void UpdateConnectionPane();
  void UpdateWindowTitle();

  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFilePrintSetup();
  void OnFileExportPdf();
  bool OnCommExport(CSelvantisDoc& doc);
  // Compares the project with the unit and shows the differences window
  // (or, when the comparison stopped, how far it came).
  bool OnCommCompare(CSelvantisDoc& doc);
  void OnViewProject();
  void OnViewPreferences();
  void OnAppAbout();

  IFileChooser* m_fileChooser;
  std::unique_ptr<IFileChooser> m_ownChooser;
  CBitmapManager m_bitmaps;
  CRecentFileList m_recent;
  std::unique_ptr<CDocManager> m_docs;
  std::unique_ptr<QPrinter> m_printer;
  CLinkPanel* m_link = nullptr;
  CModalGuard* m_guard = nullptr;
  // Closing during a transfer asks, without holding the transfer, whether
  // to stop it; Yes cancels it and the window closes once it has ended
  // (with its closing lines). During Disconnect's closing it is refused.
  CCloseWhileLineInUse* m_lineUse = nullptr;
  QMdiArea* m_mdi = nullptr;
  QToolBar* m_standardBar = nullptr;
  QToolBar* m_zoomBar = nullptr;
  QComboBox* m_zoomCombo = nullptr;
  QLabel* m_connectionPane = nullptr;
  QLabel* m_zoomPane = nullptr;
  CControlBarBackground* m_barBackground = nullptr;
  std::map<int, QAction*> m_actions;
  std::vector<QMenu*> m_menus;
  std::vector<QAction*> m_recentActions;
  QMenu* m_windowMenu = nullptr;
  QMenu* m_placeMenu = nullptr;
  std::vector<QAction*> m_windowActions;
  QPointer<CSelvantisView> m_viewConnected;
};

// The application's main window, or null.
CMainFrame* AfxGetMainWnd();
// The window a dialog opened from an object's command belongs to: the open
// modal dialog, else the active window, else the main window (may be null).
QWidget* AfxGetDialogParent();

#endif
