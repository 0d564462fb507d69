// The cursor the X server shows while rows are dragged in a dialog, under a
// real window manager: wherever the mouse is in the lines-and-groups dialog
// cursor 448, in the card configuration dialog the plain arrow, each with
// its tip on the pointer, and cursor 106 outside them. Offscreen there is no cursor to see, so the test runs the dialog
// on a virtual X server with a small window manager and reads the cursor the server shows (the XFixes extension, loaded
// when the test runs).
#include "amps/cgroup.h"
#include "amps/czone.h"
#include "amps/ui/clinesgroupsdlg.h"
#include "amps/ui/dragcursors.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cresizabletreectrl.h"
#include "support/tempprofile.h"
#include "support/underwindowmanager.h"
#include "support/waituntil.h"
#include "unit/ui/ckcmconfigurationdlg.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Last: the X headers define words the Qt headers use.
#if __has_include(<X11/extensions/Xfixes.h>)
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#undef None
#undef Bool
#undef Status
#undef KeyPress
#undef KeyRelease
#undef FocusIn
#undef FocusOut
#undef CursorShape
#undef Expose
#undef Unsorted
#undef Always
#undef Success
#define SELV_HAVE_XFIXES 1
#endif

namespace {

#ifdef SELV_HAVE_XFIXES

constexpr const char* kX11Library = "libX11.so.6";
constexpr const char* kXfixesLibrary = "libXfixes.so.3";

// What the X server shows as the pointer, read through XFixes on a
// connection of its own. The libraries are loaded when the test runs: the
// test program does not link them.
class ServerCursor final {
 public:
  // Empty when both libraries load; else which one is missing.
  static QString Missing() {
    for (const char* name : {kX11Library, kXfixesLibrary}) {
      void* lib = dlopen(name, RTLD_NOW | RTLD_LOCAL);
      if (lib == nullptr)
        return QStringLiteral("needs the X library %1 (libx11-6, libxfixes3)").arg(QLatin1String(name));
      dlclose(lib);
    }
    return QString();
  }

  ServerCursor() {
    m_x11 = dlopen(kX11Library, RTLD_NOW | RTLD_LOCAL);
    m_fixes = dlopen(kXfixesLibrary, RTLD_NOW | RTLD_LOCAL);
    if (m_x11 == nullptr || m_fixes == nullptr) return;
    m_open = reinterpret_cast<Display* (*)(const char*)>(dlsym(m_x11, "XOpenDisplay"));
    m_close = reinterpret_cast<int (*)(Display*)>(dlsym(m_x11, "XCloseDisplay"));
    m_free = reinterpret_cast<int (*)(void*)>(dlsym(m_x11, "XFree"));
    m_image = reinterpret_cast<XFixesCursorImage* (*)(Display*)>(dlsym(m_fixes, "XFixesGetCursorImage"));
    if (m_open && m_close && m_free && m_image) m_display = m_open(nullptr);
  }
  ~ServerCursor() {
    if (m_display != nullptr) m_close(m_display);
    if (m_fixes != nullptr) dlclose(m_fixes);
    if (m_x11 != nullptr) dlclose(m_x11);
  }
  ServerCursor(const ServerCursor&) = delete;
  ServerCursor& operator=(const ServerCursor&) = delete;
  bool Ready() const { return m_display != nullptr; }

  // The picture (premultiplied ARGB) and where its hot spot lies.
  QImage Read(QPoint* hotSpot) const {
    XFixesCursorImage* cursor = m_image(m_display);
    if (cursor == nullptr) return QImage();
    QImage image(cursor->width, cursor->height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < cursor->height; ++y)
      for (int x = 0; x < cursor->width; ++x)
        image.setPixel(x, y, static_cast<uint>(cursor->pixels[y * cursor->width + x] & 0xFFFFFFFFu));
    *hotSpot = QPoint(cursor->xhot, cursor->yhot);
    m_free(cursor);
    return image;
  }

