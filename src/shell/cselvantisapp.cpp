#include "shell/cselvantisapp.h"
#include "link/csignalwatch.h"

#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/csystemerror.h"
#include "shell/cdocmanager.h"
#include "shell/ciconfactory.h"
#include "shell/clanguageswitcher.h"
#include "shell/cmainframe.h"
#include "shell/cmessageboxsink.h"
#include "shell/controls/ctextfitguard.h"
#include "shell/cprogramending.h"
#include "shell/crecentfilelist.h"
#include "shell/crecoverystore.h"
#include "shell/cshellsettings.h"
#include "shell/cstartupplan.h"

#include <QApplication>
#include <QPointer>

namespace {
CSelvantisApp* g_app = nullptr;
}  // namespace

CSelvantisApp::CSelvantisApp(IFileChooser* fileChooser, QObject* parent)
    : QObject(parent),
      m_fileChooser(fileChooser),
      m_languages(std::make_unique<CLanguageSwitcher>()),
      m_recovery(std::make_unique<CRecoveryStore>()) {
  g_app = this;
  CSystemError::IgnoreFileSizeSignal();
}

CSelvantisApp::~CSelvantisApp() {
  m_ending.reset();
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
  m_ending = std::make_unique<CProgramEnding>(*m_frame, *m_recovery);
  // The window is up before projects open, so that a reopened project's
  // window fills the work area as a new one does.
  m_frame->showMaximized();
  // Before the start-up's files: a project the user gets back from its
  // recovery copy is not opened a second time from its file.
  const QPointer<CSelvantisDoc> restored = OfferRecoveryCopies();

  const CStartupPlan plan =
      CStartupPlan::Make(args, CShellSettings::GetStartupAction(), m_frame->RecentFiles().Files());
  CDocManager& docs = m_frame->DocManager();
  switch (plan.GetAction()) {
    case CStartupPlan::Action::NewDocument:
      // The restored project is the one to work on: no empty one beside it.
      if (!restored) docs.NewDocument();
      break;
    case CStartupPlan::Action::OpenFiles:
      for (const QString& file : plan.Files()) docs.OpenDocumentFile(file);
      break;
    case CStartupPlan::Action::ReopenLast: docs.OpenRecentFile(0); break;
    case CStartupPlan::Action::Nothing: break;
  }
  // The restored project in front, whatever else the start opened.
  if (restored) m_frame->ActivateDocument(*restored);
  m_frame->UpdateCommandUI();
  return true;
}

CSelvantisDoc* CSelvantisApp::OfferRecoveryCopies() {
  CSelvantisDoc* restored = nullptr;
  for (const CRecoveryStore::Entry& entry : m_recovery->Entries()) {
    // Where nobody can answer, the copy stays for the next start.
    const int answer =
        AfxMessageBox(CRecoveryStore::OfferText(entry), MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3);
    if (answer == IDNO) {
      CRecoveryStore::Discard(entry);
    } else if (answer == IDYES) {
      if (CSelvantisDoc* doc = m_frame->DocManager().OpenRecoveryCopy(entry.copy, entry.original, entry.title)) {
        m_recovery->Adopt(*doc, entry);
        restored = doc;
      }
    }
  }
  return restored;
}

int CSelvantisApp::Run(const QStringList& args) {
  SetupApplicationNames();
  CMessageBoxSink sink;
  IMessageSink* previous = CMessageSink::Install(&sink);
  int result = 1;
  // SIGINT, SIGTERM, SIGHUP (a kill, a desktop's logout, a closed
  // terminal): the program ends without waiting on anyone.
  CSignalWatch watch;
  connect(&watch, &CSignalWatch::signalled, this, [this](int signalNumber) {
    if (m_ending) m_ending->Begin(signalNumber);
  });
  // A signal during the start may have ended the program already.
  if (InitInstance(args) && !m_ending->IsFinished()) result = QApplication::exec();
  if (m_ending && m_ending->IsFinished()) result = 0;
  m_ending.reset();
  m_frame.reset();
  CMessageSink::Install(previous);
  return result;
}
