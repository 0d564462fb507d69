#include "shell/cselvantisview.h"

#include "model/cbasedevice.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shell/ccanvasrenderer.h"
#include "shell/cmodalguard.h"
#include "shell/cplaceobjectregistry.h"
#include "shell/cqtpainter.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {
std::vector<CSelvantisView*>& Views() {
  static std::vector<CSelvantisView*> views;
  return views;
}

// Screen pixels within which a pin catches the cursor, and a press must
// travel before it moves an object.
constexpr int kPinCatchPixels = 5;
constexpr int kDragStartPixels = 4;

void FillMenu(QMenu* menu, const std::vector<CMenuItem>& items, CSelvantisView* view) {
  for (const CMenuItem& item : items) {
    if (item.separator || (item.id == 0 && item.text.isEmpty() && !item.IsSubmenu())) {
      menu->addSeparator();
      continue;
    }
    if (item.IsSubmenu()) {
      QMenu* sub = menu->addMenu(item.text);
      sub->setEnabled(item.enabled);
      FillMenu(sub, item.submenu, view);
      continue;
    }
    QAction* action = menu->addAction(item.text);
    action->setData(item.id);
    action->setEnabled(item.enabled);
    if (item.checked != 0) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    const int id = item.id;
    QObject::connect(action, &QAction::triggered, view, [view, id]() { view->ExecuteMenuCommand(id); });
  }
}
}  // namespace

CSelvantisView::CSelvantisView(CSelvantisDoc& doc, CBitmapManager& bitmaps, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_bitmaps(bitmaps), m_controller(doc, *this), m_tracker(*this) {
  setObjectName(QStringLiteral("SelvantisView"));
  Views().push_back(this);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setBackgroundRole(QPalette::Base);
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setSingleStep(20);

  connect(&m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this,
          [this](CBaseDevice* object) { m_controller.ObjectRemoved(object); });
  connect(&m_doc, &CSelvantisDoc::aboutToClear, this, [this]() { m_controller.DocumentCleared(); });
  auto changed = [this]() {
    UpdateScrollRange(true);
    RepaintAll();
  };
  connect(&m_doc, &CSelvantisDoc::objectChanged, this, changed);
  connect(&m_doc, &CSelvantisDoc::objectAdded, this, changed);
  connect(&m_doc, &CSelvantisDoc::objectRemoved, this, changed);
  connect(&m_doc, &CSelvantisDoc::documentLoaded, this, [this]() {
    UpdateScrollRange();
    ShowDrawing();
    RepaintAll();
  });
  // Only the user's own scrolling ends the wish to see the drawing's start.
  auto userScrolled = [this]() { m_keepDrawingStart = false; };
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, userScrolled);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, userScrolled);
  ApplyZoomTolerances();
  UpdateScrollRange();
  ShowDrawing();
}

CSelvantisView::~CSelvantisView() {
  auto& views = Views();
  views.erase(std::remove(views.begin(), views.end(), this), views.end());
}

CSelvantisView* CSelvantisView::FindView(const CSelvantisDoc* doc) {
  for (CSelvantisView* view : Views())
    if (&view->m_doc == doc) return view;
  return nullptr;
}

// ---- Coordinates --------------------------------------------------------------------

QPoint CSelvantisView::ScrollOffset() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CSelvantisView::ViewToCanvas(const QPoint& viewportPoint) const {
  return m_zoom.ToDrawing(viewportPoint + ScrollOffset());
}

QPoint CSelvantisView::CanvasToView(const QPoint& canvasPoint) const {
  return m_zoom.ToView(canvasPoint) - ScrollOffset();
}

QRect CSelvantisView::ScrollArea() const {
  const QRect bounds = CCanvasRenderer::DrawingBounds(m_doc);
  const QRect drawing = bounds.isEmpty() ? QRect(0, 0, 1, 1) : bounds;
  return drawing.adjusted(-kScrollMarginUnits, -kScrollMarginUnits, kScrollMarginUnits, kScrollMarginUnits);
}

