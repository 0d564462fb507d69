#include "editors/lists/framebars.h"

#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "model/ctext.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/picturebar.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kToolTipLength = 80;

}  // namespace

FrameBars::WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

FrameBars::WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

FrameBars::FrameBars(QMainWindow* frame, CommandHandler onCommand) : m_frame(frame), m_onCommand(std::move(onCommand)) {
  frame->setWindowFlags(Qt::Widget);
}

std::vector<FrameBars::Button> FrameBars::EditorSwitchButtons() {
  return ButtonsOf(EntryListRules::EditorSwitchCommands());
}

std::vector<FrameBars::Button> FrameBars::ButtonsOf(const std::vector<uint32_t>& ids) {
  std::vector<Button> buttons;
  buttons.reserve(ids.size());
  for (uint32_t id : ids) buttons.push_back({id, nullptr});
  return buttons;
}

QString FrameBars::ToolTipOf(const QString& text) {
  const int lineBreak = text.indexOf(QLatin1Char('\n'));
  const QString tip = lineBreak >= 0 ? text.mid(lineBreak + 1) : text;
  return tip.left(kToolTipLength);
}

QToolBar* FrameBars::MakeBar(const QString& name, const std::vector<Button>& buttons) {
  auto* bar = new QToolBar(m_frame);
  bar->setObjectName(name);
  PictureBar::Decorate(bar);
  for (const Button& button : buttons) {
    const uint32_t id = button.command;
    if (id == 0) {
      bar->addSeparator();
      continue;
    }
    // The button's text and its tool tip share one string, split at a line break.
    const QString text = EntryFrameCommands::SwitchText(id);
    const int lineBreak = text.indexOf(QLatin1Char('\n'));
    QAction* action = bar->addAction(lineBreak >= 0 ? text.left(lineBreak) : text);
    action->setObjectName(Fmt("command%u", id));
    action->setToolTip(ToolTipOf(text));
    PictureBar::SetPicture(action, id, button.icon);
    QObject::connect(action, &QAction::triggered, m_frame, [this, id] { m_onCommand(id); });
    m_actions[id] = action;
  }
  return bar;
}

QToolBar* FrameBars::AddBar(const QString& name, const std::vector<Button>& buttons) {
  QToolBar* bar = MakeBar(name, buttons);
  m_frame->addToolBar(Qt::TopToolBarArea, bar);
  return bar;
}

QToolBar* FrameBars::AddSwitchBar(const QString& name, const std::vector<Button>& buttons) {
  QToolBar* bar = MakeBar(name, buttons);
  EntryFrameCommands::PlaceSwitchBar(m_frame, bar);
  bar->setProperty(CFrameHostDialog::kSwitchColumnProperty, true);
  return bar;
}

QAction* FrameBars::Action(uint32_t id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

void FrameBars::Enable(const std::vector<uint32_t>& ids, bool enabled) {
  for (uint32_t id : ids) {
    if (QAction* action = Action(id)) action->setEnabled(enabled);
  }
}

QProgressBar* FrameBars::Progress() const { return m_progress.data(); }

std::function<void(int, int)> FrameBars::ProgressReporter() {
  return [this, frame = QPointer<QMainWindow>(m_frame)](int done, int total) {
    if (frame) ShowProgress(done, total);
  };
}

void FrameBars::ShowProgress(int done, int total) {
  if (total <= 0) {
    delete m_progress.data();
    return;
  }
  if (!m_progress) {
    m_progress = new QProgressBar(m_frame->statusBar());
    m_frame->statusBar()->addWidget(m_progress, 1);
    m_progress->show();
  }
  m_progress->setRange(0, total);
  m_progress->setValue(std::min(done, total));
}
