#include "link/ccommandline.h"

#include "link/ccommandfile.h"
#include "link/ccommandinputs.h"
#include "link/ccommlink.h"
#include "link/cmscomm.h"
#include "link/cserialports.h"
#include "link/csignalwatch.h"
#include "link/cterminalprogress.h"
#include "link/ctransfer.h"
#include "link/cunitcompare.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "link/linkprofile.h"
#include "model/cfilename.h"
#include "model/clogroute.h"
#include "model/cmessagesink.h"
#include "model/coutputfile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/csystemerror.h"
#include "model/listtabexport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>

#include <sys/stat.h>

namespace {

// The options that take a value, and the ones that act.
const char* const kValueOptions[] = {"--export-commands", "--download",  "--upload",    "--compare",
                                     "--print",           "-o",          "--port",      "--baud",
                                     "--parity",          "--data-bits", "--stop-bits", "--language"};
const char* const kFlagOptions[] = {"--help", "--version", "--force", "--verbose", "--save"};

bool IsValueOption(const QString& name) {
  for (const char* option : kValueOptions)
    if (name == QLatin1String(option)) return true;
  return false;
}

bool IsFlagOption(const QString& name) {
  for (const char* option : kFlagOptions)
    if (name == QLatin1String(option)) return true;
  return false;
}

// "--baud=9600" names "--baud".
QString OptionName(const QString& arg) {
  const int equals = arg.indexOf(QLatin1Char('='));
  return arg.startsWith(QLatin1String("--")) && equals > 0 ? arg.left(equals) : arg;
}

std::optional<CStringTable::Language> LanguageNamed(const QString& text) {
  const QString name = text.trimmed().toLower();
  for (const char* german : {"de", "deutsch", "german"})
    if (name == QLatin1String(german)) return CStringTable::Language::German;
  for (const char* english : {"en", "englisch", "english"})
    if (name == QLatin1String(english)) return CStringTable::Language::English;
  return std::nullopt;
}

// Every message box of the program, as a line of the error output; nothing
// waits for a click: each box takes its default button.
class TerminalSink final : public IMessageSink {
 public:
  explicit TerminalSink(std::function<void(const QString&)> say) : m_say(std::move(say)) {
    m_previous = CMessageSink::Install(this);
  }
  ~TerminalSink() override { CMessageSink::Install(m_previous); }
  TerminalSink(const TerminalSink&) = delete;
  TerminalSink& operator=(const TerminalSink&) = delete;

  int Show(const MessageRequest& request) override {
    m_say(request.text);
    return CMessageSink::DefaultAnswer(request.style);
  }

 private:
  std::function<void(const QString&)> m_say;
  IMessageSink* m_previous;
};

// --port as given: a path, relative to the current folder where it is not
// absolute, or a bare device name, which names a device under /dev (as the
// system's port list names them).
QString PortAsGiven(const QString& given) {
  if (!given.contains(QLatin1Char('/'))) return QStringLiteral("/dev/") + given;
  return QDir::cleanPath(QDir::current().absoluteFilePath(given));
}

}  // namespace

CCommandLine::CCommandLine(QIODevice& out, QIODevice& err, bool errIsTerminal)
    : m_out(out), m_err(err), m_errIsTerminal(errIsTerminal) {}

CCommandLine::Mode CCommandLine::ModeOf(const QStringList& args) {
  // Qt's own options of the window ("-style fusion", "--platform xcb") open
  // the window as always; any other option is the command line's, an
  // unknown one included, so that it is reported rather than ignored.
  static const QStringList kQtOptions = {QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
                                         QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
                                         QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
                                         QStringLiteral("qwindowtitle"),    QStringLiteral("reverse"),
                                         QStringLiteral("session"),         QStringLiteral("style"),
                                         QStringLiteral("stylesheet"),      QStringLiteral("widgetcount"),
                                         QStringLiteral("display"),         QStringLiteral("geometry"),
                                         QStringLiteral("qmljsdebugger"),   QStringLiteral("nograb"),
                                         QStringLiteral("dograb"),          QStringLiteral("sync")};
  Mode mode = Mode::Window;
  for (const QString& arg : args) {
    const QString name = OptionName(arg);
    if (name == QLatin1String("--help") || name == QLatin1String("--version")) return Mode::Terminal;
    if (name == QLatin1String("--print")) mode = Mode::Offscreen;
    // The log comes with the window as with any command.
    if (name == QLatin1String("--verbose")) continue;
    const bool qtOption = kQtOptions.contains(QString(name).remove(QRegularExpression(QStringLiteral("^--?"))));
    if (mode == Mode::Window && (IsValueOption(name) || (name.startsWith(QLatin1String("--")) && !qtOption)))
      mode = Mode::Terminal;
  }
  return mode;
}

