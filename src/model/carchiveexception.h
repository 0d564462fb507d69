#ifndef SELV_MODEL_CARCHIVEEXCEPTION_H
#define SELV_MODEL_CARCHIVEEXCEPTION_H

#include <QString>

#include <exception>

// The one error a damaged or foreign file raises while it is read (truncated
// data, unknown class, impossible count, bad reference). Callers catch it at
// the edge of the operation and show Message() to the user.
class CArchiveException final : public std::exception {
 public:
  enum class Cause { EndOfFile, BadClass, BadSchema, BadCount, BadReference, BadSignature, Generic };

  CArchiveException(Cause cause, QString message);

  Cause GetCause() const noexcept { return m_cause; }
  const QString& Message() const noexcept { return m_message; }
  const char* what() const noexcept override { return m_what.constData(); }

 private:
  Cause m_cause;
  QString m_message;
  QByteArray m_what;
};

#endif
