#ifndef SELV_MODEL_CFILENAME_H
#define SELV_MODEL_CFILENAME_H

#include <QByteArray>
#include <QString>

class QFile;

// File names as the system keeps them: bytes. A name in the local encoding
// (UTF-8) reads as its characters; a byte that is no part of a UTF-8
// character (a name written in Latin-1, "caf\xe9.sxm") is kept as a
// character of its own (U+DC80 + the byte) that never stands for anything
// else. Every other byte but "/" and NUL is kept as well: a character that
// means something of its own in a text (U+FEFF at the start), an overlong
// or cut form (never read as the character it would spell: "\xe0\x80\xaf"
// is no "/"), a control character. So every name comes back to the system
// exactly as it was given. Arguments, names read from a folder and every
// file the program opens or writes go through here.
class CFileName final {
 public:
  CFileName() = delete;

  // The name given by the system (an argument, a folder entry).
  static QString FromSystem(const QByteArray& bytes);
  static QString FromSystem(const char* bytes);
  // The bytes to give to the system for a name.
  static QByteArray ToSystem(const QString& name);
  // Whether a name holds bytes that are not UTF-8.
  static bool HasRawBytes(const QString& name);
  // Opens path for reading into file (by its bytes); false with the
  // system's reason. A folder is refused.
  static bool OpenForReading(QFile& file, const QString& path, QString* reason);
  // Opens path for writing into file (by its bytes), emptied or, with
  // append, at its end; created with 0666 less the umask where it is
  // missing. False with the system's reason. A folder is refused.
  static bool OpenForWriting(QFile& file, const QString& path, bool append, QString* reason);
  // The size of the file at path (by its bytes); -1 where there is none.
  static qint64 Size(const QString& path);
  // Whether anything (a file, a folder, a device) is there under name.
  static bool Exists(const QString& name);
  // The name made absolute against the current folder, without "." and
  // ".." parts or doubled slashes, its bytes kept: the library's own way
  // goes through a conversion that loses the bytes that are not UTF-8.
  static QString Absolute(const QString& name);
  // The name of what name leads to, every symbolic link followed; empty
  // where nothing is there.
  static QString Resolved(const QString& name);
  // The name to show: the bytes that are not UTF-8 as "\xE9", control
  // characters as "\x0A" and invisible ones as "\uFEFF". Only for the eye:
  // the name itself is never changed.
  static QString Display(const QString& name);
};

#endif