QString CCommandLine::HelpText() {
  // The window's rule, and which part of it holds now.
  bool stored = false;
  const QString rule = CSerialPorts::ProfilePort(&stored);
  const QString port = stored            ? tr("%1, the profile's port").arg(rule)
                       : !rule.isEmpty() ? tr("%1, the first port the system has").arg(rule)
                                         : tr("none: the system has no serial port");
  const QString settings =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kSettings),
                          QString::fromLatin1(LinkProfile::kDefaultSettings));
  return tr("Usage: selvantis [--verbose] [PROJECT.sxm ...]\n"
            "       selvantis --export-commands PROJECT [-o FILE]\n"
            "       selvantis --download PROJECT [--port DEVICE] [--save]\n"
            "       selvantis --upload PROJECT [--port DEVICE] -o NEWFILE [--force]\n"
            "       selvantis --compare PROJECT [--port DEVICE] [-o FILE]\n"
            "       selvantis --print PROJECT -o FILE.pdf\n"
            "\n"
            "Without options the program opens its window with the projects named.\n"
            "\n"
            "  --export-commands PROJECT  the project's download as command text\n"
            "  --download PROJECT         the whole project into the unit\n"
            "  --save                     with --download: the unit keeps the new settings\n"
            "                             (\"/SERVICE/START FASTSAVE\" after a confirmed download)\n"
            "  --upload PROJECT           the unit's settings into the new project file NEWFILE\n"
            "  --compare PROJECT          compare the project with the unit: the differences\n"
            "                             as tab-separated text, the verdict on the error output\n"
            "  --print PROJECT            the drawing and the object tables as a PDF file\n"
            "  -o FILE                    the file to write (without it: the standard output);\n"
            "                             never the unit's port nor a file the command reads,\n"
            "                             but --upload may save over its project (the old one\n"
            "                             becomes the backup). A file is replaced only when\n"
            "                             the new one is complete; a device or FIFO is written to\n"
            "  --force                    lets --upload replace an existing file other than\n"
            "                             the project\n"
            "  --port DEVICE              the unit's serial port; without it the profile's port,\n"
            "                             else the first the system has, USB adapters first\n"
            "                             (now %1)\n"
            "  --baud N, --parity none|even|odd|mark|space, --data-bits 5..8, --stop-bits 1|2\n"
            "                             the line settings (now %2)\n"
            "  --language de|en           the language of the messages (now the profile's)\n"
            "  --verbose                  also the program's log on the error output (the\n"
            "                             window's too)\n"
            "  --help                     this text\n"
            "  --version                  the program's version\n"
            "\n"
            "Exit status: 0 done (--compare: the unit holds the project), 1 the unit differs\n"
            "from the project, 2 could not be done (the message says why).\n")
      .arg(port, settings);
}

