#ifndef SELV_ONLINE_CSTATUSLAMP_H
#define SELV_ONLINE_CSTATUSLAMP_H

#include <QPixmap>

class QAbstractButton;
class QLabel;

// The state icons of the service windows (pictures of the bitmap table): 245 a green lamp
// (all well / not active), 251 a red lamp (alarm / active / not
// receiving), 489 the small red "active" marker; 0 shows no lamp (the state
// is not known). A widget showing one keeps its id in the property "iconId".
class CStatusLamp final {
 public:
  static constexpr int kNone = 0;
  static constexpr int kGood = 245;
  static constexpr int kAlarm = 251;
  static constexpr int kActiveMarker = 489;

  static QPixmap Pixmap(int iconId, int size = 16);
  static void Show(QLabel* label, int iconId);
  static void Show(QAbstractButton* button, int iconId);
  // The id a widget shows (0 for none).
  static int IconOf(const QObject* widget);
};

#endif