 private:
  void* m_x11 = nullptr;
  void* m_fixes = nullptr;
  Display* m_display = nullptr;
  Display* (*m_open)(const char*) = nullptr;
  int (*m_close)(Display*) = nullptr;
  int (*m_free)(void*) = nullptr;
  XFixesCursorImage* (*m_image)(Display*) = nullptr;
};

QImage Premultiplied(const QPixmap& pixmap) {
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Pictures drawn alike: the same size and hardly a pixel apart (the server
// may round the premultiplied colours).
bool SamePicture(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return false;
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      if (qAbs(qAlpha(p) - qAlpha(q)) > 2 || qAbs(qRed(p) - qRed(q)) > 2 || qAbs(qGreen(p) - qGreen(q)) > 2 ||
          qAbs(qBlue(p) - qBlue(q)) > 2)
        ++differing;
    }
  return differing == 0;
}

// Whether the server's cursor shows picture (a cursor picture whose
// arrow's tip is at its top left) with that top left on the pointer, and
// nothing else.
bool ShowsAtPointer(const QImage& shown, QPoint hotSpot, const QImage& picture) {
  if (shown.isNull() || picture.isNull()) return false;
  const QRect placed(hotSpot, picture.size());
  QImage expected(shown.size(), QImage::Format_ARGB32_Premultiplied);
  expected.fill(Qt::transparent);
  if (!expected.rect().contains(placed)) return false;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) expected.setPixel(hotSpot.x() + x, hotSpot.y() + y, picture.pixel(x, y));
  return SamePicture(shown, expected);
}

// What was seen at one place of the drag.
struct Seen {
  bool matched = false;
  QSize size;
  QPoint hotSpot;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
  return out << "a " << seen.size.width() << "x" << seen.size.height() << " cursor with its hot spot at "
             << seen.hotSpot.x() << "," << seen.hotSpot.y();
}

// Room kept between the dialog's frame and the place outside it.
constexpr int kFrameMargin = 40;

// Where the window manager has framed the dialog's window. The window's
// own account: the widget's copy of the frame is not updated when only the
// frame changes, and may keep the one-pixel frame the manager begins with.
QRect FrameOf(const QWidget& dialog) {
  const QWindow* window = dialog.windowHandle();
  return window != nullptr ? window->frameGeometry() : QRect();
}

// Shows the dialog and waits until the window manager has mapped and framed
// it: it is on the screen, and Qt knows where, whether or not the manager
// gave it the focus (the manager decides that, and the drag does not need
// it).
void ShowManaged(QWidget& dialog) {
  dialog.show();
  const bool framed = WaitUntil([&] {
    const QWindow* window = dialog.windowHandle();
    return window != nullptr && window->isExposed() && FrameOf(dialog).contains(window->geometry());
  });
  ASSERT_TRUE(framed) << "the dialog's frame " << FrameOf(dialog).width() << "x" << FrameOf(dialog).height();
}

// Picks up the row at row of source (pressed, then moved past the drag
// distance, as a hand does) in the shown dialog, moves the pointer to a
// place inside the dialog and then outside it, and notes whether the
// server showed the expected cursor at each; Escape ends the drag.
void DragAndWatch(const ServerCursor& server, QWidget& dialog, QWidget* source, QPoint row, const QImage& inside,
                  const QImage& outside, Seen* seenInside, Seen* seenOutside) {
  const QRect frame = FrameOf(dialog);
  const QRect screen = dialog.screen()->geometry();
  const QPoint within = dialog.mapToGlobal(QPoint(dialog.width() / 2, dialog.height() - 8));
  // The corner of the screen farthest from the dialog: clear of it and of
  // its frame, wherever the window manager put it.
  const QPoint beyond(frame.center().x() < screen.center().x() ? screen.right() - 10 : screen.left() + 10,
                      frame.center().y() < screen.center().y() ? screen.bottom() - 10 : screen.top() + 10);
  ASSERT_FALSE(frame.adjusted(-kFrameMargin, -kFrameMargin, kFrameMargin, kFrameMargin).contains(beyond))
      << "the dialog's frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
  QTest::mouseMove(source, row);
  QCursor::setPos(source->mapToGlobal(row));
  QApplication::processEvents();

  bool finished = false;
  // The pointer is moved to a place (a small step there and back now and
  // then, as a hand does); once the server shows the expected picture, or
  // after a time that only a hang takes, it goes on.
  std::vector<std::unique_ptr<std::function<void()>>> polls;
  auto await = [&](QPoint at, const QImage& expected, Seen* seen, std::function<void()> next) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto step = std::make_shared<int>(0);
    polls.push_back(std::make_unique<std::function<void()>>());
    std::function<void()>* poll = polls.back().get();
    *poll = [&server, at, expected, seen, next, clock, step, poll] {
      // Not before the drag runs: the server's pointer has no button down.
      if (QGuiApplication::overrideCursor() == nullptr && clock->elapsed() < kHangLimitMs / 4) {
        QTimer::singleShot(20, [poll] { (*poll)(); });
        return;
      }
      QCursor::setPos(at + QPoint((++*step / 5) % 2, 0));
      const QImage shown = server.Read(&seen->hotSpot);
      seen->size = shown.size();
      seen->matched = ShowsAtPointer(shown, seen->hotSpot, expected);
      if (seen->matched || clock->elapsed() > kHangLimitMs / 4) {
        next();
        return;
      }
      QTimer::singleShot(20, [poll] { (*poll)(); });
    };
    QTimer::singleShot(20, [poll] { (*poll)(); });
  };
  QTest::mousePress(source, Qt::LeftButton, {}, row);
  QTest::mouseMove(source, row + QPoint(2, 0));
  QTimer::singleShot(0, [&] {
    // Inside the dialog, over another part than the control the drag began
    // in.
    await(within, inside, seenInside, [&] {
      await(beyond, outside, seenOutside, [&] {
        finished = true;
        QTest::keyClick(&dialog, Qt::Key_Escape);
      });
    });
  });
  QTest::mouseMove(source, row + QPoint(QApplication::startDragDistance() + 8, 0));
  ASSERT_TRUE(WaitUntil([&] { return finished; }));
  QTest::mouseRelease(source, Qt::LeftButton, {}, row);
}