void CSelvantisView::UpdateScrollRange(bool keepView) {
  // The bars cover the drawing and a margin around it, wherever on the
  // canvas it lies; the value is the view pixel at the window's left/top
  // edge, so the thumb at the left end shows the drawing's left end. Where
  // the whole drawing fits into the window it stands in the middle, so that
  // a zoom keeps the middle of the window on the drawing, not on the empty
  // canvas right of and below it.
  const QRect area = m_zoom.ToView(ScrollArea());
  const QSize page = viewport()->size();
  auto axis = [keepView](QScrollBar* bar, int start, int extent, int page) {
    bar->setPageStep(page);
    int first = start;
    int last = start + extent + kExtraRoom - page;
    if (extent <= page) first = last = start + extent / 2 - page / 2;
    // An object moved, placed or deleted never moves the view under the
    // mouse: the range keeps the window where it is.
    if (keepView) {
      first = std::min(first, bar->value());
      last = std::max(last, bar->value());
    }
    bar->setRange(first, last);
  };
  axis(horizontalScrollBar(), area.x(), area.width(), page.width());
  axis(verticalScrollBar(), area.y(), area.height(), page.height());
}

void CSelvantisView::ShowDrawing() {
  m_keepDrawingStart = true;
  ApplyShowDrawing();
}

void CSelvantisView::ApplyShowDrawing() {
  const QPoint start = m_zoom.ScrollToShow(CCanvasRenderer::UnitBounds(m_doc), viewport()->size(), kShowMarginUnits);
  // Beyond the range the scroll bar stops at its end, where the unit is in
  // view anyway.
  horizontalScrollBar()->setValue(start.x());
  verticalScrollBar()->setValue(start.y());
}

void CSelvantisView::ApplyZoomTolerances() {
  const double f = m_zoom.Factor();
  m_controller.SetPinTolerance(std::max(2, static_cast<int>(std::lround(kPinCatchPixels / f))));
  m_controller.SetDragThreshold(std::max(1, static_cast<int>(std::lround(kDragStartPixels / f))));
}

// ---- Zoom -------------------------------------------------------------------------

void CSelvantisView::ZoomAround(const QPoint& viewportPoint, int percent) {
  const QPoint anchor = ViewToCanvas(viewportPoint);
  if (!m_zoom.SetPercent(percent)) return;
  m_keepDrawingStart = false;
  ApplyZoomTolerances();
  UpdateScrollRange();
  const QPoint target = m_zoom.ToView(anchor) - viewportPoint;
  horizontalScrollBar()->setValue(target.x());
  verticalScrollBar()->setValue(target.y());
  RepaintAll();
  emit zoomChanged(m_zoom.Percent());
}

void CSelvantisView::SetZoomPercent(int percent) { ZoomAround(viewport()->rect().center(), percent); }

void CSelvantisView::ZoomIn() {
  CZoomState next = m_zoom;
  if (next.ZoomIn()) SetZoomPercent(next.Percent());
}

void CSelvantisView::ZoomOut() {
  CZoomState next = m_zoom;
  if (next.ZoomOut()) SetZoomPercent(next.Percent());
}

