#include "link/ccommandfile.h"

#include "link/cdryrun.h"
#include "model/cbasedevice.h"
#include "model/cfilename.h"
#include "model/coutputfile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Files of many megabytes are not command files.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

QString Tr(const char* text) { return QCoreApplication::translate("CCommandFile", text); }

}  // namespace

QString CCommandFile::PathFor(const QString& projectPath) {
  if (projectPath.isEmpty()) return QString();
  const QFileInfo info(projectPath);
  return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".txt");
}

QStringList CCommandFile::CollectDownload(CSelvantisDoc& doc) { return CollectDownload(doc, doc.GetAllObjects()); }

QStringList CCommandFile::CollectDownload(CSelvantisDoc& doc, const std::vector<CBaseDevice*>& objects) {
  CDryRun collector(&doc, LINKMODE_DOWNLOAD);
  for (CBaseDevice* object : objects) collector.Run(*object, false);
  return collector.Lines();
}

bool CCommandFile::Export(CSelvantisDoc& doc, const QString& path, QString* error) {
  return Write(path, CollectDownload(doc), error);
}

bool CCommandFile::Write(const QString& path, const QStringList& lines, QString* error) {
  QString reason;
  if (COutputFile::WriteFile(path, FormatLines(lines), &reason)) return true;
  if (error)
    *error = Tr(QT_TRANSLATE_NOOP("CCommandFile", "The command file \"%1\" cannot be written:\n%2"))
                 .arg(CFileName::Display(path), reason);
  return false;
}

bool CCommandFile::Read(const QString& path, QStringList* lines, QString* error) {
  lines->clear();
  QFile file;
  QString reason;
  if (!CFileName::OpenForReading(file, path, &reason)) {
    if (error)
      *error = Tr(QT_TRANSLATE_NOOP("CCommandFile", "The command file \"%1\" cannot be opened:\n%2"))
                   .arg(CFileName::Display(path), reason);
    return false;
  }
  if (file.size() > kMaxFileBytes) {
    if (error) *error = Tr(QT_TRANSLATE_NOOP("CCommandFile", "\"%1\" is too large for a command file.")).arg(path);
    return false;
  }
  *lines = ParseLines(file.readAll());
  return true;
}

QStringList CCommandFile::ParseLines(const QByteArray& bytes) {
  QStringList lines;
  for (const QByteArray& raw : bytes.split('\n')) {
    QByteArray line = raw;
    while (line.endsWith('\r')) line.chop(1);
    // A line of blanks, the Latin-1 no-break space among them, is no
    // command.
    const QString text = FromUnitText(line);
    if (text.trimmed().isEmpty()) continue;
    lines.append(text);
  }
  return lines;
}

QByteArray CCommandFile::FormatLines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += ToUnitText(line) + "\r\n";
  return bytes;
}
