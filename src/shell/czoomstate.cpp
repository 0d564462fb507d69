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
  const double fx = 100.0 * view.width() / (drawing.x() + drawing.width());
  const double fy = 100.0 * view.height() / (drawing.y() + drawing.height());
  return SetPercent(std::min(100, static_cast<int>(std::floor(std::min(fx, fy)))));
}

QPoint CZoomState::ScrollToStartOf(const QRect& drawing, const QSize& page, int marginUnits) const {
  if (drawing.isEmpty()) return QPoint(0, 0);
  const QPoint start = ToView(drawing.normalized().topLeft());
  const QPoint margin = ToView(QPoint(marginUnits, marginUnits));
  auto axis = [](int start, int margin, int page) { return start <= page / 2 ? 0 : std::max(0, start - margin); };
  return QPoint(axis(start.x(), margin.x(), page.width()), axis(start.y(), margin.y(), page.height()));
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