int CCommandLine::Run(const QStringList& args) {
  // Every output into a pipe whose reader has gone ends with "Broken pipe"
  // and status 2, as any other failed write does.
  CSystemError::IgnoreBrokenPipeSignal();
  // A profile the program cannot read is put aside before anything reads
  // it (the language is the first thing read).
  const std::optional<CProfile::SetAside> setAside = CProfile::SetAsideUnreadableFile();
  // The language first, so that every message is in it.
  std::optional<CStringTable::Language> language;
  bool verbose = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString name = OptionName(args[i]);
    if (name == QLatin1String("--verbose")) verbose = true;
    if (name != QLatin1String("--language")) continue;
    const QString value = name == args[i] ? args.value(i + 1) : args[i].mid(name.size() + 1);
    language = LanguageNamed(value);
  }
  const CLogRoute log(m_err, verbose);
  if (m_language)
    m_language(language);
  else if (language)
    CStringTable::SetLanguage(*language);

  TerminalSink sink([this](const QString& text) { Say(text); });
  if (setAside) Say(CProfile::SetAsideMessage(*setAside));
  Options options;
  QString error;
  if (!Parse(args, &options, &error)) {
    Say(error);
    Say(tr("\"selvantis --help\" lists the options."));
    return kExitFailed;
  }
  // An output the command refuses is no mistake in the options: the
  // refusal says all there is to say.
  if (options.action != Action::Help && options.action != Action::Version && !OutputAllowed(options, &error))
    return Fail(error);
  switch (options.action) {
    case Action::Help: return WriteOut(HelpText().toLocal8Bit()) ? kExitDone : kExitFailed;
    case Action::Version:
      return WriteOut(QStringLiteral("Selvantis %1\n").arg(QCoreApplication::applicationVersion()).toLocal8Bit())
                 ? kExitDone
                 : kExitFailed;
    case Action::Export: return Export(options);
    case Action::Download: return Download(options);
    case Action::Upload: return Upload(options);
    case Action::Compare: return Compare(options);
    case Action::Print: return Print(options);
    case Action::None: break;
  }
  return kExitFailed;
}

bool CCommandLine::Parse(const QStringList& args, Options* options, QString* error) const {
  QStringList seen;
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const QString name = OptionName(arg);
    if (!name.startsWith(QLatin1Char('-'))) {
      *error = tr("\"%1\" is not an option: a project is named after the option that acts on it.").arg(arg);
      return false;
    }
    if (!IsValueOption(name) && !IsFlagOption(name)) {
      *error = tr("Unknown option \"%1\".").arg(arg);
      return false;
    }
    if (seen.contains(name)) {
      *error = tr("The option %1 is given twice.").arg(name);
      return false;
    }
    seen << name;
    QString value;
    if (IsValueOption(name)) {
      if (name != arg) {
        value = arg.mid(name.size() + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        *error = tr("The option %1 needs a value.").arg(name);
        return false;
      }
      if (value.isEmpty()) {
        *error = tr("The option %1 needs a value.").arg(name);
        return false;
      }
    }
    Action action = Action::None;
    if (name == QLatin1String("--export-commands")) action = Action::Export;
    if (name == QLatin1String("--download")) action = Action::Download;
    if (name == QLatin1String("--upload")) action = Action::Upload;
    if (name == QLatin1String("--compare")) action = Action::Compare;
    if (name == QLatin1String("--print")) action = Action::Print;
    if (name == QLatin1String("--help")) action = Action::Help;
    if (name == QLatin1String("--version")) action = Action::Version;
    if (name == QLatin1String("--force")) options->force = true;
    if (name == QLatin1String("--verbose")) options->verbose = true;
    if (action != Action::None) {
      // --help and --version win over everything else.
      if (options->action == Action::Help || options->action == Action::Version) continue;
      if (options->action != Action::None && action != Action::Help && action != Action::Version) {
        *error = tr("Only one of %1 and %2 can be given.").arg(options->actionOption, name);
        return false;
      }
      options->action = action;
      options->actionOption = name;
      options->project = value;
    } else if (name == QLatin1String("-o")) {
      options->output = value;
      options->hasOutput = true;
    } else if (name == QLatin1String("--port")) {
      options->port = value;
    } else if (name == QLatin1String("--baud")) {
      options->baud = value;
    } else if (name == QLatin1String("--parity")) {
      options->parity = value;
    } else if (name == QLatin1String("--data-bits")) {
      options->dataBits = value;
    } else if (name == QLatin1String("--stop-bits")) {
      options->stopBits = value;
    } else if (name == QLatin1String("--save")) {
      options->save = true;
    } else if (name == QLatin1String("--language") && !LanguageNamed(value)) {
      *error = tr("Unknown language \"%1\": de or en.").arg(value);
      return false;
    }
  }
  switch (options->action) {
    case Action::Help:
    case Action::Version: return true;
    case Action::None:
      *error = tr("Say what to do: --export-commands, --download, --upload, --compare or --print.");
      return false;
    default: break;
  }
  const bool linked =
      options->action == Action::Download || options->action == Action::Upload || options->action == Action::Compare;
  for (const char* serial : {"--port", "--baud", "--parity", "--data-bits", "--stop-bits"}) {
    if (!linked && seen.contains(QLatin1String(serial))) {
      *error = tr("The option %1 has no use with %2.").arg(QLatin1String(serial), options->actionOption);
      return false;
    }
  }
  if (options->save && options->action != Action::Download) {
    *error = tr("The option %1 has no use with %2.").arg(QStringLiteral("--save"), options->actionOption);
    return false;
  }
  if (options->action == Action::Download && options->hasOutput) {
    *error = tr("The option %1 has no use with %2.").arg(QStringLiteral("-o"), options->actionOption);
    return false;
  }
  if (options->action == Action::Upload && !options->hasOutput) {
    *error = tr("%1 needs -o and the name of the new project file.").arg(options->actionOption);
    return false;
  }
  if (options->action == Action::Print && !options->hasOutput) {
    *error = tr("%1 needs -o and the name of the PDF file.").arg(options->actionOption);
    return false;
  }
  if (options->force && options->action != Action::Upload) {
    *error = tr("The option %1 has no use with %2.").arg(QStringLiteral("--force"), options->actionOption);
    return false;
  }
  QString settings;
  return !linked || LineSettings(*options, &settings, error);
}

