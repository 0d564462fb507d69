#ifndef SELV_SHELL_CSELVANTISVIEW_H
#define SELV_SHELL_CSELVANTISVIEW_H

#include "shell/ccanvascontroller.h"
#include "shell/cscrolltracker.h"
#include "shell/czoomstate.h"
#include "shell/icanvashost.h"
#include "shell/iscrolltarget.h"

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QPoint>
#include <QRegion>

#include <memory>

class CBaseDevice;
class CBitmapManager;
class CSelvantisDoc;
class QMenu;

// The drawing view of a project: shows the document's objects and forwards
// mouse, keyboard and menu input to its CCanvasController. Never owns model
// objects; lives no longer than its document.
class CSelvantisView final : public QAbstractScrollArea, public ICanvasHost, public IScrollTarget {
  Q_OBJECT
 public:
  // Room beyond the drawing's right and bottom edge, in view pixels, so
  // that objects can be dragged further out.
  static constexpr int kExtraRoom = 200;
  static constexpr int kGridUnits = 20;

  CSelvantisView(CSelvantisDoc& doc, CBitmapManager& bitmaps, QWidget* parent = nullptr);
  ~CSelvantisView() override;

  CSelvantisDoc& GetDocument() const noexcept { return m_doc; }
  CCanvasController& Controller() noexcept { return m_controller; }
  // The first view showing doc, or null.
  static CSelvantisView* FindView(const CSelvantisDoc* doc);

  void SetCurrentObject(CBaseDevice* object) { m_controller.SetCurrentObject(object); }
  CBaseDevice* GetCurrentObject() const { return m_controller.GetCurrentObject(); }

  // ---- Zoom ---------------------------------------------------------------------
  int ZoomPercent() const noexcept { return m_zoom.Percent(); }
  void SetZoomPercent(int percent);
  void ZoomIn();
  void ZoomOut();
  void ZoomToFit();
  bool CanZoomIn() const;
  bool CanZoomOut() const;

  // ---- Showing the drawing ---------------------------------------------------------
  // Room kept around the unit's blocks when the view shows them.
  static constexpr int kShowMarginUnits = 20;
  // Room around the drawing's bounding box that the scroll bars reach.
  static constexpr int kScrollMarginUnits = 100;
  // Scrolls so that the central unit's blocks are in view (objects stay
  // where the project has them; the whole drawing when it has no unit).
  // Done when the view is made and when its document is loaded; until the
  // user scrolls, zooms or clicks, a change of the window's size keeps them
  // in view.
  void ShowDrawing();
  // The part of the canvas the scroll bars cover: the drawing's bounding
  // box and kScrollMarginUnits around it (canvas units).
  QRect ScrollArea() const;

  // ---- Coordinates --------------------------------------------------------------
  QPoint ViewToCanvas(const QPoint& viewportPoint) const;
  QPoint CanvasToView(const QPoint& canvasPoint) const;
  QPoint ScrollOffset() const;

  // ---- Menus ----------------------------------------------------------------------
  // The current object's context menu as a QMenu (the caller owns it); null
  // when there is no current object. Its actions route through
  // ExecuteObjectCommand.
  QMenu* CreateContextMenu(QWidget* parent);
  // The "place new object" menu; placing puts the object at placePoint
  // (canvas units).
  QMenu* CreatePlaceMenu(QWidget* parent, const QPoint& placePoint);
  // Fills menu with the registered classes (used by the main window's Edit
  // menu too).
  void FillPlaceMenu(QMenu* menu, const QPoint& placePoint);
  // Routes an object command (33000-33333) to the current object.
  bool ExecuteObjectCommand(int id);
  // A context-menu command: object commands go to the current object, any
  // other (a frame command such as 32876) to the main window.
  void ExecuteMenuCommand(int id);
  // Places registry entry index at the point and makes it current.
  CBaseDevice* PlaceObject(int index, const QPoint& canvasPoint);
  // Where a new object goes when placed from the main menu: the middle of
  // the visible part.
  QPoint DefaultPlacePoint() const;

  // ---- ICanvasHost / IScrollTarget -----------------------------------------------
  void InvalidateCanvas(const QRect& canvasRect) override;
  void CurrentObjectChanged(CBaseDevice* object) override;
  void ShowHint(const QString& text) override;
  QRect TrackerClientRect() const override;
  void TrackerScrollBy(int dx, int dy) override;
  void TrackerInvalidate(const QRect& rect) override;

 signals:
  void currentObjectChanged(CBaseDevice* object);
  void zoomChanged(int percent);
  // A command of a context menu that belongs to the main window.
  void commandRequested(int id);
  // A hint for the status bar, such as how to draw a wire.
  void hint(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  // Whether a window may open now (none while a transfer runs); the hint
  // says why not.
  bool MayOpenWindow();
  // Marks the whole window, or a rectangle of it (view pixels), for drawing
  // anew and asks for a paint event.
  void RepaintAll();
  void RepaintRect(const QRect& rect);
  // Draws grid and objects of the rectangle dirty (view pixels) with p.
  void RenderInto(QPainter& p, const QRect& dirty);
  // keepView: the range also holds the window's present position (after a
  // change of the drawing, not of the zoom or the window's size).
  void UpdateScrollRange(bool keepView = false);
  void ApplyZoomTolerances();
  void ZoomAround(const QPoint& viewportPoint, int percent);
  void ApplyShowDrawing();

  CSelvantisDoc& m_doc;
  CBitmapManager& m_bitmaps;
  CZoomState m_zoom;
  CCanvasController m_controller;
  CScrollTracker m_tracker;
  QPoint m_lastMouse;
  // The window's picture of the drawing, at the scroll position and zoom it
  // was drawn at, and the part of it that no longer shows the drawing.
  QPixmap m_picture;
  QPoint m_pictureOffset;
  int m_picturePercent = 0;
  QRegion m_stale;
  // Set by ShowDrawing, cleared by the user's first scroll, zoom or click.
  bool m_keepDrawingStart = false;
};

#endif
