#ifndef SELV_SHELL_CONTROLS_FITTEXTTOWIDTH_H
#define SELV_SHELL_CONTROLS_FITTEXTTOWIDTH_H

#include <QString>

class ITextMeasure;
class QFontMetrics;

// The text unchanged when it fits the width, else its longest head followed by
// "..." that fits. When not even "..." fits, "..." alone: the user still sees
// that something was cut.
QString FitTextToWidth(const ITextMeasure& measure, int width, const QString& text);
QString FitTextToWidth(const QFontMetrics& metrics, int width, const QString& text);

#endif
