#ifndef SELV_MODEL_ERRORFILE_H
#define SELV_MODEL_ERRORFILE_H

#include <QString>

#include <cstdint>

// Lines of the project's error file, written while an upload compares the
// unit with the project. An empty path writes nothing (there is no error file
// for this transfer); text is appended as Latin-1. Each returns false when
// nothing was written.

// name (string nameId), a blank, the number, " : ", the text, a blank,
// string 34499 "is missing", CR LF.
bool AppendMissingLine(const QString& filePath, uint32_t nameId, int number, const QString& text);
// "ERROR: " text " >>" actual "<< should be >>" expected "<<" CR LF.
bool AppendMismatchLine(const QString& filePath, const QString& text, const QString& expected, const QString& actual);
// Appends a line as it is (CR LF added).
bool AppendErrorLine(const QString& filePath, const QString& line);

#endif
