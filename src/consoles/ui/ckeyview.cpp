#include "consoles/ui/ckeyview.h"

#include "consoles/cconskey.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "consoles/consolekeylayout.h"
#include "consoles/ui/cconsoleprintjob.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeypropertieslogic.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "consoles/ui/conskeybutton.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/fittexttowidth.h"
#include "shell/printerchoice.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QPrinter>
#include <QProxyStyle>
#include <QStyleFactory>

#include <algorithm>
#include <vector>

namespace {

constexpr int kNameChars = 100;
// Key labels print in an 8-point narrow face; name and titles in pixels of
// the drawing.
constexpr int kLabelFontPt = 8;
constexpr int kTextFontPx = 16;
// Key tool tips come quicker than the desktop's default.
constexpr int kToolTipDelayMs = 200;
constexpr int kTitleFontPx = 18;
constexpr int kTitleHalfWidth = 400;
const QColor kBackground(132, 174, 172);

QFont PixelFont(const QString& family, int pixels, QFont::Weight weight) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setWeight(weight);
  return font;
}

QRect ToQRect(const KeyBox& box) { return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1)); }

KeyBox ToKeyBox(const QRect& rect) { return KeyBox{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

KeyBox Shrunk(const KeyBox& box, int dx, int dy) {
  return KeyBox{box.left + dx, box.top + dy, box.right - dx, box.bottom - dy};
}

class KeyButtonStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return kToolTipDelayMs;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

CKeyView::CKeyView(CConsole& console, IKeyViewHost& host, QWidget* parent)
    : QWidget(parent),
      m_console(console),
      m_host(host),
      m_keyStyle(std::make_unique<KeyButtonStyle>(QStyleFactory::create(QApplication::style()->name()))) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setMinimumSize(200, 120);
}

CKeyView::~CKeyView() {
  // The dialog must not call back into a half-destroyed view.
  if (m_pKeyDlg) {
    m_pKeyDlg->disconnect(this);
    delete m_pKeyDlg.data();
  }
  for (const auto& entry : m_buttons) const_cast<CConsKey*>(entry.first)->SetSelected(false);
  // The buttons go before the style they use.
  for (auto& entry : m_buttons) delete entry.second;
  m_buttons.clear();
}

void CKeyView::CreateKeyButtons() {
  for (auto& entry : m_buttons) delete entry.second;
  m_buttons.clear();
  m_cells.clear();
  const CConsProp& prop = m_console.GetProp();
  const int count = prop.GetProgrammableKeyCount();
  const int unit = ConsoleKeyLayout::UnitOf(height());
  auto place = [this](CConsKey* key, const ConsoleKeyLayout::Cell& cell) {
    if (key == nullptr) return;
    // The button shows itself unless its key is not drawn on this model.
    auto* button = new ConsKeyButton(key, this, [this](int id) { return PictureOf(id); });
    button->setStyle(m_keyStyle.get());
    button->setFont(PixelFont(QStringLiteral("Arial"), kTextFontPx, QFont::Medium));
    button->setGeometry(ToQRect(cell.window));
    connect(button, &ConsKeyButton::selectRequested, this, &CKeyView::SelectKey);
    connect(button, &ConsKeyButton::openPropsRequested, this, &CKeyView::OpenKeyProperties);
    connect(button, &ConsKeyButton::doubleClicked, this, &CKeyView::OnKeyDoubleClicked);
    m_buttons[key] = button;
    m_cells[key] = cell.cell;
  };
  for (int i = 0; i < count; ++i)
    place(prop.GetKeyAt(ConsoleKeyLayout::ArrayPositionAt(count, i)),
          ConsoleKeyLayout::ProgrammableCell(unit, count, i));
  for (int p = 0; p < CConsKey::kFixedKeyCount; ++p)
    place(prop.FindKey(CConsKey::FixedKeyNumber(p)), ConsoleKeyLayout::FixedCell(unit, count, p));
  const CConsKey* key108 = prop.FindKey(CConsKey::kTalkKey);
  SetLayout(count, key108 != nullptr ? RectOf(*key108) : KeyBox{});
}

void CKeyView::DestroyKeyButtons() {
  for (auto& entry : m_buttons) {
    entry.second->hide();
    delete entry.second;
  }
  m_buttons.clear();
  m_cells.clear();
  update();
}

void CKeyView::SetLayout(int keyCount, const KeyBox& key108) {
  m_nKeyCount = keyCount;
  const KeyBox client{0, 0, width(), height()};
  const int scrollWidth = CKeyViewLogic::ScrollWidth(client.Width(), key108);
  if (scrollWidth > 0) setMinimumWidth(scrollWidth);
  m_drawing = CKeyViewLogic::DrawingRect(client, key108);
  update();
}

ConsKeyButton* CKeyView::ButtonOf(const CConsKey* key) const {
  const auto it = m_buttons.find(key);
  return it == m_buttons.end() ? nullptr : it->second;
}

KeyBox CKeyView::RectOf(const CConsKey& key) const {
  const ConsKeyButton* button = ButtonOf(&key);
  return button != nullptr ? ToKeyBox(button->geometry()) : KeyBox{};
}

QPixmap CKeyView::PictureOf(int pictureId) {
  const QPixmap* picture = m_images.Bitmaps().GetBitmap(pictureId);
  return picture != nullptr ? *picture : QPixmap();
}

CConsKey* CKeyView::HitTestKey(const QPoint& point) const {
  return CKeyViewLogic::HitTestKey(m_console.GetProp(), point.x(), point.y(),
                                   [this](const CConsKey& key) { return RectOf(key); });
}

CConsKey* CKeyView::FindKeyByTarget(const CBaseDevice* target) const {
  return CKeyViewLogic::FindKeyByTarget(m_console.GetProp(), target);
}

void CKeyView::KeyChanged(unsigned flags, const KeyTarget& first, const KeyTarget& second) {
  if (m_pSelected == nullptr) return;
  if ((flags & 2U) != 0) m_pSelected->SetSecondTarget(second);
  if ((flags & 1U) != 0) m_pSelected->UpdateLabel(first);
  if (ConsKeyButton* button = ButtonOf(m_pSelected)) button->Refresh();
  m_host.SetModified();
}

void CKeyView::OpenKeyProperties(CConsKey* key) {
  if (key == nullptr || m_pKeyDlg) return;
  auto* dlg = new CKeyPropertiesDlg(this, key);
  m_pKeyDlg = dlg;
  connect(dlg, &QObject::destroyed, this, &CKeyView::OnKeyDialogDestroyed);
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  dlg->show();
  SelectKey(key);
}

void CKeyView::OnKeyDoubleClicked(CConsKey* key) {
  if (m_pKeyDlg) {
    // As a click on the key, and the dialog comes to the front.
    SelectKey(key);
    m_pKeyDlg->raise();
    m_pKeyDlg->activateWindow();
    return;
  }
  OpenKeyProperties(key);
}

void CKeyView::SelectKey(CConsKey* key) {
  if (!m_pKeyDlg || key == nullptr || key == m_pSelected) return;
  if (m_pSelected != nullptr) {
    m_pSelected->SetSelected(false);
    if (ConsKeyButton* button = ButtonOf(m_pSelected)) button->Refresh();
  }
  m_pSelected = key;
  key->SetSelected(true);
  if (ConsKeyButton* button = ButtonOf(key)) button->Refresh();
  m_pKeyDlg->ShowKey(key);
}

void CKeyView::CloseKeyDialog() {
  if (m_pKeyDlg) m_pKeyDlg->close();
}

void CKeyView::UnselectKey() {
  if (m_pSelected != nullptr) {
    m_pSelected->SetSelected(false);
    if (ConsKeyButton* button = ButtonOf(m_pSelected)) button->Refresh();
  }
  m_pSelected = nullptr;
}

void CKeyView::OnKeyDialogDestroyed() {
  m_pKeyDlg = nullptr;
  UnselectKey();
}

void CKeyView::FillObjectList(int list, QListWidget* ctrl) {
  if (ctrl == nullptr) return;
  const CSelvantisDoc* doc = GetActiveDoc();
  if (doc == nullptr) return;
  for (CBaseDevice* object : doc->GetObjectList(list)) {
    auto* item = new QListWidgetItem(object->GetName().left(kNameChars), ctrl);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(object)));
  }
}

