#ifndef SELV_MODEL_CPROJECTFILE_H
#define SELV_MODEL_CPROJECTFILE_H

#include "model/cselvantisdoc.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class CArchive;
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
//   an end marker,
//   the checksum trailer: a marker (DWORD) and the SHA-256 of every byte
//   before the trailer. Files written before the trailer existed end at the
//   end marker and are read without a check.
// Reading fills a Contents without touching any document, so a file that
// turns out damaged half-way changes nothing.
class CProjectFile final {
 public:
  static constexpr char kSignature[8] = {'S', 'E', 'L', 'V', 'S', 'X', 'M', '\x1A'};
  static constexpr uint32_t kConnectionsMarker = 0x434F4E4E;  // "CONN"
  static constexpr uint32_t kEndMarker = 0x454E4421;          // "END!"
  static constexpr uint32_t kChecksumMarker = 0x4D555348;     // "HSUM"
  static constexpr int kChecksumBytes = 32;                   // SHA-256
  static constexpr int kTrailerBytes = 4 + kChecksumBytes;

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

  // Write ends the file with the checksum trailer. Read refuses a file
  // whose trailer does not match its contents, or with anything but a
  // trailer after the end marker (result.damaged).
  static ProjectFileResult Write(const CSelvantisDoc& doc, QIODevice& device);
  static ProjectFileResult Read(QIODevice& device, Contents& contents);

  // Whether bytes end in a checksum trailer (matching or not).
  static bool HasChecksumTrailer(const QByteArray& bytes);
  // bytes with the trailer made to match the rest (the fuzz harness mutates
  // saved files and still wants to reach the records). Bytes without a
  // trailer come back as they are.
  static QByteArray WithMatchingChecksum(QByteArray bytes);

  // Adds the missing end of every connection recorded at one end only.
  // Returns the number of records added.
  static int RepairHalfConnections(const std::vector<CBaseDevice*>& objects);

 private:
  // Everything from the signature to the end marker.
  static void WriteContent(const CSelvantisDoc& doc, CArchive& ar);
};

#endif
