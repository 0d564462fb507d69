#include "shell/cselvantisapp.h"
#include "link/csignalwatch.h"
#include "shell/clinkpanel.h"

#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/csystemerror.h"
#include "shell/cdocmanager.h"
#include "shell/ciconfactory.h"
#include "shell/clanguageswitcher.h"
#include "shell/cmainframe.h"
#include "shell/cmessageboxsink.h"
#include "shell/controls/ctextfitguard.h"
#include "shell/crecentfilelist.h"
#include "shell/cshellsettings.h"
#include "shell/cstartupplan.h"

#include <QApplication>

namespace {
CSelvantisApp* g_app = nullptr;
}  // namespace

CSelvantisApp::CSelvantisApp(IFileChooser* fileChooser, QObject* parent)
    : QObject(parent), m_fileChooser(fileChooser), m_languages(std::make_unique<CLanguageSwitcher>()) {
  g_app = this;
  CSystemError::IgnoreFileSizeSignal();
}

CSelvantisApp::~CSelvantisApp() {
  m_frame.reset();
  if (g_app == this) g_app = nullptr;
}

CSelvantisApp* CSelvantisApp::Instance() { return g_app; }

void CSelvantisApp::SetupApplicationNames() {
  QCoreApplication::setOrganizationName(QString::fromLatin1(CProfile::kCompany));
  QCoreApplication::setApplicationName(QString::fromLatin1(CProfile::kApplication));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Selvantis"));
  QGuiApplication::setDesktopFileName(QStringLiteral("selvantis"));
  QGuiApplication::setWindowIcon(CIconFactory::AppIcon());
}

void CSelvantisApp::ApplyLanguage(CStringTable::Language language) {
  if (g_app)
    g_app->m_languages->Apply(language);
  else
    CStringTable::SetLanguage(language);
}

bool CSelvantisApp::InitInstance(const QStringList& args) {
  CTextFitGuard::Install();
  // A profile the program cannot read is put aside before anything reads it.
  const std::optional<CProfile::SetAside> setAside = CProfile::SetAsideUnreadableFile();
  m_languages->Apply(CShellSettings::GetLanguage());
  if (setAside) AfxMessageBox(CProfile::SetAsideMessage(*setAside), MB_OK | MB_ICONEXCLAMATION);
  m_frame = std::make_unique<CMainFrame>(m_fileChooser);
  // The window is up before projects open, so that a reopened project's
  // window fills the work area as a new one does.
  m_frame->showMaximized();

  const CStartupPlan plan =
      CStartupPlan::Make(args, CShellSettings::GetStartupAction(), m_frame->RecentFiles().Files());
  CDocManager& docs = m_frame->DocManager();
  switch (plan.GetAction()) {
    case CStartupPlan::Action::NewDocument: docs.NewDocument(); break;
    case CStartupPlan::Action::OpenFiles:
      for (const QString& file : plan.Files()) docs.OpenDocumentFile(file);
      break;
    case CStartupPlan::Action::ReopenLast: docs.OpenRecentFile(0); break;
    case CStartupPlan::Action::Nothing: break;
  }
  m_frame->UpdateCommandUI();
  return true;
}

int CSelvantisApp::Run(const QStringList& args) {
  SetupApplicationNames();
  CMessageBoxSink sink;
  IMessageSink* previous = CMessageSink::Install(&sink);
  int result = 1;
  // SIGINT, SIGTERM, SIGHUP (a desktop's logout, a closed terminal): the
  // transfer stops, the unit is left unlocked and protected, the window
  // closes as by the user (asking about unsaved projects).
  CSignalWatch watch;
  connect(&watch, &CSignalWatch::signalled, this, [this](int) {
    if (m_frame) m_frame->Link().StopForSignal();
  });
  if (InitInstance(args)) {
    connect(&m_frame->Link(), &CLinkPanel::stoppedForSignal, m_frame.get(), &QWidget::close, Qt::QueuedConnection);
    result = QApplication::exec();
  }
  m_frame.reset();
  CMessageSink::Install(previous);
  return result;
}
