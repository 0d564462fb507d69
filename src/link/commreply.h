#ifndef SELV_LINK_COMMREPLY_H
#define SELV_LINK_COMMREPLY_H

#include <QStringList>

class QObject;

// The reply notification of command lists. A window that sends a command
// list names itself as the reply target; after each receive event that
// completed reply lines the link calls the target's slot
//
//   public slots:
//     void OnCommReply(int tag, const QStringList& lines);
//
// with the tag it gave and every line received since its last
// SendCommandList (the unit's echo of each command included while echo is
// on). The lines are a copy: the target may send a new list from the slot.
// A target without that slot is simply not told (the lines still show in
// the protocol monitor).
//
// Calls the slot now; false when target is null or has no such slot.
bool DeliverCommReply(QObject* target, int tag, const QStringList& lines);

#endif
