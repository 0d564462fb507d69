#ifndef SELV_TESTS_SHELL_CONTROLS_QSTRINGPRINTER_H
#define SELV_TESTS_SHELL_CONTROLS_QSTRINGPRINTER_H

#include <QString>

#include <ostream>

// Failed comparisons of QString print the text instead of its bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

#endif
