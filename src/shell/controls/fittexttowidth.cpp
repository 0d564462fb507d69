#include "shell/controls/fittexttowidth.h"

#include "shell/controls/itextmeasure.h"

#include <QFontMetrics>

namespace {

const QString kEllipsis = QStringLiteral("...");

class FontMetricsMeasure final : public ITextMeasure {
 public:
  explicit FontMetricsMeasure(const QFontMetrics& metrics) : m_metrics(metrics) {}
  int TextWidth(const QString& text) const override { return m_metrics.horizontalAdvance(text); }

 private:
  const QFontMetrics& m_metrics;
};

// Never cut between the two halves of a surrogate pair.
int SafeCut(const QString& text, int length) {
  if (length > 0 && length < text.size() && text.at(length).isLowSurrogate()) {
    return length - 1;
  }
  return length;
}

}  // namespace

QString FitTextToWidth(const ITextMeasure& measure, int width, const QString& text) {
  if (measure.TextWidth(text) <= width) {
    return text;
  }
  // Widths grow with the length of the head, so the longest fitting head is
  // found by bisection: lo always fits (the empty head), hi never does.
  int lo = 0;
  int hi = text.size();
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    if (measure.TextWidth(text.left(SafeCut(text, mid)) + kEllipsis) <= width) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return text.left(SafeCut(text, lo)) + kEllipsis;
}

QString FitTextToWidth(const QFontMetrics& metrics, int width, const QString& text) {
  return FitTextToWidth(FontMetricsMeasure(metrics), width, text);
}