#endif

// Run by TheDragCursorUnderAWindowManager on the virtual X server, with the
// window manager running.
TEST(DragCursorWmTest, Child) {
  if (qEnvironmentVariable("SELV_WM_CHILD") != QStringLiteral("1"))
    GTEST_SKIP() << "run by TheDragCursorUnderAWindowManager";
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
#ifndef SELV_HAVE_XFIXES
  GTEST_SKIP() << "built without the XFixes headers (libxfixes-dev; scripts/deps.sh installs it)";
#else
  const QString missing = ServerCursor::Missing();
  if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  ServerCursor server;
  ASSERT_TRUE(server.Ready()) << "no XFixes on the X server";
  TempProfile profile;
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  auto zone = std::make_unique<CZone>();
  ASSERT_TRUE(zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc));
  doc.Adopt(std::move(zone));

  // The lines-and-groups dialog: cursor 448 inside, 106 outside.
  {
    std::vector<CBaseDevice*> chosen;
    CLinesGroupsDlg dlg(&chosen, nullptr, &doc);
    ShowManaged(dlg);
    CEditableListCtrl* unused = dlg.GetUnusedList();
    ASSERT_GE(unused->GetItemCount(), 1);
    unused->SelectRow(0);
    const QPoint row = unused->visualItemRect(unused->topLevelItem(0)).center();
    Seen inside, outside;
    DragAndWatch(server, dlg, unused->viewport(), row, Premultiplied(DragCursors::DropCursor()),
                 Premultiplied(DragCursors::RefusedCursor()), &inside, &outside);
    EXPECT_TRUE(inside.matched) << "lines and groups, inside: " << inside;
    EXPECT_TRUE(outside.matched) << "lines and groups, outside: " << outside;
    EXPECT_TRUE(chosen.empty());
    dlg.reject();
  }
  // The card dialog: the plain arrow inside, 106 outside.
  {
    CKCMConfigurationDlg dlg(doc);
    ShowManaged(dlg);
    dlg.Tree()->setCurrentItem(dlg.Tree()->topLevelItem(0));
    CEditableListCtrl* offers = dlg.OfferList();
    ASSERT_EQ(offers->GetItemCount(), 1);
    const QPoint row = offers->visualItemRect(offers->topLevelItem(0)).center();
    Seen inside, outside;
    DragAndWatch(server, dlg, offers->viewport(), row, Premultiplied(DragCursors::ArrowCursor()),
                 Premultiplied(DragCursors::RefusedCursor()), &inside, &outside);
    EXPECT_TRUE(inside.matched) << "card configuration, inside: " << inside;
    EXPECT_TRUE(outside.matched) << "card configuration, outside: " << outside;
    EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 0);
    dlg.reject();
  }
#endif
}

TEST(DragCursorWmTest, TheDragCursorUnderAWindowManager) {
#ifndef SELV_HAVE_XFIXES
  GTEST_SKIP() << "built without the XFixes headers (libxfixes-dev; scripts/deps.sh installs it)";
#else
  for (const QString& missing : {UnderWindowManager::Missing(), ServerCursor::Missing()})
    if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  UnderWindowManager desktop;
  QString why;
  ASSERT_TRUE(desktop.Start(&why)) << why.toStdString();
  const QString child = QStringLiteral("DragCursorWmTest.Child");
  QString output;
  const bool passed = desktop.RunChild(child, &output);
  if (UnderWindowManager::ChildSkipped(child, output, &why)) GTEST_SKIP() << why.toStdString();
  EXPECT_TRUE(passed) << output.toStdString();
#endif
}

}  // namespace