void CKeyView::FillSignalList(int type, QListWidget* ctrl) {
  if (ctrl == nullptr) return;
  std::vector<CBaseDevice*> signalList;
  GetActiveDocDeviceList(signalList, type);
  for (CBaseDevice* signal : signalList) {
    if (!CKeyPropertiesLogic::IsOfferedInList(type, *signal)) continue;
    auto* item = new QListWidgetItem(signal->GetName().left(kNameChars), ctrl);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(signal)));
  }
}

void CKeyView::RefreshButtons() {
  for (auto& entry : m_buttons) entry.second->Refresh();
  update();
}

void CKeyView::RefreshAfterProgramming() {
  RefreshButtons();
  if (m_pKeyDlg && m_pSelected != nullptr) m_pKeyDlg->ShowKey(m_pSelected);
}

bool CKeyView::OnCommand(int id, IDeviceLink* link) {
  switch (id) {
    case ID_KEYS_RANGE:
      if (!CKeyViewLogic::RangeKeyProgramming(m_console, m_host)) return false;
      RefreshAfterProgramming();
      return true;
    case ID_KEYS_CLEAR_ALL:
      if (!CKeyViewLogic::ClearAllKeyProgramming(m_console, m_host)) return false;
      RefreshAfterProgramming();
      return true;
    case ID_KEYS_COPY: return CKeyViewLogic::CopyKeyProgramming(m_console, m_host);
    case ID_CONSOLE_DOWNLOAD:
    case ID_CONSOLE_UPLOAD: {
      if (link == nullptr) return false;
      // The transfer lets events in: the sheet takes no input meanwhile, so
      // it cannot be edited, closed under the view or asked for a second run.
      QPointer<CKeyView> self(this);
      QPointer<QWidget> top(window());
      const bool wasEnabled = top->isEnabled();
      top->setEnabled(false);
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      const bool ok = CKeyViewLogic::TransferConsole(m_console, id == ID_CONSOLE_UPLOAD, *link);
      QGuiApplication::restoreOverrideCursor();
      if (top) top->setEnabled(wasEnabled);
      if (self) RefreshButtons();
      return ok;
    }
    case ID_CONSOLE_PRINT: return PrintConsole();
    case ID_CONSOLE_SW_VERSION:
      if (link == nullptr) return false;
      return !CKeyViewLogic::GetSwVersion(m_console, *link).isEmpty();
    default: return false;
  }
}

