#include "shell/controls/dialogrectstore.h"

#include "model/cprofile.h"
#include "model/ctext.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// Larger than any screen: such a size comes from a damaged value.
constexpr int kMaxExtentPx = 100000;

}  // namespace

DialogRectStore::DialogRectStore(QString section, QString key) : m_section(std::move(section)), m_key(std::move(key)) {}

DialogRectStore DialogRectStore::ForTemplate(unsigned templateId) {
  return DialogRectStore(QStringLiteral("Settings"), Fmt("DlgSize%u", templateId));
}

std::optional<QRect> DialogRectStore::Load() const { return FromText(CProfile::GetString(m_section, m_key)); }

void DialogRectStore::Save(const QRect& rect) const {
  if (rect.isValid()) {
    CProfile::WriteString(m_section, m_key, ToText(rect));
  }
}

QString DialogRectStore::ToText(const QRect& rect) {
  return Fmt("%d,%d,%d,%d", rect.x(), rect.y(), rect.width(), rect.height());
}

std::optional<QRect> DialogRectStore::FromText(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(','));
  if (parts.size() != 4) {
    return std::nullopt;
  }
  int v[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    const QString part = parts.at(i).trimmed();
    bool ok = false;
    v[i] = part.toInt(&ok);  // whole-field, C-locale integer parse
    if (!ok) {
      return std::nullopt;
    }
  }
  if (v[2] <= 0 || v[3] <= 0 || v[2] > kMaxExtentPx || v[3] > kMaxExtentPx || std::abs(v[0]) > kMaxExtentPx ||
      std::abs(v[1]) > kMaxExtentPx) {
    return std::nullopt;
  }
  return QRect(v[0], v[1], v[2], v[3]);
}

QRect DialogRectStore::FitToScreen(const QRect& rect, const QRect& available) {
  if (!available.isValid()) {
    return rect;
  }
  QRect r = rect;
  r.setWidth(std::min(r.width(), available.width()));
  r.setHeight(std::min(r.height(), available.height()));
  if (r.right() > available.right()) {
    r.moveRight(available.right());
  }
  if (r.bottom() > available.bottom()) {
    r.moveBottom(available.bottom());
  }
  if (r.left() < available.left()) {
    r.moveLeft(available.left());
  }
  if (r.top() < available.top()) {
    r.moveTop(available.top());
  }
  return r;
}
