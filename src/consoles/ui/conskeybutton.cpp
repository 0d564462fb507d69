#include "consoles/ui/conskeybutton.h"

#include "consoles/cconskey.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "shell/controls/fittexttowidth.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <memory>

namespace {

constexpr uint32_t kStrKeyView = 34113;  // "Key view"
// The label keeps clear of the key's rounded edge.
constexpr int kLabelMargin = 8;

QString TextOf(uint32_t id, const char* fallback) {
  const QString text = LoadString(id);
  return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

}  // namespace

ConsKeyButton::ConsKeyButton(CConsKey* key, QWidget* parent, PictureFn pictureOf)
    : QPushButton(parent), m_pKey(key), m_pictureOf(std::move(pictureOf)) {
  setCheckable(true);
  setFocusPolicy(Qt::NoFocus);
  Refresh();
}

void ConsKeyButton::Refresh() {
  if (m_pKey == nullptr) return;
  const CKeyViewLogic::KeyFace face = CKeyViewLogic::FaceOf(*m_pKey);
  setVisible(face != CKeyViewLogic::KeyFace::Hidden);
  const QString label = m_pKey->GetLabel();
  setText(face == CKeyViewLogic::KeyFace::Label ? FitTextToWidth(fontMetrics(), width() - kLabelMargin, label)
                                                : QString());
  setToolTip(Fmt("%d: ", m_pKey->GetNumber()) + label);
  setChecked(m_pKey->IsSelected());
  update();
}

QMenu* ConsKeyButton::CreateContextMenu() {
  auto* menu = new QMenu(this);
  QAction* properties = menu->addAction(tr("&Properties..."));
  properties->setData(CKeyViewLogic::ID_KEY_PROPERTIES);
  connect(properties, &QAction::triggered, this, [this] { emit openPropsRequested(m_pKey); });
  if (m_pKey == nullptr || !CKeyViewLogic::HasKeyViewMenu(*m_pKey)) return menu;
  menu->addSeparator();
  QMenu* view = menu->addMenu(TextOf(kStrKeyView, "Key view"));
  auto* group = new QActionGroup(view);
  const struct {
    int id;
    const char* fallback;
  } items[] = {{CKeyViewLogic::ID_KEY_ALARM_SWITCH, "&Alarm switch"},
               {CKeyViewLogic::ID_KEY_KEY_SWITCH, "&Key switch"}};
  for (const auto& item : items) {
    QAction* action = view->addAction(TextOf(static_cast<uint32_t>(item.id), item.fallback));
    action->setData(item.id);
    action->setCheckable(true);
    action->setChecked(CKeyViewLogic::CheckedKeyView(*m_pKey) == item.id);
    group->addAction(action);
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] {
      if (m_pKey != nullptr && CKeyViewLogic::SetKeyView(*m_pKey, id)) Refresh();
    });
  }
  return menu;
}

void ConsKeyButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit selectRequested(m_pKey);
    event->accept();
    return;
  }
  QPushButton::mousePressEvent(event);
}

void ConsKeyButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit doubleClicked(m_pKey);
    event->accept();
    return;
  }
  QPushButton::mouseDoubleClickEvent(event);
}

void ConsKeyButton::contextMenuEvent(QContextMenuEvent* event) {
  // As a click first: with the key dialog open the key becomes its key.
  emit selectRequested(m_pKey);
  const std::unique_ptr<QMenu> menu(CreateContextMenu());
  menu->exec(event->globalPos());
  event->accept();
}

void ConsKeyButton::paintEvent(QPaintEvent* event) {
  const CKeyViewLogic::KeyFace face =
      m_pKey != nullptr ? CKeyViewLogic::FaceOf(*m_pKey) : CKeyViewLogic::KeyFace::Label;
  if (face == CKeyViewLogic::KeyFace::Label) {
    QPushButton::paintEvent(event);
    return;
  }
  if (face != CKeyViewLogic::KeyFace::Picture || !m_pictureOf) return;
  // The picture stands for the whole key, stretched over it.
  const QPixmap picture = m_pictureOf(m_pKey->GetPicture());
  if (picture.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(rect(), picture);
}

void ConsKeyButton::resizeEvent(QResizeEvent* event) {
  QPushButton::resizeEvent(event);
  // The label is cut to the width.
  Refresh();
}