bool CCommandLine::OutputAllowed(const Options& options, QString* error) const {
  if (!options.hasOutput) return true;
  if (!FolderExists(options.output)) {
    *error = tr("The folder of \"%1\" does not exist.").arg(CFileName::Display(options.output));
    return false;
  }
  return CheckOutput(options, error);
}

bool CCommandLine::CheckOutput(const Options& options, QString* error) const {
  const QString output = CFileName::Display(options.output);
  // What the command reads, by what the names reach on the system: an
  // output into the port would go to the unit as commands.
  using Kind = CCommandInputs::Kind;
  CCommandInputs inputs;
  inputs.Add(Kind::Project, options.project);
  const bool linked =
      options.action == Action::Download || options.action == Action::Upload || options.action == Action::Compare;
  if (linked) inputs.Add(Kind::Port, PortOf(options));
  inputs.Add(Kind::Settings, CProfile::FilePath());
  QStringList outputs = {options.output};
  if (options.action == Action::Upload) outputs << UploadErrorPath(options.output);
  for (const QString& written : outputs) {
    const std::optional<Kind> input = inputs.Find(written);
    if (!input) continue;
    // An upload over the project itself saves as the window does: the old
    // project becomes the backup.
    if (*input == Kind::Project && options.action == Action::Upload && written == options.output) continue;
    const QString name = CFileName::Display(written);
    switch (*input) {
      case Kind::Project:
        *error = tr("\"%1\" is the project the command reads: the output must be another file.").arg(name);
        break;
      case Kind::Port:
        *error = tr("\"%1\" is the unit's port (%2): the output must be another file.")
                     .arg(name, CFileName::Display(PortOf(options)));
        break;
      case Kind::Settings:
        *error = tr("\"%1\" is the program's settings file: the output must be another file.").arg(name);
        break;
    }
    return false;
  }
  const bool sameAsProject = COutputFile::SameFile(options.output, options.project);
  if (options.action == Action::Upload && !sameAsProject && !options.force && COutputFile::Exists(options.output)) {
    *error = tr("\"%1\" exists: --upload replaces another file only with --force.").arg(output);
    return false;
  }
  return true;
}

QString CCommandLine::PortOf(const Options& options) {
  // The port the transfer will take: the same rule as Run's.
  return !options.port.isEmpty() ? PortAsGiven(options.port) : CSerialPorts::ProfilePort();
}

QString CCommandLine::UploadErrorPath(const QString& output) {
  const QFileInfo target(output);
  return target.path() + QLatin1Char('/') + target.completeBaseName() + QStringLiteral(".err");
}

