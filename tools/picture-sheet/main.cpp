// Writes a contact sheet of the program's pictures: every picture of the
// bitmap table with its id (and image index for strips), and every named
// icon, on one PNG for the documentation.
//
//   picture-sheet out.png
#include "shell/cbitmapmanager.h"
#include "shell/ciconfactory.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <vector>

namespace {

struct Cell {
  QString path;
  QString caption;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture-sheet out.png\n");
    return 2;
  }
  std::vector<Cell> cells;
  for (int id : CBitmapManager::Ids()) {
    const int count = CBitmapManager::ImageCount(id);
    if (count == 0) cells.push_back({CBitmapManager::FileOf(id), QString::number(id)});
    for (int i = 0; i < count; ++i)
      cells.push_back({CBitmapManager::FileOf(id, i), QStringLiteral("%1/%2").arg(id).arg(i)});
  }
  for (const QString& name : CIconFactory::Names()) cells.push_back({QString(), name});

  constexpr int kCell = 96, kPicture = 48, kColumns = 12;
  const int rows = (static_cast<int>(cells.size()) + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCell, rows * kCell, QImage::Format_ARGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  for (size_t n = 0; n < cells.size(); ++n) {
    const QRect cell(static_cast<int>(n % kColumns) * kCell, static_cast<int>(n / kColumns) * kCell, kCell, kCell);
    p.setPen(QColor(220, 220, 220));
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    QRect target(0, 0, kPicture, kPicture);
    target.moveCenter(cell.center() - QPoint(0, 8));
    if (cells[n].path.isEmpty()) {
      p.drawPixmap(target, CIconFactory::OwnIcon(cells[n].caption).pixmap(kPicture, kPicture));
    } else {
      QSvgRenderer renderer(cells[n].path);
      const QSize size = renderer.defaultSize().scaled(target.size(), Qt::KeepAspectRatio);
      QRect fitted(QPoint(), size);
      fitted.moveCenter(target.center());
      renderer.render(&p, fitted);
    }
    p.setPen(Qt::black);
    p.drawText(cell.adjusted(2, 0, -2, -4), Qt::AlignHCenter | Qt::AlignBottom, cells[n].caption);
  }
  p.end();
  if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "picture-sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
