#pragma once
#include <QPixmap>
#include <QPushButton>

#include <functional>

class CConsKey;
class QMenu;

// The button of one console key in the key view. Shows the key's label
// (cut to the button's width) or its picture and the selection, and hands
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

 signals:
  void selectRequested(CConsKey* key);
  void openPropsRequested(CConsKey* key);
  void doubleClicked(CConsKey* key);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  CConsKey* m_pKey;
  PictureFn m_pictureOf;
};
