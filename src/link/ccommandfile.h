#ifndef SELV_LINK_CCOMMANDFILE_H
#define SELV_LINK_CCOMMANDFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class CBaseDevice;
class CSelvantisDoc;

// Command text files: the lines a download of a project sends, written
// beside the project, and read back to be sent to the unit line by line.
// Latin-1 text, one command per line, CR LF line ends.
class CCommandFile final {
 public:
  // The command file beside a project: ".txt" in place of its extension;
  // "" for a project that has not been saved.
  static QString PathFor(const QString& projectPath);
  // The download lines of every object of the project, lists 1 to 16 in
  // list order, as the objects send them (shortened lines included). Goes
  // through a collecting link, so the unit's link is not touched.
  static QStringList CollectDownload(CSelvantisDoc& doc);
  // The same for some objects of the project, in the order given.
  static QStringList CollectDownload(CSelvantisDoc& doc, const std::vector<CBaseDevice*>& objects);
  // Writes the download lines to path (through a temporary file, so a
  // failed write leaves the old file as it was). On failure *error says why.
  static bool Export(CSelvantisDoc& doc, const QString& path, QString* error);
  // Reads a command file: its non-empty lines without line ends.
  static bool Read(const QString& path, QStringList* lines, QString* error);
  static bool Write(const QString& path, const QStringList& lines, QString* error);
  // The text of a command file and back: Read and Write without the file.
  static QStringList ParseLines(const QByteArray& bytes);
  static QByteArray FormatLines(const QStringList& lines);
};

#endif
