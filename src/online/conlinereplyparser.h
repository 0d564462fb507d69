#ifndef SELV_ONLINE_CONLINEREPLYPARSER_H
#define SELV_ONLINE_CONLINEREPLYPARSER_H

#include <QString>
#include <QStringList>

#include <vector>

// Cuts the reply lines of an on-line window's command list into key and
// value: the path is the text before the first blank, the value the text
// after it. Echoed queries (value exactly "?"), lines without a blank and
// lines outside the window's path root are dropped; the root ("/FUSE/") is
// taken off the front of the path, which leaves the window's key
// ("SLOT1/A/BLOWN").
class COnlineReplyParser final {
 public:
  struct Item {
    QString key;
    QString value;
  };

  static std::vector<Item> Parse(const QStringList& lines, const QString& root);
  // One line; false when it is to be skipped.
  static bool ParseLine(const QString& line, const QString& root, Item* item);
  // A window has handled the lines of a notification: the link's reply list
  // is emptied, so the next notification brings only lines received after
  // these. Otherwise every later receive event hands the old answers over
  // again, and an old value would undo a change made since (the level a
  // user set while the unit does not echo, for one).
  static void ConsumeLinkReplies();
};

#endif
