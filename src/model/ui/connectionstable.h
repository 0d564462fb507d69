#ifndef SELV_MODEL_UI_CONNECTIONSTABLE_H
#define SELV_MODEL_UI_CONNECTIONSTABLE_H

#include <QString>
#include <QStringList>

#include <vector>

class CBaseDevice;

// The rows of the "Connections" dialog: one per connection record of an
// object, inputs first, each list in its stored order.
class ConnectionsTable final {
 public:
  struct Row {
    bool input = true;
    int ownPin = 0;
    int peerPin = 0;
    int peerCategory = 0;
    QString peerName;  // the "no object" mark shows as "-"
    int peerType = 0;  // 0 for the mark
    int peerId = 0;
    QStringList Cells() const;
  };

  static QStringList Titles();
  // Empty for a null object.
  static std::vector<Row> Build(const CBaseDevice* object);
};

#endif
