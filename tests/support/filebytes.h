#ifndef SELV_TESTS_SUPPORT_FILEBYTES_H
#define SELV_TESTS_SUPPORT_FILEBYTES_H

#include <QByteArray>
#include <QString>

// The whole content of a file; "<missing>" when it cannot be read, so that
// a missing file never equals an empty one.
QByteArray FileBytes(const QString& path);

#endif
