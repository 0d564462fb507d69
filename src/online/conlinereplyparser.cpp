#include "online/conlinereplyparser.h"

#include "link/ccommlink.h"
#include "link/idevicelink.h"

std::vector<COnlineReplyParser::Item> COnlineReplyParser::Parse(const QStringList& lines, const QString& root) {
  std::vector<Item> items;
  items.reserve(static_cast<size_t>(lines.size()));
  Item item;
  for (const QString& line : lines) {
    if (ParseLine(line, root, &item)) items.push_back(item);
  }
  return items;
}

bool COnlineReplyParser::ParseLine(const QString& line, const QString& root, Item* item) {
  const int blank = line.indexOf(QLatin1Char(' '));
  if (blank < 0) return false;
  const QStringView path = QStringView(line).left(blank);
  const QStringView value = QStringView(line).mid(blank + 1);
  if (value == QLatin1String("?")) return false;
  // Only the front of the path is the root: a path that merely contains the
  // root somewhere inside belongs to another part of the unit.
  if (!path.startsWith(root)) return false;
  item->key = path.mid(root.size()).toString();
  item->value = value.toString();
  return !item->key.isEmpty();
}

void COnlineReplyParser::ConsumeLinkReplies() {
  // Only the serial link keeps a reply list; another link has none to empty.
  if (auto* comm = dynamic_cast<CCommLink*>(GetDeviceLink())) comm->ClearReplyList();
}
