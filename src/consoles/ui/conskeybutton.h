#pragma once
#include <QPixmap>
#include <QPushButton>

#include <functional>

class CConsKey;
class QMenu;
class QPainter;

// The button of one console key in the key view. Draws the key's face (a
// pill with a raised or sunken edge and the label cut to the key's width)
// or its picture and the selection, and hands
// presses, double clicks and its context menu's choices to the view. Owns
// nothing: the key belongs to its console.
class ConsKeyButton final : public QPushButton {
  Q_OBJECT
 public:
  // The shared picture of a bitmap id (a null pixmap when there is none).
  using PictureFn = std::function<QPixmap(int pictureId)>;

  ConsKeyButton(CConsKey* key, QWidget* parent, PictureFn pictureOf = {});
  CConsKey* GetKey() const noexcept { return m_pKey; }
  // Renews text, tool tip, picture, visibility and the selected look from
  // the key.
  void Refresh();
  // The key's context menu (the caller owns it): Properties, and for an
  // in-use key 110 or 111 the "Key view" choice of its picture.
  QMenu* CreateContextMenu();
  // Whether a left click at pos (button coordinates) counts: for a key in
  // use only inside its pill-shaped region, else anywhere on the button.
  bool CountsClickAt(const QPoint& pos) const;
  // The key's face is drawn sunken: pressed or selected, and in use.
  bool IsSunken() const;

 signals:
  void selectRequested(CConsKey* key);
  void openPropsRequested(CConsKey* key);
  void doubleClicked(CConsKey* key);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PaintFace(QPainter& painter) const;

  CConsKey* m_pKey;
  PictureFn m_pictureOf;
};
