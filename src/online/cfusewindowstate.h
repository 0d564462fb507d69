#ifndef SELV_ONLINE_CFUSEWINDOWSTATE_H
#define SELV_ONLINE_CFUSEWINDOWSTATE_H

#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>

class CFuse;
class CSelvantisDoc;
class IDeviceLink;
class QObject;

// What the fuse window shows and sends, without widgets: the rating
// selection of each of the five fuses, which of them the project can use
// (a slot input's fuse only feeds a console input), the "Blown!" and
// "Cooling!" states the unit last reported, and the command lists of the
// poll and of the transfers. The project's fuse object is looked up anew
// each time, so a window never holds on to an object that has gone.
class CFuseWindowState final {
 public:
  static constexpr int kFuseCount = 5;
  // The current list of every rating box, in mA; the index is the rating.
  static constexpr int kRatingCount = 4;
  static constexpr const char* kPathRoot = "/FUSE/";
  static constexpr int kPollPeriodMs = 2000;

  explicit CFuseWindowState(CSelvantisDoc* doc);

  // Reads the ratings and the slot inputs of the project; the indicators
  // start off.
  void Load();

  // The rating box entry of a fuse: its stored index, -1 for none (no fuse
  // object, or a stored value outside the list).
  int Selection(int fuse) const;
  bool IsEnabled(int fuse) const;
  bool IsBlown(int fuse) const;
  bool IsCooling(int fuse) const;
  // The entry texts of a rating box: "0", "330", "660", "990".
  static QStringList RatingTexts();
  // The key of a fuse below the root ("SLOT1/A"); "" outside 0..4.
  static QString FuseKey(int fuse);

  // The user chose entry index for a fuse: stored in the project's fuse
  // object (the project then counts as changed). False when there is
  // nothing to store it in or the index is not an entry.
  bool Choose(int fuse, int index);

  // The ten state queries of a poll tick.
  static QStringList PollQueries();
  // Upload: the five rating queries; download: the five rating commands
  // with the project's values.
  QStringList TransferCommands(bool bUpload) const;

  // A poll tick: sends the queries only while the link has nothing left to
  // send, so a busy line drops the tick instead of queueing it. True when
  // the list went out.
  bool Poll(IDeviceLink& link, QObject* replyTarget) const;
  bool Transfer(IDeviceLink& link, QObject* replyTarget, bool bUpload) const;

  // Takes the reply lines of a command list (echoes, unknown keys and
  // malformed lines change nothing; handling a line twice is harmless).
  // Returns true when anything shown changed.
  bool ApplyReply(const QStringList& lines);

 private:
  CFuse* Fuse() const;
  bool ApplyOne(const QString& key, const QString& value);

  QPointer<CSelvantisDoc> m_doc;
  std::array<bool, kFuseCount> m_enabled{};
  std::array<bool, kFuseCount> m_blown{};
  std::array<bool, kFuseCount> m_cooling{};
};

#endif
