#ifndef SELV_LINK_COMMANDTEXT_H
#define SELV_LINK_COMMANDTEXT_H

#include <QString>
#include <QStringView>

// The parts of a command line "path value" and the shortening the link
// applies: a line whose path is the one written just before goes out as
// " value". The link, the dry run of a transfer and the comparison with the
// unit read and shorten lines alike through these.
namespace CommandText {

// The text before the first blank; a line without one is all path.
inline QString PathOf(const QString& line) {
  const qsizetype blank = line.indexOf(QLatin1Char(' '));
  return blank < 0 ? line : line.left(blank);
}

// The text after the first blank; empty without one.
inline QStringView ValueOf(const QString& line) {
  const qsizetype blank = line.indexOf(QLatin1Char(' '));
  return blank < 0 ? QStringView() : QStringView(line).mid(blank + 1);
}

// The path the next line may continue once line is written: its own, or
// for a shortened line (" value") the one it continued.
inline QString NextPath(const QString& line, const QString& lastPath) {
  return line.startsWith(QLatin1Char(' ')) ? lastPath : PathOf(line);
}

// The line as the link writes it: " value" when it may be shortened and its
// path is the one written last, else as it is.
inline QString Shortened(const QString& command, const QString& lastPath, bool bShorten) {
  const qsizetype blank = command.indexOf(QLatin1Char(' '));
  if (bShorten && blank > 0 && !lastPath.isEmpty() && QStringView(command).left(blank) == lastPath)
    return command.mid(blank);
  return command;
}

}  // namespace CommandText

#endif
