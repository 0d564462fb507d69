// The ellipsis cut, measured with a fake font in which every character is
// 10 pixels wide, so that expected cuts can be worked out by hand.
#include "shell/controls/fittexttowidth.h"
#include "shell/controls/itextmeasure.h"
#include "shell/controls/qstringprinter.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

class FixedWidthMeasure final : public ITextMeasure {
 public:
  explicit FixedWidthMeasure(int perChar) : m_perChar(perChar) {}
  int TextWidth(const QString& text) const override {
    ++calls;
    return static_cast<int>(text.size()) * m_perChar;
  }
  mutable int calls = 0;

 private:
  int m_perChar;
};

TEST(FitTextToWidthTest, CutsToTheLongestHeadThatFitsWithEllipsis) {
  const FixedWidthMeasure measure(10);
  struct Row {
    int width;
    QString text;
    QString expected;
  };
  const Row rows[] = {
      {100, "Loudspeaker", "Loudspe..."},   // 11 chars = 110 px; 7 + "..." = 100 px fits
      {110, "Loudspeaker", "Loudspeaker"},  // exactly as wide as the control: no cut
      {60, "Loudspeaker", "Lou..."},
      {30, "Loudspeaker", "..."},  // only the ellipsis fits
      {20, "Loudspeaker", "..."},  // not even that: still shows that text was cut
      {0, "", ""},                 // empty text fits anything
      {-5, "A", "..."},            // a control with no room yet
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FitTextToWidth(measure, row.width, row.text), row.expected) << row.width;
  }
}

TEST(FitTextToWidthTest, ResultNeverExceedsTheWidthWhenTheEllipsisFits) {
  const FixedWidthMeasure measure(7);
  const QString text = "Edit Backup Amplifier Entries";
  for (int width = 21; width < 7 * text.size() + 10; ++width) {
    const QString cut = FitTextToWidth(measure, width, text);
    EXPECT_LE(measure.TextWidth(cut), width) << width;
    if (cut != text) {
      EXPECT_TRUE(cut.endsWith("...")) << width;
      EXPECT_TRUE(text.startsWith(cut.chopped(3))) << width;
      // One more character would not have fitted.
      EXPECT_GT(measure.TextWidth(text.left(cut.size() - 3 + 1) + "..."), width) << width;
    }
  }
}

TEST(FitTextToWidthTest, MeasuresLogarithmicallyOftenForLongTexts) {
  const FixedWidthMeasure measure(10);
  const QString text(5000, QChar('x'));
  FitTextToWidth(measure, 500, text);
  EXPECT_LT(measure.calls, 20);
}

TEST(FitTextToWidthTest, DoesNotSplitSurrogatePairs) {
  const FixedWidthMeasure measure(10);
  // "ab" followed by three characters outside the basic plane (two code units each).
  const QString text = QString("ab") + QString::fromUcs4(U"\U0001F50A\U0001F50A\U0001F50A");
  const QString cut = FitTextToWidth(measure, 60, text);
  ASSERT_TRUE(cut.endsWith("..."));
  const QString head = cut.chopped(3);
  ASSERT_FALSE(head.isEmpty());
  EXPECT_FALSE(head.back().isHighSurrogate());
}

TEST(FitTextToWidthTest, RealFontMetricsKeepTheCutWithinTheWidth) {
  const QFontMetrics metrics{QFont()};
  const QString text = "Internal message recorder";
  const int width = metrics.horizontalAdvance(text) / 2;
  const QString cut = FitTextToWidth(metrics, width, text);
  EXPECT_TRUE(cut.endsWith("..."));
  EXPECT_LE(metrics.horizontalAdvance(cut), width);
}

}  // namespace
