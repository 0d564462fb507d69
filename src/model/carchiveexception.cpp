#include "model/carchiveexception.h"

#include <utility>

CArchiveException::CArchiveException(Cause cause, QString message)
    : m_cause(cause), m_message(std::move(message)), m_what(m_message.toUtf8()) {}