void CSelvantisView::ZoomToFit() {
  m_keepDrawingStart = false;
  CZoomState next = m_zoom;
  next.Fit(ScrollArea(), viewport()->size());
  if (next.Percent() != m_zoom.Percent()) {
    m_zoom = next;
    ApplyZoomTolerances();
    RepaintAll();
    emit zoomChanged(m_zoom.Percent());
  }
  UpdateScrollRange();
  horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
  verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

bool CSelvantisView::CanZoomIn() const { return m_zoom.Percent() < CZoomState::kMaxPercent; }
bool CSelvantisView::CanZoomOut() const { return m_zoom.Percent() > CZoomState::kMinPercent; }

// ---- Painting -----------------------------------------------------------------------

void CSelvantisView::RepaintAll() {
  m_stale = QRegion(viewport()->rect());
  viewport()->update();
}

void CSelvantisView::RepaintRect(const QRect& rect) {
  m_stale += rect;
  viewport()->update(rect);
}

void CSelvantisView::scrollContentsBy(int dx, int dy) {
  // The picture moves with the drawing; only the uncovered strip is drawn.
  if (!m_picture.isNull() && std::abs(dx) < viewport()->width() && std::abs(dy) < viewport()->height()) {
    const qreal ratio = m_picture.devicePixelRatio();
    m_picture.scroll(qRound(dx * ratio), qRound(dy * ratio), m_picture.rect());
    m_stale.translate(dx, dy);
    const QRegion uncovered = QRegion(viewport()->rect()) - QRegion(viewport()->rect().translated(dx, dy));
    m_stale += uncovered;
    m_stale &= QRegion(viewport()->rect());
    m_pictureOffset = ScrollOffset();
    viewport()->scroll(dx, dy);
    return;
  }
  RepaintAll();
}

void CSelvantisView::RenderInto(QPainter& p, const QRect& dirty) {
  p.fillRect(dirty, QColor(255, 255, 255));
  const QPoint offset = ScrollOffset();
  const double f = m_zoom.Factor();

  // A dot grid helps placing blocks; it is left out when too dense to read.
  const double gridStep = kGridUnits * f;
  if (gridStep >= 8.0) {
    std::vector<QPoint> dots;
    const int firstX = static_cast<int>(std::ceil((dirty.left() + offset.x()) / gridStep));
    const int lastX = static_cast<int>(std::floor((dirty.right() + offset.x()) / gridStep));
    const int firstY = static_cast<int>(std::ceil((dirty.top() + offset.y()) / gridStep));
    const int lastY = static_cast<int>(std::floor((dirty.bottom() + offset.y()) / gridStep));
    dots.reserve(static_cast<size_t>(std::max(0, lastX - firstX + 1) * std::max(0, lastY - firstY + 1)));
    for (int y = firstY; y <= lastY; ++y)
      for (int x = firstX; x <= lastX; ++x)
        dots.emplace_back(static_cast<int>(std::lround(x * gridStep)) - offset.x(),
                          static_cast<int>(std::lround(y * gridStep)) - offset.y());
    p.setPen(QColor(200, 205, 215));
    if (!dots.empty()) p.drawPoints(dots.data(), static_cast<int>(dots.size()));
  }

  p.save();
  p.translate(-offset);
  p.scale(f, f);
  const QRect exposed = m_zoom.ToDrawing(dirty.translated(offset)).adjusted(-2, -2, 2, 2);
  {
    CQtPainter painter(p, &m_bitmaps, false);
    CCanvasRenderer::Draw(m_doc, painter, exposed);
  }
  p.restore();
}

void CSelvantisView::paintEvent(QPaintEvent* event) {
  // The drawing is kept as a picture of the window: a repaint where nothing
  // changed (another window moved away, a menu closed) copies it, a change
  // draws only its own rectangle into it, scrolling only the uncovered strip.
  const qreal ratio = viewport()->devicePixelRatioF();
  const QSize size = viewport()->size() * ratio;
  if (m_picture.size() != size || m_pictureOffset != ScrollOffset() || m_picturePercent != m_zoom.Percent()) {
    if (m_picture.size() != size) {
      m_picture = QPixmap(size);
      m_picture.setDevicePixelRatio(ratio);
    }
    m_pictureOffset = ScrollOffset();
    m_picturePercent = m_zoom.Percent();
    m_stale = QRegion(viewport()->rect());
  }
  const QRegion render = m_stale.intersected(event->region());
  if (!render.isEmpty()) {
    QPainter picture(&m_picture);
    picture.setClipRegion(render);
    RenderInto(picture, render.boundingRect());
    m_stale -= render;
  }

  QPainter p(viewport());
  for (const QRect& rect : event->region())
    p.drawPixmap(rect, m_picture, QRectF(QRectF(rect).topLeft() * ratio, QSizeF(rect.size()) * ratio));
  if (m_controller.GetDragMode() == CCanvasController::DragMode::Connect) {
    p.translate(-ScrollOffset());
    p.scale(m_zoom.Factor(), m_zoom.Factor());
    QPen pen(m_controller.ConnectTargetValid() ? QColor(0, 150, 60) : QColor(90, 90, 90), 0, Qt::DashLine);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.drawLine(m_controller.ConnectFrom(), m_controller.ConnectTo());
  }
}

void CSelvantisView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
  if (m_keepDrawingStart) ApplyShowDrawing();
}