bool CCommandLine::FolderExists(const QString& path) {
  QByteArray bytes = CFileName::ToSystem(path);
  const qsizetype slash = bytes.lastIndexOf('/');
  bytes = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : bytes.left(slash);
  struct stat st {};
  return ::stat(bytes.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CCommandLine::LineSettings(const Options& options, QString* settings, QString* error) const {
  CMSComm::LineSettings line;
  const QString stored =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kSettings),
                          QString::fromLatin1(LinkProfile::kDefaultSettings));
  if (!CMSComm::ParseSettings(stored, &line))
    CMSComm::ParseSettings(QString::fromLatin1(LinkProfile::kDefaultSettings), &line);
  auto number = [&](const QString& text, const char* option, int low, int high, int* out) {
    if (text.isEmpty()) return true;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok && value >= low && value <= high) {
      *out = value;
      return true;
    }
    *error =
        tr("%1 %2 is no line setting: a number from %3 to %4.").arg(QLatin1String(option), text).arg(low).arg(high);
    return false;
  };
  if (!number(options.baud, "--baud", 50, 4000000, &line.baud)) return false;
  if (!number(options.dataBits, "--data-bits", 5, 8, &line.dataBits)) return false;
  if (!number(options.stopBits, "--stop-bits", 1, 2, &line.stopBits)) return false;
  if (!options.parity.isEmpty()) {
    static const char* const kParities[] = {"none", "even", "odd", "mark", "space"};
    const QString parity = options.parity.trimmed().toLower();
    bool known = false;
    for (const char* name : kParities) {
      if (parity != QLatin1String(name) && parity != QLatin1String(name).left(1)) continue;
      line.parity = name[0] == 'n' ? 'n' : name[0];
      known = true;
    }
    if (!known) {
      *error = tr("--parity %1 is no line setting: none, even, odd, mark or space.").arg(options.parity);
      return false;
    }
  }
  if (line.stopBits != 1 && line.stopBits != 2) line.stopBits = 1;
  *settings =
      QStringLiteral("%1,%2,%3,%4").arg(line.baud).arg(QLatin1Char(line.parity)).arg(line.dataBits).arg(line.stopBits);
  return true;
}

bool CCommandLine::Load(const QString& path, CSelvantisDoc& doc) {
  // The window's own messages say what is wrong with the file.
  return doc.OnOpenDocument(path);
}

namespace {

// A link to the unit for one command: installed while it lives, and left
// as from the window (the unit's clock set, its parameters protected).
class CommandLink final {
 public:
  CommandLink() : m_scope(&m_link) {}
  ~CommandLink() {
    if (m_link.IsConnected()) m_link.Disconnect(false);
    // A loss of the link reports itself from the event loop.
    QCoreApplication::processEvents();
  }
  CommandLink(const CommandLink&) = delete;
  CommandLink& operator=(const CommandLink&) = delete;
  CCommLink& Link() { return m_link; }

 private:
  CCommLink m_link;
  DeviceLinkScope m_scope;
};

// Holds back the message boxes of a part of the command (the link's
// closing), so that the command line can say them in its own words.
class HeldBoxes final : public IMessageSink {
 public:
  HeldBoxes() : m_previous(CMessageSink::Install(this)) {}
  ~HeldBoxes() override { CMessageSink::Install(m_previous); }
  HeldBoxes(const HeldBoxes&) = delete;
  HeldBoxes& operator=(const HeldBoxes&) = delete;

  int Show(const MessageRequest& request) override {
    m_texts << request.text;
    return CMessageSink::DefaultAnswer(request.style);
  }
  const QStringList& Texts() const { return m_texts; }

