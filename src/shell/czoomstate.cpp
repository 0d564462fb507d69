#include "shell/czoomstate.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kLadder[] = {10, 25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int kLadderCount = sizeof(kLadder) / sizeof(kLadder[0]);
}  // namespace

const int* CZoomState::Ladder(int* count) {
  if (count) *count = kLadderCount;
  return kLadder;
}

bool CZoomState::SetPercent(int percent) {
  const int clamped = std::clamp(percent, kMinPercent, kMaxPercent);
  if (clamped == m_percent) return false;
  m_percent = clamped;
  return true;
}

bool CZoomState::ZoomIn() {
  for (int step : kLadder)
    if (step > m_percent) return SetPercent(step);
  return false;
}

bool CZoomState::ZoomOut() {
  for (int i = kLadderCount - 1; i >= 0; --i)
    if (kLadder[i] < m_percent) return SetPercent(kLadder[i]);
  return false;
}

bool CZoomState::Fit(const QRect& drawing, const QSize& view) {
  if (drawing.width() <= 0 || drawing.height() <= 0 || view.width() <= 0 || view.height() <= 0) return SetPercent(100);
  const double fx = 100.0 * view.width() / drawing.width();
  const double fy = 100.0 * view.height() / drawing.height();
  return SetPercent(std::min(100, static_cast<int>(std::floor(std::min(fx, fy)))));
}

QPoint CZoomState::ScrollToShow(const QRect& target, const QSize& page, int marginUnits) const {
  if (target.isEmpty()) return QPoint(0, 0);
  const QRect shown = ToView(target.normalized());
  const QPoint margin = ToView(QPoint(marginUnits, marginUnits));
  auto axis = [](int start, int extent, int margin, int page) {
    return extent + 2 * margin <= page ? start + extent / 2 - page / 2 : start - margin;
  };
  return QPoint(axis(shown.x(), shown.width(), margin.x(), page.width()),
                axis(shown.y(), shown.height(), margin.y(), page.height()));
}

QPoint CZoomState::ToView(const QPoint& p) const {
  return QPoint(static_cast<int>(std::lround(p.x() * Factor())), static_cast<int>(std::lround(p.y() * Factor())));
}

QPoint CZoomState::ToDrawing(const QPoint& p) const {
  return QPoint(static_cast<int>(std::floor(p.x() / Factor())), static_cast<int>(std::floor(p.y() / Factor())));
}

QRect CZoomState::ToView(const QRect& r) const {
  const QPoint tl = ToView(r.topLeft());
  const QPoint br = ToView(QPoint(r.x() + r.width(), r.y() + r.height()));
  return QRect(tl, QSize(br.x() - tl.x(), br.y() - tl.y()));
}

QRect CZoomState::ToDrawing(const QRect& r) const {
  const QPoint tl = ToDrawing(r.topLeft());
  const QPoint br(static_cast<int>(std::ceil((r.x() + r.width()) / Factor())),
                  static_cast<int>(std::ceil((r.y() + r.height()) / Factor())));
  return QRect(tl, QSize(br.x() - tl.x(), br.y() - tl.y()));
}

bool CZoomState::ParsePercent(const QString& text, int* percent) {
  QString digits = text.trimmed();
  if (digits.endsWith(QLatin1Char('%'))) digits.chop(1);
  bool ok = false;
  const double value = digits.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return false;
  if (percent) *percent = static_cast<int>(std::lround(std::clamp(value, double(kMinPercent), double(kMaxPercent))));
  return true;
}
