#ifndef SELV_EDITORS_LISTS_STATUSPOLLCOLUMN_H
#define SELV_EDITORS_LISTS_STATUSPOLLCOLUMN_H

#include "macros/rangelist.h"

#include <QString>

// The "State" column of a list whose entries the unit reports as a number
// range list: whether the poll runs (a click on the column's header while
// connected starts and stops it, every refill stops it), the header title
// that shows it, and how one reply becomes a bit set.
class StatusPollColumn final {
 public:
  static constexpr int kTimerId = 11;
  static constexpr int kIntervalMs = 1500;
  static constexpr int kReplyWaitMs = 200;

  explicit StatusPollColumn(int column) : m_column(column) {}

  int Column() const noexcept { return m_column; }
  bool IsPolling() const noexcept { return m_polling; }
  // "State", with " *" while polling.
  QString Title() const;

  // The header click on column: toggles the poll when it is the state
  // column and the unit is connected. True when the poll changed.
  bool OnHeaderClick(int column, bool online);
  void Stop() { m_polling = false; }

  // The bits (numbered from 1 in the reply) of the last word of reply, the
  // echoed query and line ends allowed before it. "NONE", no reply or a
  // word that is no range list within count: no bit set.
  static BitSet ParseReply(const QString& reply, unsigned count);

 private:
  int m_column;
  bool m_polling = false;
};

#endif
