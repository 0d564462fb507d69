#include "consoles/ui/cconsoleframe.h"

#include <QAction>
#include <QScrollArea>
#include <QToolBar>

#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "link/idevicelink.h"
#include "model/cstringtable.h"
#include "shell/ciconfactory.h"

namespace {

struct ToolCommand {
  int id;
  const char* icon;
};

// In tool-bar order; the on-line group follows a separator.
constexpr ToolCommand kCommands[] = {
    {CKeyView::ID_KEYS_RANGE, "properties"},     {CKeyView::ID_KEYS_CLEAR_ALL, "delete"},
    {CKeyView::ID_KEYS_COPY, "export"},          {CKeyView::ID_CONSOLE_PRINT, "print"},
    {CKeyView::ID_CONSOLE_DOWNLOAD, "download"}, {CKeyView::ID_CONSOLE_UPLOAD, "upload"},
    {CKeyView::ID_CONSOLE_SW_VERSION, "about"},
};

}  // namespace

CConsoleFrame::CConsoleFrame(bool bOnline, QWidget* parent) : QMainWindow(parent), m_bOnline(bOnline) {
  // A child window inside the page, not a window of its own.
  setWindowFlags(Qt::Widget);
  m_toolBar = new QToolBar(this);
  m_toolBar->setObjectName(QStringLiteral("toolbar%1").arg(kToolBarId));
  m_toolBar->setMovable(false);
  m_toolBar->setFloatable(false);
  m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addToolBar(Qt::TopToolBarArea, m_toolBar);
  for (const ToolCommand& command : kCommands) {
    if (command.id == CKeyView::ID_CONSOLE_DOWNLOAD) m_toolBar->addSeparator();
    const QString tip = LoadString(static_cast<uint32_t>(command.id));
    QAction* action = m_toolBar->addAction(CIconFactory::Icon(QString::fromLatin1(command.icon)), tip);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setData(command.id);
    if (IsOnlineCommand(command.id) && !bOnline) action->setEnabled(false);
    const int id = command.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions[command.id] = action;
  }
  m_scroll = new QScrollArea(this);
  m_scroll->setFrameShape(QFrame::NoFrame);
  m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_scroll->setWidgetResizable(true);
  setCentralWidget(m_scroll);
}

CConsoleFrame::~CConsoleFrame() = default;

QAction* CConsoleFrame::GetAction(int id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

bool CConsoleFrame::IsOnlineCommand(int id) {
  return id == CKeyView::ID_CONSOLE_DOWNLOAD || id == CKeyView::ID_CONSOLE_UPLOAD ||
         id == CKeyView::ID_CONSOLE_SW_VERSION;
}

void CConsoleFrame::SetActiveView(CKeyView* view) {
  if (view == m_view.data()) return;
  QWidget* old = m_scroll->takeWidget();
  m_view = view;
  if (view != nullptr) m_scroll->setWidget(view);
  delete old;
}

CKeyView* CConsoleFrame::GetActiveView() const { return m_view.data(); }

bool CConsoleFrame::OnCommand(int id) {
  // A disabled button cannot be clicked, but a command may also arrive by
  // its id; the unit is not asked while it is off line.
  if (IsOnlineCommand(id) && !m_bOnline) return false;
  if (CKeyView* view = m_view.data()) {
    if (view->OnCommand(id, GetDeviceLink())) return true;
  }
  // The frame has no commands of its own.
  return false;
}
