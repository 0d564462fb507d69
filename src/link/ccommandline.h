#ifndef SELV_LINK_CCOMMANDLINE_H
#define SELV_LINK_CCOMMANDLINE_H

#include "model/cstringtable.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CCommLink;
class CSelvantisDoc;
class CTerminalProgress;
class CTransfer;
class QIODevice;

// The program as a command for scripts, without a window:
//   --export-commands PROJECT [-o FILE]     the project's download text
//   --download PROJECT [--port DEVICE] [--save]
//                                           a whole download (macro lock and
//                                           its release as from the window);
//                                           with --save the unit keeps it
//   --upload PROJECT [--port DEVICE] -o NEWFILE
//   --compare PROJECT [--port DEVICE] [-o FILE]
//   --print PROJECT -o FILE.pdf             (through the print handler)
// with --baud, --parity, --data-bits, --stop-bits over the profile's line
// settings, --language, --help and --version. Messages of the program (also
// the ones a window shows in a box) go to the error output, one line each;
// the text of an export or a comparison goes to FILE or to the output. A
// progress line is drawn only when the error output is a terminal. Bad input
// (an unknown option, a missing or damaged project, a port that cannot be
// opened, a unit that does not answer) ends with a message, exit status 2 and
// nothing written. A comparison ends with 0 when the unit holds the project,
// 1 when it differs and 2 when it could not be made. SIGINT, SIGTERM and
// SIGHUP while the unit is connected stop what runs, leave the unit
// unlocked and protected (or say that it may not be) and end with 2.
//
// Needs only the core library; the language's translations and the
// drawing's print-out come from handlers the caller sets.
class CCommandLine final {
  Q_DECLARE_TR_FUNCTIONS(CCommandLine)

 public:
  enum class Mode {
    Window,     // no option of the command line: the program's window
    Terminal,   // a command without a display
    Offscreen,  // --print: a command that draws, without a display
  };
  static constexpr int kExitDone = 0;
  static constexpr int kExitDiffers = 1;
  static constexpr int kExitFailed = 2;

  // What main() must make for the arguments (without the program name).
  static Mode ModeOf(const QStringList& args);

  // Applies the language given with --language, or the profile's when the
  // argument is empty.
  using LanguageHandler = std::function<void(std::optional<CStringTable::Language> language)>;
  // Writes the project's drawing and object tables to a PDF file; false with
  // the reason when it cannot.
  using PrintHandler = std::function<bool(const CSelvantisDoc& doc, const QString& path, QString* error)>;

  // out and err outlive the command; errIsTerminal: err is a terminal (the
  // progress line is drawn there).
  CCommandLine(QIODevice& out, QIODevice& err, bool errIsTerminal);
  CCommandLine(const CCommandLine&) = delete;
  CCommandLine& operator=(const CCommandLine&) = delete;

  void SetLanguageHandler(LanguageHandler handler) { m_language = std::move(handler); }
  void SetPrintHandler(PrintHandler handler) { m_print = std::move(handler); }

  // Runs the command; returns the exit status.
  int Run(const QStringList& args);

  // The text of --help in the current language.
  static QString HelpText();

 private:
  enum class Action { None, Export, Download, Upload, Compare, Print, Help, Version };
  struct Options {
    Action action = Action::None;
    QString actionOption;
    QString project;
    QString output;
    bool hasOutput = false;
    QString port;
    QString baud;
    QString parity;
    QString dataBits;
    QString stopBits;
    bool force = false;
    bool verbose = false;
    bool save = false;  // --save
  };

  // Reads the options; false with the reason for a mistake in them (the
  // usage's hint follows it).
  bool Parse(const QStringList& args, Options* options, QString* error) const;
  // Whether the command may write its output where -o says; false with the
  // reason.
  bool OutputAllowed(const Options& options, QString* error) const;
  // The line settings of the profile with the options' over them; false
  // with the reason for a value that is not a line setting.
  bool LineSettings(const Options& options, QString* settings, QString* error) const;
  int Export(const Options& options);
  int Download(const Options& options);
  int Upload(const Options& options);
  int Compare(const Options& options);
  int Print(const Options& options);
  bool Load(const QString& path, CSelvantisDoc& doc);
  // Connects to the unit for doc (the options' port and line settings over
  // the profile's) and runs work with a transfer on that link and the
  // progress line; afterwards the link is left as from the window. False
  // when it could not connect (the link has said why) or work failed.
  using UnitWork = std::function<bool(CTransfer& transfer, CCommLink& link)>;
  bool WithUnit(const Options& options, CSelvantisDoc& doc, const UnitWork& work);
  // Refuses an output that is something the command reads (the project,
  // the unit's port, the settings file; only an upload may save over its
  // project), and an upload over another existing file without --force.
  bool CheckOutput(const Options& options, QString* error) const;
  // The port a command with the unit uses: --port, else the profile's.
  static QString PortOf(const Options& options);
  // Where an upload into output puts the list of its differences.
  static QString UploadErrorPath(const QString& output);
  static bool FolderExists(const QString& path);
  bool WriteOut(const QByteArray& bytes);
  // A message box's text on one line.
  static QString OneLine(const QString& text);
  void Say(const QString& text);
  int Fail(const QString& text);

  QIODevice& m_out;
  QIODevice& m_err;
  bool m_errIsTerminal;
  LanguageHandler m_language;
  PrintHandler m_print;
  // The progress line being drawn, if any.
  CTerminalProgress* m_progress = nullptr;
};

#endif