void CKeyView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && m_pKeyDlg) {
    if (CConsKey* key = HitTestKey(event->position().toPoint())) {
      SelectKey(key);
      return;
    }
  }
  QWidget::mousePressEvent(event);
}

void CKeyView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (m_pKeyDlg) {
    OnKeyDoubleClicked(nullptr);
  } else if (CConsKey* key = HitTestKey(event->position().toPoint())) {
    OpenKeyProperties(key);
  }
  QWidget::mouseDoubleClickEvent(event);
}

void CKeyView::UpdateHousing() {
  const CConsProp& prop = m_console.GetProp();
  const CConsKey* key1 = prop.FindKey(1);
  if (CKeyViewLogic::HasExtension(m_nKeyCount) && key1 != nullptr && !m_drawing.IsEmpty()) {
    m_extension = CKeyViewLogic::ExtensionRect(m_drawing, RectOf(*key1));
  } else {
    m_extension = KeyBox{};
  }
  const CConsKey* key103 = prop.FindKey(103);
  const CConsKey* key105 = prop.FindKey(105);
  m_name = CKeyViewLogic::HasNameDisplay(prop) && key103 != nullptr && key105 != nullptr
               ? CKeyViewLogic::NameRect(RectOf(*key103), RectOf(*key105))
               : KeyBox{};
}