// ---- Mouse and keyboard ------------------------------------------------------------------

void CSelvantisView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  m_keepDrawingStart = false;
  m_lastMouse = event->position().toPoint();
  const QPoint point = ViewToCanvas(m_lastMouse);
  if (event->button() == Qt::LeftButton) {
    m_controller.MousePress(point, CCanvasController::Button::Left);
    const QRect dragged = m_controller.GetCurrentObject() ? m_controller.GetCurrentObject()->GetRect() : QRect();
    m_tracker.m_rect = QRect(CanvasToView(dragged.topLeft()), m_zoom.ToView(dragged).size());
  } else if (event->button() == Qt::RightButton) {
    m_controller.MousePress(point, CCanvasController::Button::Right);
  }
  event->accept();
}

void CSelvantisView::mouseMoveEvent(QMouseEvent* event) {
  m_lastMouse = event->position().toPoint();
  m_controller.MouseMove(ViewToCanvas(m_lastMouse), event->buttons() & Qt::LeftButton);
  if (m_controller.GetDragMode() == CCanvasController::DragMode::Move) {
    const QRect canvasRect = m_controller.DraggedRect();
    QRect rect(CanvasToView(canvasRect.topLeft()), m_zoom.ToView(canvasRect).size());
    m_tracker.AdjustRect(rect);
  }
  event->accept();
}

void CSelvantisView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint point = ViewToCanvas(event->position().toPoint());
  m_controller.MouseRelease(
      point, event->button() == Qt::LeftButton ? CCanvasController::Button::Left : CCanvasController::Button::Right);
  UpdateScrollRange(true);
  event->accept();
}

bool CSelvantisView::MayOpenWindow() {
  if (CModalGuard::MayOpen()) return true;
  emit hint(CModalGuard::RefusalText());
  return false;
}

void CSelvantisView::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double-click opens the object's properties.
  if (event->button() == Qt::LeftButton && MayOpenWindow())
    m_controller.DoubleClick(ViewToCanvas(event->position().toPoint()));
  event->accept();
}

void CSelvantisView::contextMenuEvent(QContextMenuEvent* event) {
  // The menu runs a loop of its own, and its entries open windows.
  if (!MayOpenWindow()) {
    event->accept();
    return;
  }
  QPoint viewPoint = event->pos();
  if (event->reason() == QContextMenuEvent::Keyboard) viewPoint = viewport()->rect().center();
  std::unique_ptr<QMenu> menu(m_controller.GetCurrentObject() ? CreateContextMenu(this)
                                                              : CreatePlaceMenu(this, ViewToCanvas(viewPoint)));
  if (menu && !menu->isEmpty()) menu->exec(event->globalPos());
  event->accept();
}

void CSelvantisView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Delete:
      if (MayOpenWindow()) ExecuteObjectCommand(ID_DELETE_OBJECT);
      break;
    case Qt::Key_Escape:
      if (m_controller.GetDragMode() != CCanvasController::DragMode::None)
        m_controller.CancelDrag();
      else
        m_controller.SetCurrentObject(nullptr);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (CBaseDevice* current = m_controller.GetCurrentObject(); current && MayOpenWindow()) current->ShowProperties();
      break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
  }
  event->accept();
}

void CSelvantisView::wheelEvent(QWheelEvent* event) {
  m_keepDrawingStart = false;
  if (event->modifiers() & Qt::ControlModifier) {
    CZoomState next = m_zoom;
    const bool changed = event->angleDelta().y() > 0 ? next.ZoomIn() : next.ZoomOut();
    if (changed) ZoomAround(event->position().toPoint(), next.Percent());
    event->accept();
    return;
  }
  QAbstractScrollArea::wheelEvent(event);
}

