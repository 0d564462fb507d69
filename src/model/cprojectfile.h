#ifndef SELV_MODEL_CPROJECTFILE_H
#define SELV_MODEL_CPROJECTFILE_H

#include "model/cselvantisdoc.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class CBaseDevice;
class QIODevice;

// Reads and writes the project file (".sxm"):
//   signature (8 bytes), file version (DWORD),
//   project data record (version WORD, upgrade flag, project data texts,
//   password),
//   the 16 object lists, each a count and the object records,
//   the connection table: per object in file order its input and its output
//   records (peer as 1-based object index, 0 for the "no object" mark,
//   peer pin, own pin, peer category),
//   an end marker.
// Reading fills a Contents without touching any document, so a file that
// turns out damaged half-way changes nothing.
class CProjectFile final {
 public:
  static constexpr char kSignature[8] = {'S', 'E', 'L', 'V', 'S', 'X', 'M', '\x1A'};
  static constexpr uint32_t kConnectionsMarker = 0x434F4E4E;  // "CONN"
  static constexpr uint32_t kEndMarker = 0x454E4421;          // "END!"

  // What a project file holds, before it becomes a document's contents.
  struct Contents {
    Contents() = default;
    Contents(const Contents&) = delete;
    Contents& operator=(const Contents&) = delete;
    ~Contents();

    int fileVersion = 0;
    int upgradeFlag = 0;
    QStringList projectData;
    QString password;
    std::array<std::vector<std::unique_ptr<CBaseDevice>>, CAT_COUNT + 1> lists;  // index 0 unused
  };

  static ProjectFileResult Write(const CSelvantisDoc& doc, QIODevice& device);
  static ProjectFileResult Read(QIODevice& device, Contents& contents);

  // Adds the missing end of every connection recorded at one end only.
  // Returns the number of records added.
  static int RepairHalfConnections(const std::vector<CBaseDevice*>& objects);
};

#endif
