#ifndef SELV_SHELL_CONTROLS_ITEXTMEASURE_H
#define SELV_SHELL_CONTROLS_ITEXTMEASURE_H

#include <QString>

// Measures the width a text takes in some font, so that text cutting can be
// decided without a widget (tests pass a fixed-width measure).
class ITextMeasure {
 public:
  virtual ~ITextMeasure() = default;
  virtual int TextWidth(const QString& text) const = 0;
};

#endif
