#include "shell/controls/cprogressdlg.h"

#include "link/cterminalprogress.h"
#include "shell/controls/ctextfitguard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

CProgressDlg::CProgressDlg(QWidget* parent)
    : QDialog(parent),
      m_text(new QLabel(this)),
      m_detail(new QLabel(this)),
      m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
  setWindowTitle(tr("Transfer"));
  m_text->setObjectName(QStringLiteral("text"));
  m_bar->setObjectName(QStringLiteral("progress"));
  // The line below says the share done, with the lines and the time left:
  // the bar's own figure would be a second one, rounded its own way.
  m_bar->setTextVisible(false);
  m_detail->setObjectName(QStringLiteral("detail"));
  m_detail->hide();
  m_cancel->setObjectName(QStringLiteral("cancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_text);
  layout->addWidget(m_bar);
  layout->addWidget(m_detail);
  layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
  connect(m_cancel, &QPushButton::clicked, this, &CProgressDlg::reject);
  Show();
}

void CProgressDlg::SetCancelHandler(ProgressState::CancelHandler handler) {
  m_state.SetCancelHandler(std::move(handler));
}

void CProgressDlg::SetRange(int lower, int upper) {
  m_state.SetRange(lower, upper);
  Show();
}

void CProgressDlg::SetPos(int pos) {
  if (m_state.SetPos(pos)) {
    Show();
  }
}

void CProgressDlg::SetProgress(int done, int total) {
  if (!m_clock.isValid()) m_clock.start();
  if (m_state.SetProgress(done, total)) {
    Show();
  }
  m_detail->setText(DetailText());
  m_detail->show();
}

QString CProgressDlg::DetailText() const {
  if (!m_clock.isValid()) return QString();
  return CTerminalProgress::Text(m_state.Pos() - m_state.Lower(), m_state.Upper() - m_state.Lower(), m_clock.elapsed())
      .trimmed();
}

void CProgressDlg::SetText(const QString& text) {
  m_state.SetText(text);
  m_text->setText(text);
}

void CProgressDlg::Show() {
  m_bar->setRange(m_state.Lower(), m_state.Upper());
  m_bar->setValue(m_state.Pos());
}

void CProgressDlg::reject() {
  // The transfer ends itself after Cancel and then closes this window; until
  // then the button is disabled so a second click does nothing.
  if (m_state.RequestCancel()) {
    m_cancel->setEnabled(false);
  }
}

void CProgressDlg::Finish() {
  QDialog::done(QDialog::Accepted);
  // Gone from the screen before whatever the caller shows next.
  QCoreApplication::sendPostedEvents(this);
}

void CProgressDlg::changeEvent(QEvent* event) {
  // A minimum, not a size: a window manager keeps a window at least this
  // wide, and the title of a transfer is long in German.
  if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::FontChange)
    setMinimumWidth(CTextFitGuard::TitleWidth(*this));
  QDialog::changeEvent(event);
}
