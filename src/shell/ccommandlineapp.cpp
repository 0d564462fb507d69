#include "shell/ccommandlineapp.h"

#include "link/ccommandline.h"
#include "model/cfilename.h"
#include "model/cprofile.h"
#include "model/csystemerror.h"
#include "shell/cbitmapmanager.h"
#include "shell/cdrawingpdf.h"
#include "shell/clanguageswitcher.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <unistd.h>

int CCommandLineApp::Run(const QStringList& args) {
  QCoreApplication::setOrganizationName(QString::fromLatin1(CProfile::kCompany));
  QCoreApplication::setApplicationName(QString::fromLatin1(CProfile::kApplication));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(CSelvantisApp::kVersion));
  // A write beyond the file-size limit fails with "File too large" as one on
  // a full disk does, instead of ending the program.
  CSystemError::IgnoreFileSizeSignal();
  // The standard outputs by their descriptors: every write reaches the
  // system at once and says when it fails (a full disk, /dev/full).
  QFile out;
  QFile err;
  out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
  err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
  CLanguageSwitcher languages;
  CCommandLine command(out, err, isatty(fileno(stderr)) != 0);
  command.SetLanguageHandler([&languages](std::optional<CStringTable::Language> language) {
    languages.Apply(language ? *language : CShellSettings::GetLanguage());
  });
  command.SetPrintHandler([](const CSelvantisDoc& doc, const QString& path, QString* error) {
    // Pictures need a graphical application (offscreen is enough).
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
    CBitmapManager bitmaps;
    return CDrawingPdf::Write(doc, bitmaps, CDrawingPdf::DefaultLayout(), path, error);
  });
  return command.Run(args);
}

QStringList CCommandLineApp::Arguments(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << CFileName::FromSystem(argv[i]);
  return args;
}
