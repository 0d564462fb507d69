#include "consoles/ui/cconsoleprintjob.h"

#include "consoles/ui/ckeyviewlogic.h"
#include "model/cstringtable.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kStrTime = 34232;
constexpr uint32_t kStrDate = 34233;
const char* const kFamilyName = "S E L V A N T I S";
const char* const kFamilyBox = "SS E L V A N T I SS";

QFont TextFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

QFont NameFont() {
  QFont font(QStringLiteral("Braggadocio"), 12);
  font.setWeight(QFont::ExtraLight);
  return font;
}

}  // namespace

CConsolePrintJob::CConsolePrintJob(const KeyBox& drawing, const KeyBox& extension, int programmableKeys,
                                   const QString& pathName, DrawFn draw)
    : m_drawing(drawing),
      m_extension(extension),
      m_keys(programmableKeys),
      m_pathName(pathName),
      m_draw(std::move(draw)) {}

void CConsolePrintJob::SetScreenDpi(int dpiX, int dpiY) {
  m_screenDpiX = std::max(dpiX, 1);
  m_screenDpiY = std::max(dpiY, 1);
}

QString CConsolePrintJob::FileText(const QString& pathName, const QFontMetrics& metrics, int width) {
  const QString prefix = tr("File") + QStringLiteral(":  '");
  const QString suffix = QStringLiteral("'");
  const int room = std::max(0, width - metrics.horizontalAdvance(prefix + suffix));
  return prefix + metrics.elidedText(pathName, Qt::ElideMiddle, room) + suffix;
}

QString CConsolePrintJob::DateTimeText(const QDateTime& when) {
  const QLocale locale = QLocale::system();
  return LoadString(kStrDate) + QStringLiteral(":  ") + locale.toString(when.date(), QLocale::ShortFormat) +
         QStringLiteral(" , ") + LoadString(kStrTime) + QStringLiteral(":  ") +
         when.time().toString(QStringLiteral("HH:mm:ss"));
}

QString CConsolePrintJob::PageText(int page, int lastPage) { return tr("page %1 of %2").arg(page).arg(lastPage); }

bool CConsolePrintJob::Print(QPagedPaintDevice& device, QString* error) {
  if (!m_when.isValid()) m_when = QDateTime::currentDateTime();
  QPainter painter;
  if (!painter.begin(&device)) {
    if (error != nullptr) *error = tr("The printer or file cannot be written.");
    return false;
  }
  const QRect page(0, 0, device.width(), device.height());
  const int last = LastPage();
  for (int n = 1; n <= last; ++n) {
    if (n > 1 && !device.newPage()) {
      painter.end();
      if (error != nullptr) *error = tr("The printer or file cannot be written.");
      return false;
    }
    PaintPage(painter, page, n);
  }
  return painter.end();
}

void CConsolePrintJob::PaintPage(QPainter& painter, const QRect& page, int pageNumber) {
  if (!m_when.isValid()) m_when = QDateTime::currentDateTime();
  painter.save();
  painter.setFont(TextFont());
  const QFontMetrics text(painter.font(), painter.device());
  const int lineHeight = text.height() + text.leading();
  const int bandTop = page.bottom() + 1 - 4 * lineHeight;

  // The drawing keeps clear of the title block.
  QPaintDevice* dev = painter.device();
  const CConsolePrintLayout layout(page.width(), std::max(1, bandTop - page.top()), dev->logicalDpiX(),
                                   dev->logicalDpiY(), m_screenDpiX, m_screenDpiY);
  const bool bExtension = CKeyViewLogic::HasExtension(m_keys);
  m_placement = layout.PageSetup(m_drawing, m_extension, bExtension, pageNumber);
  const KeyBox& src = m_placement.source;
  const int clipLeft = page.left() + static_cast<int>(std::floor(m_placement.offsetX));
  const int clipRight =
      page.left() + static_cast<int>(std::ceil(m_placement.offsetX + src.Width() * m_placement.scaleX));
  // Horizontally the page shows only its own housing; vertically the titles
  // under the housing may show, down to the title block.
  m_drawingClip = QRect(QPoint(clipLeft, page.top()), QPoint(clipRight - 1, bandTop - 1));

  if (m_draw) {
    painter.save();
    painter.setClipRect(m_drawingClip);
    painter.translate(page.left() + m_placement.offsetX - src.left * m_placement.scaleX,
                      page.top() + m_placement.offsetY - src.top * m_placement.scaleY);
    painter.scale(m_placement.scaleX, m_placement.scaleY);
    m_draw(painter);
    painter.restore();
  }

  QPen pen(Qt::black);
  pen.setWidth(layout.PenWidth());
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(page.adjusted(0, 0, -1, -1));
  PaintTitleBlock(painter, page, pageNumber);
  painter.restore();
}

void CConsolePrintJob::PaintTitleBlock(QPainter& painter, const QRect& page, int pageNumber) {
  const QFont textFont = TextFont();
  const QFont nameFont = NameFont();
  const QFontMetrics text(textFont, painter.device());
  const QFontMetrics name(nameFont, painter.device());
  const int lineHeight = text.height() + text.leading();
  const int avg = text.averageCharWidth();
  const int right = page.right() + 1;
  const int bottom = page.bottom() + 1;
  const int bandTop = bottom - 4 * lineHeight;
  const int middle = bandTop + 2 * lineHeight;

  painter.drawRect(QRect(QPoint(page.left(), bandTop), QPoint(right - 1, bottom - 1)));
  painter.drawLine(page.left(), middle, right, middle);

  // Upper half: the family name in its box at the right, the file at the left.
  const QString family = QString::fromLatin1(kFamilyName);
  const int nameBoxLeft =
      std::max(page.left() + 2 * avg, right - name.horizontalAdvance(QString::fromLatin1(kFamilyBox)));
  painter.setFont(nameFont);
  const int nameTop = bandTop + (3 * lineHeight) / 10;
  painter.drawText(QRect(QPoint(nameBoxLeft, nameTop), QPoint(right - 2 * avg - 1, middle - 1)),
                   Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, family);
  painter.drawLine(nameBoxLeft, bandTop, nameBoxLeft, middle);

  painter.setFont(textFont);
  // The file text stops a character short of the name box.
  m_fileBox = QRect(QPoint(page.left() + 2 * avg, bandTop),
                    QPoint(std::max(page.left() + 2 * avg, nameBoxLeft - avg) - 1, middle - 1));
  m_fileText = FileText(m_pathName, text, m_fileBox.width());
  painter.drawText(m_fileBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_fileText);

  // Lower half: date and time at the left, the page number at the right.
  const QRect line(QPoint(page.left() + 2 * avg, middle + lineHeight / 2),
                   QPoint(right - 2 * avg - 1, middle + lineHeight / 2 + lineHeight - 1));
  painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, DateTimeText(m_when));
  painter.drawText(line, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, PageText(pageNumber, LastPage()));
}