bool CSelvantisView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = m_controller.ToolTipAt(ViewToCanvas(help->pos()));
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), text, viewport());
    return true;
  }
  if (event->type() == QEvent::Leave) m_controller.MouseLeave();
  return QAbstractScrollArea::viewportEvent(event);
}

// ---- Menus and commands -------------------------------------------------------------------

QMenu* CSelvantisView::CreateContextMenu(QWidget* parent) {
  if (!m_controller.GetCurrentObject()) return nullptr;
  const CMenuData data = m_controller.BuildContextMenu();
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("ObjectContextMenu"));
  FillMenu(menu, data.Items(), this);
  return menu;
}

QMenu* CSelvantisView::CreatePlaceMenu(QWidget* parent, const QPoint& placePoint) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("PlaceMenu"));
  FillPlaceMenu(menu, placePoint);
  return menu;
}

void CSelvantisView::FillPlaceMenu(QMenu* menu, const QPoint& placePoint) {
  const std::vector<CPlaceObjectRegistry::Entry> entries = CPlaceObjectRegistry::Entries();
  if (entries.empty()) {
    menu->addAction(tr("(no objects to place)"))->setEnabled(false);
    return;
  }
  std::map<QString, QMenu*> groups;
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const CPlaceObjectRegistry::Entry& entry = entries[static_cast<size_t>(i)];
    QMenu* target = menu;
    if (!entry.group.isEmpty()) {
      auto it = groups.find(entry.group);
      if (it == groups.end()) it = groups.emplace(entry.group, menu->addMenu(entry.group)).first;
      target = it->second;
    }
    QAction* action = target->addAction(CPlaceObjectRegistry::TextOf(entry));
    action->setData(i);
    action->setEnabled(CPlaceObjectRegistry::CanPlace(i, m_doc));
    connect(action, &QAction::triggered, this, [this, i, placePoint]() { PlaceObject(i, placePoint); });
  }
}

void CSelvantisView::ExecuteMenuCommand(int id) {
  if (IsObjectCommand(id))
    ExecuteObjectCommand(id);
  else
    emit commandRequested(id);
}

bool CSelvantisView::ExecuteObjectCommand(int id) {
  if (!IsObjectCommand(id)) return false;
  return m_controller.RouteCommand(id);
}

CBaseDevice* CSelvantisView::PlaceObject(int index, const QPoint& canvasPoint) {
  CBaseDevice* object = CPlaceObjectRegistry::Place(index, m_doc, canvasPoint);
  if (object && m_doc.Contains(object)) m_controller.SetCurrentObject(object);
  UpdateScrollRange(true);
  RepaintAll();
  return object;
}

QPoint CSelvantisView::DefaultPlacePoint() const { return ViewToCanvas(viewport()->rect().center()); }

// ---- Hosts ----------------------------------------------------------------------------

void CSelvantisView::InvalidateCanvas(const QRect& canvasRect) {
  if (canvasRect.isNull()) {
    RepaintAll();
    return;
  }
  RepaintRect(QRect(CanvasToView(canvasRect.topLeft()), m_zoom.ToView(canvasRect).size()).adjusted(-2, -2, 2, 2));
}

void CSelvantisView::CurrentObjectChanged(CBaseDevice* object) { emit currentObjectChanged(object); }

void CSelvantisView::ShowHint(const QString& text) { emit hint(text); }

QRect CSelvantisView::TrackerClientRect() const { return viewport()->rect(); }

void CSelvantisView::TrackerScrollBy(int dx, int dy) {
  // Let the range grow while an object is dragged towards the far edges.
  if (dx > 0 && horizontalScrollBar()->value() + dx > horizontalScrollBar()->maximum())
    horizontalScrollBar()->setMaximum(horizontalScrollBar()->value() + dx);
  if (dy > 0 && verticalScrollBar()->value() + dy > verticalScrollBar()->maximum())
    verticalScrollBar()->setMaximum(verticalScrollBar()->value() + dy);
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
  verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void CSelvantisView::TrackerInvalidate(const QRect& rect) { RepaintRect(rect.adjusted(-2, -2, 2, 2)); }
