#ifndef SELV_MODEL_CSYSTEMERROR_H
#define SELV_MODEL_CSYSTEMERROR_H

#include <QString>

class QFileDevice;

// The operating system's reason for a failed file or device operation, in
// the user's language where the program has the text (the common reasons:
// no space left, permission denied, no such file or device, ...), else as
// the system words it.
class CSystemError final {
 public:
  // The reason for an errno value; empty for 0.
  static QString Text(int errnoValue);
  // A system text as Qt passes it on (QFileDevice and QSerialPort error
  // strings are the C library's words for errno) in the user's language; a
  // text of no known reason comes back as it is.
  static QString Translate(const QString& systemText);
  // Why an operation on file failed: its error string, translated; when Qt
  // names no reason ("Unknown error", or nothing), errnoValue (the errno
  // right after the failure) or, failing that, a full disk when the folder
  // has less than neededBytes free.
  static QString ForFile(const QFileDevice& file, int errnoValue = 0, qint64 neededBytes = -1);

  // A write beyond the process's file-size limit (ulimit -f) then fails with
  // EFBIG, "File too large", as one on a full disk fails, instead of the
  // system ending the program with SIGXFSZ. The program calls it once at
  // start-up.
  static void IgnoreFileSizeSignal();
  // A write into a pipe whose reader has gone then fails with EPIPE,
  // "Broken pipe", as any other failed write does, instead of the system
  // ending the program with SIGPIPE and no word.
  static void IgnoreBrokenPipeSignal();
};

#endif
