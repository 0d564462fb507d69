// The zone's tool tip lines up its values in the font the tip is shown in.
#include "amps/czone.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QToolTip>

namespace {

const bool g_registered = [] {
  CZone::SetToolTipMeasure([](const QString& text) {
    // Without a window system (a command-line run) nothing is measured.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return static_cast<int>(text.size());
    return QFontMetrics(QToolTip::font()).horizontalAdvance(text);
  });
  return true;
}();

}  // namespace