 private:
  IMessageSink* m_previous;
  QStringList m_texts;
};

// What the unit may still have, in the command line's words ("" when
// nothing): what it has not confirmed or not got, and what the next command
// on the port sends.
QString UnitLeftOpen(bool locked, bool unprotected, const QString& reason) {
  if (locked && unprotected)
    return QCoreApplication::translate("CCommandLine",
                                       "The unit may still have its macros locked and its settings unprotected: "
                                       "%1. The next command on this port sends \"/MACRO/LOCK OFF\" and \"/PROTECT "
                                       "ON\" first; or send them to the unit.")
        .arg(reason);
  if (locked)
    return QCoreApplication::translate("CCommandLine",
                                       "The unit may still have its macros locked: %1. The next command on this "
                                       "port sends \"/MACRO/LOCK OFF\" first; or send it to the unit.")
        .arg(reason);
  if (unprotected)
    return QCoreApplication::translate("CCommandLine",
                                       "The unit may still have its settings unprotected: %1. The next command on "
                                       "this port sends \"/PROTECT ON\" first; or send it to the unit.")
        .arg(reason);
  return QString();
}

// What a second signal writes as the program ends at once: nothing closes
// the unit any more; the note stays, and the next command on the port
// closes it first.
QByteArray LastWords(bool locked, bool unprotected, bool newLine) {
  QString text = QCoreApplication::translate("CCommandLine", "Stopped at once.");
  if (locked && unprotected)
    text += QLatin1Char(' ') + QCoreApplication::translate("CCommandLine",
                                                           "The unit may still have its macros locked and its "
                                                           "settings unprotected: the next command on this port "
                                                           "sends \"/MACRO/LOCK OFF\" and \"/PROTECT ON\" first; or "
                                                           "send them to the unit.");
  else if (locked)
    text += QLatin1Char(' ') + QCoreApplication::translate("CCommandLine",
                                                           "The unit may still have its macros locked: the next "
                                                           "command on this port sends \"/MACRO/LOCK OFF\" first; or "
                                                           "send it to the unit.");
  else if (unprotected)
    text += QLatin1Char(' ') + QCoreApplication::translate("CCommandLine",
                                                           "The unit may still have its settings unprotected: the "
                                                           "next command on this port sends \"/PROTECT ON\" first; "
                                                           "or send it to the unit.");
  return CFileName::ToSystem((newLine ? QStringLiteral("\nselvantis: ") : QStringLiteral("selvantis: ")) + text +
                             QLatin1Char('\n'));
}

}  // namespace

bool CCommandLine::WithUnit(const Options& options, CSelvantisDoc& doc, const UnitWork& work) {
  QString settings;
  QString error;
  if (!LineSettings(options, &settings, &error)) {
    Say(error);
    return false;
  }
  // Without --port the window's rule: the profile's port, else the first
  // port the system has.
  const QString port = !options.port.isEmpty() ? PortAsGiven(options.port) : CSerialPorts::ProfilePort();
  if (port.isEmpty()) {
    Say(tr("The system has no serial port: name the unit's port with --port DEVICE."));
    return false;
  }
  // A Ctrl+C, a kill or a closed terminal stops the transfer; the unit is
  // left unlocked and protected all the same. A second one ends at once,
  // saying what the unit may still have.
  CSignalWatch watch;
  CommandLink link;
  CCommLink& unit = link.Link();
  auto lastWords = [&](bool locked, bool unprotected) {
    watch.SetLastWords(LastWords(locked, unprotected, m_errIsTerminal));
  };
  auto knownLastWords = [&] { lastWords(unit.UnitMayBeLocked(), unit.UnitMayBeUnprotected()); };
  // Goes before the words and the link do.
  QObject listening;
  bool stopping = false;
  QObject::connect(&watch, &CSignalWatch::signalled, &listening, [&](int signalNumber) {
    CTransfer::CancelRunning();
    if (stopping || !unit.IsConnected()) return;
    stopping = true;
    Say(tr("Stopping: the unit gets its closing lines. A second %1 ends at once.")
            .arg(CSignalWatch::NameOf(signalNumber)));
  });
  QObject::connect(&unit, &CCommLink::linkModeChanged, &listening, knownLastWords);
  watch.EndOnSecondSignal(kExitFailed);
  // The connect lifts the unit's protection.
  lastWords(false, true);
  // The link says why when it cannot connect.
  if (!unit.ConnectPort(port, settings, &doc)) return false;
  knownLastWords();
  bool done = false;
  if (watch.Caught() == 0) {
    CTransfer transfer(&unit);
    // The end of the transfer is not the end of the connection: what the
    // unit kept is said once it is closed.
    transfer.SetCallerCloses(true);
    CTerminalProgress progress(m_err, m_errIsTerminal);
    m_progress = &progress;
    transfer.SetProgressHandler([&](int done, int total) {
      progress.Update(done, total);
      knownLastWords();
    });
    done = work(transfer, unit);
    progress.Finish();
    m_progress = nullptr;
    knownLastWords();
  }
  // The closing lines go now, while a signal's message can still follow;
  // the command line says when the unit may still be locked or
  // unprotected. --save asks the unit to keep a confirmed download, after
  // its protection.
  const bool save = done && options.save && watch.Caught() == 0;
  bool closed = false;
  QStringList boxes;
  {
    const HeldBoxes held;
    // Late answers of a transfer that ended are no replies of one.
    if (unit.IsConnected() && unit.GetLinkMode() != LINKMODE_NORMAL) unit.SetLinkMode(LINKMODE_NORMAL);
    closed = unit.Disconnect(save);
    // What the link tells from the event loop comes now, before the last
    // words.
    QCoreApplication::processEvents();
    boxes = held.Texts();
  }
  lastWords(false, false);
  const QString leftOpen = UnitLeftOpen(unit.UnitMayBeLocked(), unit.UnitMayBeUnprotected(), unit.UnclosedReason());
  for (const QString& box : boxes)
    if (box != unit.UnclosedWarning()) Say(box);
  if (!leftOpen.isEmpty()) Say(leftOpen);
  if (const int caught = watch.Caught()) {
    Say(tr("Stopped by %1.").arg(CSignalWatch::NameOf(caught)));
    // Only what this connection opened, and only what the unit has taken.
    if (closed)
      Say(unit.UnitWasLocked() ? tr("The unit's macros are unlocked and its settings protected.")
                               : tr("The unit's settings are protected."));
    return false;
  }
  if (save && !unit.SavedAtClose()) {
    Say(tr("The unit did not save its settings: %1")
            .arg(closed ? tr("the unit did not confirm the line within %1 seconds")
                              .arg(CCommLink::kNoProgressTimeoutMs / 1000)
                        : tr("it had not taken \"/PROTECT ON\" first")));
    return false;
  }
  return done;
}

