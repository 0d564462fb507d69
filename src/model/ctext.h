#ifndef SELV_MODEL_CTEXT_H
#define SELV_MODEL_CTEXT_H

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

// Numbers on the wire and in files are written and read in the C locale,
// whatever the user's locale: "%2.1f" of 12.5 is "12.5" under a German
// locale too.

// printf-style formatting in the C locale. %s takes a Latin-1 const char*.
QString Fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf-style formatting of a run-time format (a string-table text) with
// typed arguments: %d %i %u %x %X %c take integers, %f %e %g floating point,
// %s text; flags, width and precision as printf. A missing argument formats
// as 0 or empty text; "%%" is a percent sign.
QString FormatText(const QString& format, const QVariantList& args);

// Scanning with the C library's prefix semantics in the C locale: leading
// blanks are skipped, a numeric prefix is taken ("12 dB" reads 12), and text
// without a number returns false and leaves *out unchanged.
bool ScanInt(const QString& text, int* out);
bool ScanUInt(const QString& text, unsigned* out);
bool ScanHex(const QString& text, unsigned* out);
bool ScanDouble(const QString& text, double* out);
bool ScanFloat(const QString& text, float* out);

// Unit text and file text are 8-bit Latin-1.
inline QByteArray ToUnitText(const QString& text) { return text.toLatin1(); }
inline QString FromUnitText(const QByteArray& bytes) { return QString::fromLatin1(bytes); }

#endif
