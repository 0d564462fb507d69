#ifndef SELV_ONLINE_CRECORDERWINDOWSTATE_H
#define SELV_ONLINE_CRECORDERWINDOWSTATE_H

#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>

class CInternalMessageRec;
class CSelvantisDoc;

// What the message-recorder window shows and sends, without widgets: the
// record source, message, play destination, quality and record time as the
// project's recorder object holds them, the texts the unit last reported
// for the four status panes, and which flash banks it offers to format.
// User choices always go into the project; the returned command lines are
// what goes to the unit, empty while off line. What the unit reports is
// kept in the recorder too, without marking the project modified. The
// recorder is looked up anew each time.
class CRecorderWindowState final {
 public:
  static constexpr const char* kPathRoot = "/RECORDER/";
  static constexpr int kPollPeriodMs = 1000;
  static constexpr int kBankCount = 4;
  static constexpr int kPaneCount = 4;

  // What a reply changed.
  struct Changes {
    bool settings = false;
    bool panes = false;
    bool banks = false;
  };

  explicit CRecorderWindowState(CSelvantisDoc* doc);

  CInternalMessageRec* Recorder() const;

  static QStringList SourceTexts();       // "IN1".."IN4"
  static QStringList DestinationTexts();  // "No output", "OUT1".."OUT4"
  static QStringList QualityTexts();      // the two qualities
  QStringList MessageNames() const;

  // The list indexes to show; -1 for none.
  int SourceIndex() const;
  int MessageIndex() const;
  int DestinationIndex() const;
  QString Quality() const;
  QString MaxTimeText() const;  // "%3.1f"

  // ---- User actions (the lines to send while online, else none) ----------
  QStringList ChooseSource(int index, bool online);
  QStringList ChooseMessage(int index, bool online);
  // The message list's text names the current message; nothing is sent.
  bool RenameMessage(const QString& name);
  QStringList ChooseDestination(int index, bool online);
  QStringList ChooseQuality(const QString& text, bool online);
  // Text that is no number keeps the stored time.
  QStringList MaxTimeFromText(const QString& text, bool online);

  // "/RECORDER/FUNCTION <name>" and "/RECORDER/INFO ?".
  static QStringList FunctionCommands(const QString& function);
  static QStringList InfoCommands();
  // The format command for the chosen banks; none when no bank is chosen.
  static QStringList FormatCommands(const std::array<bool, kBankCount>& chosen);
  static QStringList QueryCommands();
  static QStringList PollCommands();

  // The status texts: 0 INFO, 1 FUNCTION, 2 TIME with " s", 3 FREE.
  QString PaneText(int pane) const;
  bool IsBankOffered(int bank) const;

  Changes ApplyReply(const QStringList& lines);

 private:
  QPointer<CSelvantisDoc> m_doc;
  std::array<QString, kPaneCount> m_panes;
  std::array<bool, kBankCount> m_banks{};
};

#endif
