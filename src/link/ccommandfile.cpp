#include "link/ccommandfile.h"

#include "link/ccommlink.h"
#include "link/iserialport.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>

namespace {

// A port that is never open: the collecting link writes nothing.
class ClosedPort final : public ISerialPort {
 public:
  bool Open(const QString&, const QString&, QString* error) override {
    if (error) *error = QStringLiteral("not a port");
    return false;
  }
  void Close() override {}
  bool IsOpen() const override { return false; }
  bool Output(const QByteArray&) override { return false; }
  QByteArray Input() override { return QByteArray(); }
  int InBufferCount() const override { return 0; }
  int OutBufferCount() const override { return 0; }
  bool WaitForInput(int) override { return false; }
  bool WaitForOutput(int) override { return false; }
  void SetHandlers(ReceiveHandler, ErrorHandler) override {}
};

// Files of many megabytes are not command files.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
// No object sends anywhere near this many lines for one step.
constexpr int kMaxLinesPerStep = 100000;

QString Tr(const char* text) { return QCoreApplication::translate("CCommandFile", text); }

}  // namespace

QString CCommandFile::PathFor(const QString& projectPath) {
  if (projectPath.isEmpty()) return QString();
  const QFileInfo info(projectPath);
  return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".txt");
}

QStringList CCommandFile::CollectDownload(CSelvantisDoc& doc) { return CollectDownload(doc, doc.GetAllObjects()); }

QStringList CCommandFile::CollectDownload(CSelvantisDoc& doc, const std::vector<CBaseDevice*>& objects) {
  CCommLink collector(std::make_unique<ClosedPort>());
  collector.StartQueue(&doc);
  {
    DeviceLinkScope scope(&collector);
    for (CBaseDevice* object : objects) {
      const int count = object->Download(false, -1);
      int step = 0;
      int repeats = 0;
      while (step < count) {
        const int queued = collector.QueuedCount();
        const int next = object->Download(false, step);
        // The collector never fills up, so a step that comes back has more
        // lines to send (a macro sends one line a call). A step that neither
        // advances nor sends would never end.
        if (next == step && collector.QueuedCount() > queued && ++repeats < kMaxLinesPerStep) continue;
        if (next <= step) break;
        step = next;
        repeats = 0;
      }
    }
  }
  return collector.TakeQueue();
}

bool CCommandFile::Export(CSelvantisDoc& doc, const QString& path, QString* error) {
  return Write(path, CollectDownload(doc), error);
}

bool CCommandFile::Write(const QString& path, const QStringList& lines, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error)
      *error = Tr(QT_TRANSLATE_NOOP("CCommandFile", "The command file \"%1\" cannot be written:\n%2"))
                   .arg(path, file.errorString());
    return false;
  }
  file.write(FormatLines(lines));
  if (!file.commit()) {
    if (error)
      *error = Tr(QT_TRANSLATE_NOOP("CCommandFile", "The command file \"%1\" cannot be written:\n%2"))
                   .arg(path, file.errorString());
    return false;
  }
  return true;
}

bool CCommandFile::Read(const QString& path, QStringList* lines, QString* error) {
  lines->clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error)
      *error = Tr(QT_TRANSLATE_NOOP("CCommandFile", "The command file \"%1\" cannot be opened:\n%2"))
                   .arg(path, file.errorString());
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
