#ifndef SELV_ONLINE_CEVENTLOGSTATE_H
#define SELV_ONLINE_CEVENTLOGSTATE_H

#include "model/cselvantisdoc.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>

class CEventLog;

// What the event-log window decides, without widgets: which categories the
// general mask names and how a check box changes it, the settings transfer
// lists, the read cycle of the unit's log (how many entries wait, what a
// tick asks for, what the replies give), the replacement of object numbers
// by names in an entry, the event file's name and the trimming of the
// entry field. The event-log object is looked up anew each time.
class CEventLogState final {
 public:
  // One category box of the Properties page. Categories without details
  // have no detail text, button or display text (0).
  struct Category {
    const char* keyword;
    int boxId;
    int detailTextId;
    int detailButtonId;
    int displayIndex;
  };
  static constexpr int kCategoryCount = 13;
  static const Category kCategories[kCategoryCount];

  static constexpr int kPollPeriodMs = 1000;
  static constexpr int kReadQueryLength = 17;  // "/EVENT/LOG/READ ?"
  static constexpr int kOutBufferLimit = 341;
  // The link takes command lists up to this length.
  static constexpr int kListLimit = 512;
  // The entry field keeps at most this much text; when it reaches it, the
  // oldest lines go until kFieldKeep is left.
  static constexpr int kFieldLimit = 8192;
  static constexpr int kFieldKeep = kFieldLimit - 2048;

  explicit CEventLogState(CSelvantisDoc* doc);

  CEventLog* EventLog() const;
  CSelvantisDoc* Document() const { return m_doc; }

  // The category of a box id, or null.
  static const Category* CategoryOfBox(int boxId);
  static bool HasCategory(const QString& mask, const QString& keyword);
  // The general mask with the category switched on or off.
  static QString WithCategory(const QString& mask, const QString& keyword, bool on);
  QString GeneralMask() const;
  // Stores the changed general mask; false without an event-log object.
  bool SetCategory(const QString& keyword, bool on);

  static QStringList UploadCommands();
  // The six masks in the order the unit takes them; empty without an
  // event-log object.
  QStringList DownloadCommands() const;
  // Cuts a list into pieces the link accepts, in order. A single line that
  // alone is too long makes the result empty (nothing of it can go).
  static std::vector<QStringList> SplitForLink(const QStringList& commands, int limit = kListLimit);

  // The queries of one poll tick for the characters still waiting in the
  // link's output buffer. Empty when the buffer is too full.
  QStringList PollCommands(int outBufferCount) const;
  int WaitingEntries() const { return m_waiting; }

  struct ReplyResult {
    QStringList entries;           // log entries read, in reply order
    bool settingsChanged = false;  // the settings should be shown again
  };
  // Takes the reply lines of the window's command lists: entries are
  // returned (each lowers the count of waiting entries), the count and
  // the masks are stored.
  ReplyResult ApplyReply(const QStringList& lines);

  // The entry with the object numbers after known keywords replaced by the
  // objects' names of doc. The first four blank-separated fields are kept
  // as they are; entries of the unit itself ("VMX#") stay unchanged.
  static QString ReplaceNames(const QString& entry, const CSelvantisDoc* doc);

  // The event file beside the project file ("<project>.events"), or
  // "unsaved-project.events" in the user's data folder for a project never
  // saved.
  static QString EventFilePath(const QString& projectPath);
  // The field's text with its oldest lines (at the end) dropped once it has
  // reached kFieldLimit characters; whole lines only.
  static QString TrimField(const QString& text);
  // True when a page of waiting print lines is full.
  static bool PageFull(int lineHeight, int pageHeight, int waitingLines);

 private:
  QPointer<CSelvantisDoc> m_doc;
  int m_waiting = 0;
};

#endif
