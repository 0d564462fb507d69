#ifndef SELV_SHELL_CCONTROLBARBACKGROUND_H
#define SELV_SHELL_CCONTROLBARBACKGROUND_H

#include <QObject>
#include <QPixmap>

class QEvent;
class QWidget;

// Paints a bar's background: the tiled bar bitmap over the whole bar (and
// the grip of a movable tool bar), in place of the style's panel. Returns
// true for the paint event, which it has handled; every other event goes on
// to the bar as before (false).
bool ControlBarBackgroundProc(QWidget* bar, QEvent* event, const QPixmap& tile);

// The event filter with which a frame hands its tool bars to
// ControlBarBackgroundProc: one filter serves every bar of the frame.
class CControlBarBackground final : public QObject {
  Q_OBJECT
 public:
  CControlBarBackground(const QPixmap& tile, QObject* parent);
  // Starts painting the background of bar.
  void Attach(QWidget* bar);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPixmap m_tile;
};

#endif