int CCommandLine::Export(const Options& options) {
  CSelvantisDoc doc;
  if (!Load(options.project, doc)) return kExitFailed;
  const QStringList lines = CCommandFile::CollectDownload(doc);
  if (!options.hasOutput) return WriteOut(CCommandFile::FormatLines(lines)) ? kExitDone : kExitFailed;
  QString error;
  if (!CCommandFile::Write(options.output, lines, &error)) return Fail(error);
  return kExitDone;
}

int CCommandLine::Download(const Options& options) {
  CSelvantisDoc doc;
  if (!Load(options.project, doc)) return kExitFailed;
  // Only a download the unit has confirmed is saved (--save), at the
  // closing.
  if (!WithUnit(options, doc, [&doc](CTransfer& transfer, CCommLink&) {
        return transfer.DownloadProject(doc) == CTransfer::Result::Done;
      }))
    return kExitFailed;
  Say(tr("The project is in the unit."));
  if (options.save) Say(tr("The unit has saved its settings."));
  return kExitDone;
}

int CCommandLine::Upload(const Options& options) {
  CSelvantisDoc doc;
  if (!Load(options.project, doc)) return kExitFailed;
  // The upload's error file lies in a scratch folder until the new project
  // is written: an upload that fails writes nothing.
  QTemporaryDir scratch;
  if (!scratch.isValid()) return Fail(scratch.errorString());
  const QFileInfo target(options.output);
  doc.SetPathName(scratch.filePath(target.completeBaseName() + QStringLiteral(".sxm")));
  if (!WithUnit(options, doc, [&doc](CTransfer& transfer, CCommLink&) {
        return transfer.UploadProject(doc) == CTransfer::Result::Done;
      }))
    return kExitFailed;

  // The window's save: a backup of a file it replaces, the system's reason
  // when it cannot write (its message comes through the terminal's sink).
  // Nobody can be asked whether to save without a backup: then nothing is
  // saved, and the message says so.
  if (!doc.OnSaveDocument(options.output, CSelvantisDoc::BackupFailure::DontSave))
    return Fail(tr("The unit's settings were not saved."));
  Say(tr("The unit's settings are in \"%1\".").arg(CFileName::Display(options.output)));
  // What the upload noted goes beside the new project, as the window keeps it.
  QFile errors(scratch.filePath(target.completeBaseName() + QStringLiteral(".err")));
  if (errors.size() > 0 && errors.open(QIODevice::ReadOnly)) {
    const QString errorPath = UploadErrorPath(options.output);
    QString reason;
    if (!COutputFile::WriteFile(errorPath, errors.readAll(), &reason))
      return Fail(tr("The list of the upload's differences cannot be written to \"%1\": %2")
                      .arg(CFileName::Display(errorPath), reason));
    Say(tr("The upload noted differences: \"%1\" lists them.").arg(CFileName::Display(errorPath)));
  }
  return kExitDone;
}