void CKeyView::PaintConsole(QPainter& painter, bool bPrinting) {
  UpdateHousing();
  painter.save();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  const CConsProp& prop = m_console.GetProp();
  KeyBox housing = m_drawing;
  const int bx = 4;
  const int by = 8;
  const QColor field(220, 220, 220);
  const CConsKey* key1 = prop.FindKey(1);
  if (!m_extension.IsEmpty() && key1 != nullptr) {
    housing.left = CKeyViewLogic::MainLeftWithExtension(RectOf(*key1));
    painter.drawRoundedRect(ToQRect(m_extension), 25, 25);
    const KeyBox extField = CKeyViewLogic::ExtensionField(m_extension, RectOf(*key1), bx, by);
    if (!extField.IsEmpty()) {
      painter.setBrush(field);
      painter.drawRect(ToQRect(extField));
      // The extension's maker and model near the field's right edge.
      const QRect text(QPoint(extField.left, extField.top + by), QPoint(extField.right - bx - 1, extField.bottom - 1));
      painter.setFont(PixelFont(QStringLiteral("Arial"), kTitleFontPx, QFont::Bold));
      painter.drawText(text, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                       QString::fromLatin1(CKeyViewLogic::kMakerName));
      painter.setFont(PixelFont(QStringLiteral("Arial"), kTextFontPx, QFont::Medium));
      painter.drawText(text.adjusted(0, kTitleFontPx + 4, 0, 0), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                       QString::fromLatin1(CKeyViewLogic::kExtensionModel));
    }
    painter.setBrush(Qt::NoBrush);
  }
  if (housing.IsEmpty()) {
    painter.restore();
    return;
  }
  painter.drawRoundedRect(ToQRect(housing), 25, 25);
  painter.setBrush(field);
  painter.drawRect(ToQRect(Shrunk(housing, bx * 5 / 2, by)));
  // Fonts in pixels of the drawing, so that a scaled painter (the printer)
  // scales them with the housing.
  if (!m_name.IsEmpty()) {
    painter.setBrush(QColor(50, 200, 50));
    painter.setPen(QPen(QColor(128, 128, 128), 5));
    painter.drawRoundedRect(ToQRect(m_name), 5, 5);
    painter.setPen(Qt::black);
    painter.setFont(PixelFont(QStringLiteral("Arial"), kTextFontPx, QFont::Medium));
    painter.drawText(ToQRect(m_name).adjusted(0, 3, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     CKeyViewLogic::DisplayName(m_console.GetName()));
    // Above the display: the maker at its left, the model at its right.
    const QFont makerFont = PixelFont(QStringLiteral("Arial"), kTitleFontPx, QFont::Bold);
    const QFont modelFont = PixelFont(QStringLiteral("Arial"), kTextFontPx, QFont::Medium);
    const QString model = prop.GetParamText(CConsProp::P_TYPE);
    // Wide enough for both texts side by side.
    const int both = QFontMetrics(makerFont).horizontalAdvance(QString::fromLatin1(CKeyViewLogic::kMakerName)) +
                     QFontMetrics(modelFont).horizontalAdvance(model) + 8;
    const QRect over(m_name.left + 2, m_name.top - 22, std::max(m_name.Width() - 2, both), kTitleFontPx + 2);
    painter.setFont(makerFont);
    painter.drawText(over, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromLatin1(CKeyViewLogic::kMakerName));
    painter.setFont(modelFont);
    painter.drawText(over, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, model);
  }
  // Every key's block with its number and label, programmable keys first.
  const int labelPx = std::max(1, kLabelFontPt * logicalDpiY() / 72);
  painter.setFont(PixelFont(QStringLiteral("Arial Narrow"), labelPx, QFont::Normal));
  auto block = [&](const CConsKey* key) {
    const auto cell = m_cells.find(key);
    if (key == nullptr || cell == m_cells.end()) return;
    if (CKeyViewLogic::FaceOf(*key) != CKeyViewLogic::KeyFace::Hidden) PaintKeyBlock(painter, *key, cell->second);
  };
  for (const auto& key : prop.GetProgrammableKeys()) block(key.get());
  for (const auto& key : prop.GetFixedKeys()) block(key.get());
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  if (bPrinting) {
    // Child widgets do not print: every key is drawn at its button's place.
    for (const auto& entry : m_buttons) {
      const QRect rect = entry.second->geometry();
      const CKeyViewLogic::KeyFace face = CKeyViewLogic::FaceOf(*entry.first);
      if (face == CKeyViewLogic::KeyFace::Hidden || face == CKeyViewLogic::KeyFace::Blank) continue;
      if (face == CKeyViewLogic::KeyFace::Picture) {
        const QPixmap picture = PictureOf(entry.first->GetPicture());
        if (!picture.isNull()) painter.drawPixmap(rect, picture);
        continue;
      }
      painter.setPen(QPen(Qt::black, 1));
      painter.setBrush(Qt::white);
      painter.drawRoundedRect(rect, 3, 3);
      painter.drawText(rect.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, entry.first->GetLabel());
    }
    painter.setBrush(Qt::NoBrush);
    painter.setFont(PixelFont(QStringLiteral("Arial"), kTitleFontPx, QFont::Bold));
    const bool bExtension = !m_extension.IsEmpty();
    const QString name = m_console.GetName();
    auto title = [&painter](int centreX, int bottom, const QString& text) {
      const QRect box(centreX - kTitleHalfWidth, bottom - 2 * kTitleFontPx, 2 * kTitleHalfWidth, 2 * kTitleFontPx);
      painter.drawText(box, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, text);
    };
    if (bExtension) {
      title((m_extension.left + m_extension.right) / 2, m_extension.top - 20, CKeyViewLogic::SlaveTitle(name));
    }
    title((housing.left + housing.right) / 2, housing.top - 30, CKeyViewLogic::MasterTitle(name, bExtension));
  }
  painter.restore();
}

void CKeyView::PaintKeyBlock(QPainter& painter, const CConsKey& key, const KeyBox& box) {
  const QRect cell = ToQRect(box);
  painter.setBrush(QColor(128, 128, 128));
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRoundedRect(cell, 6, 6);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 0, 0), 2));
  painter.drawRoundedRect(cell.adjusted(1, 1, -1, -1), 6, 6);
  // The label strip under the button, the label cut to fit it.
  const QFontMetrics metrics(painter.font());
  const KeyBox strip = CKeyViewLogic::LabelArea(box, metrics.averageCharWidth(), metrics.height());
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(255, 255, 0));
  painter.drawRoundedRect(ToQRect(strip), 4, 4);
  painter.drawText(ToQRect(strip), Qt::AlignCenter | Qt::TextSingleLine,
                   FitTextToWidth(metrics, strip.Width() - 2, key.GetLabel()));
  // The key number in a circle at the block's upper left corner.
  const QString number = Fmt("%d", key.GetNumber());
  const int side = std::max(metrics.height(), metrics.horizontalAdvance(number) + 4);
  const QRect circle(cell.left() + 2, cell.top() + 2, side, side);
  painter.setBrush(QColor(0, 255, 0));
  painter.drawEllipse(circle);
  painter.drawText(circle, Qt::AlignCenter | Qt::TextSingleLine, number);
}

void CKeyView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), kBackground);
  PaintConsole(painter, false);
}

bool CKeyView::PrintTo(QPagedPaintDevice& device, QString* error) {
  if (m_buttons.empty()) CreateKeyButtons();
  UpdateHousing();
  const CSelvantisDoc* doc = m_console.GetDocument();
  CConsolePrintJob job(m_drawing, m_extension, m_nKeyCount, doc != nullptr ? doc->GetPathName() : QString(),
                       [this](QPainter& painter) { PaintConsole(painter, true); });
  job.SetScreenDpi(logicalDpiX(), logicalDpiY());
  return job.Print(device, error);
}

bool CKeyView::PrintConsole() {
  QPrinter fallback;
  QPrinter* chosen = ChoosePrinter(this, fallback);
  if (chosen == nullptr) return false;
  QPrinter& printer = *chosen;
  printer.setDocName(m_console.GetName());
  QString error;
  if (!PrintTo(printer, &error)) {
    AfxMessageBox(tr("The console could not be printed.") + QStringLiteral("\n") + error, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}