int CCommandLine::Compare(const Options& options) {
  CSelvantisDoc doc;
  if (!Load(options.project, doc)) return kExitFailed;
  CCompareReport report;
  if (!WithUnit(options, doc, [&](CTransfer& transfer, CCommLink& link) {
        CUnitCompare compare(link);
        report = compare.Run(doc, transfer);
        return true;
      }))
    return kExitFailed;
  // A stopped comparison writes no file: a part is no result to keep. It
  // lists what it read on the standard output, and says it is a part.
  if (report.IsStopped() && (report.Rows().empty() || options.hasOutput)) return Fail(report.Summary());
  const ListTableText table = report.TableText();
  if (options.hasOutput) {
    QString error;
    if (!WriteListTabText(options.output, table, &error))
      return Fail(
          tr("The differences cannot be written to \"%1\":\n%2").arg(CFileName::Display(options.output), error));
  } else if (!WriteOut(ListTabText(table))) {
    return kExitFailed;
  }
  for (const QString& note : report.Notes()) Say(note);
  Say(report.Summary());
  if (!report.ClearedLine().isEmpty()) Say(report.ClearedLine());
  if (!report.NotComparedLine().isEmpty()) Say(report.NotComparedLine());
  return report.ExitStatus();
}

int CCommandLine::Print(const Options& options) {
  CSelvantisDoc doc;
  if (!Load(options.project, doc)) return kExitFailed;
  QString error = tr("This program cannot draw.");
  if (!m_print || !m_print(doc, options.output, &error))
    return Fail(tr("The drawing cannot be written to \"%1\":\n%2").arg(CFileName::Display(options.output), error));
  return kExitDone;
}

bool CCommandLine::WriteOut(const QByteArray& bytes) {
  // A file of the system (the standard output) is written to its end with
  // the system's reason when it stops short; Qt's own writes may stop
  // silently.
  auto* file = qobject_cast<QFileDevice*>(&m_out);
  QString reason;
  if (file != nullptr && file->handle() >= 0) {
    if (COutputFile::WriteAll(file->handle(), bytes)) return true;
    reason = CSystemError::Text(errno);
  } else {
    if (m_out.write(bytes) == bytes.size()) return true;
    reason = CSystemError::Translate(m_out.errorString());
  }
  Say(tr("The output cannot be written: %1").arg(reason));
  return false;
}

void CCommandLine::Say(const QString& text) {
  // A message starts a line of its own below the progress line.
  if (m_progress) m_progress->Finish();
  // A control character from a file, a name or the unit (an escape
  // sequence) is shown, never sent to the terminal.
  m_err.write(
      CFileName::ToSystem(QStringLiteral("selvantis: ") + CFileName::Display(OneLine(text)) + QLatin1Char('\n')));
}

QString CCommandLine::OneLine(const QString& text) {
  // A box's text in lines and paragraphs: the system's reason, set apart as
  // "( reason )" below its message, follows the message on its line.
  QString line;
  for (const QString& raw : text.split(QLatin1Char('\n'))) {
    QString part = raw.trimmed();
    if (part.isEmpty()) continue;
    if (part.startsWith(QLatin1String("( ")) && part.endsWith(QLatin1String(" )")))
      part = QLatin1Char('(') + part.mid(2, part.size() - 4).trimmed() + QLatin1Char(')');
    if (!line.isEmpty()) line += QLatin1Char(' ');
    line += part;
  }
  return line;
}

int CCommandLine::Fail(const QString& text) {
  Say(text);
  return kExitFailed;
}
