#include "shell/cmessageboxsink.h"

#include "shell/cmainframe.h"

#include <QApplication>
#include <QWidget>

QMessageBox::StandardButtons CMessageBoxSink::Buttons(uint32_t style) {
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_ABORTRETRYIGNORE: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon CMessageBoxSink::IconOf(uint32_t style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButton CMessageBoxSink::DefaultButton(uint32_t style) {
  switch (CMessageSink::DefaultAnswer(style)) {
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

int CMessageBoxSink::Answer(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
  }
}

QString CMessageBoxSink::Unbreakable(const QString& text) {
  QString shown;
  shown.reserve(text.size() + 16);
  bool quoted = false;
  bool command = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('"')) {
      quoted = !quoted;
      command = quoted && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('/');
      shown += c;
      continue;
    }
    if (!command) {
      shown += c;
      continue;
    }
    if (c == QLatin1Char(' ')) {
      shown += QChar(0x00A0);
    } else {
      shown += c;
      // A line may break after a slash; a word joiner keeps it whole.
      if (c == QLatin1Char('/')) shown += QChar(0x2060);
    }
  }
  return shown;
}

CMessageBoxSink::~CMessageBoxSink() {
  for (auto& notice : m_notices)
    if (notice.second) delete notice.second.data();
}

QMessageBox* CMessageBoxSink::Notice(const QString& key) const {
  const auto it = m_notices.find(key);
  return it == m_notices.end() ? nullptr : it->second.data();
}

void CMessageBoxSink::ShowNotice(const QString& key, const MessageRequest& request) {
  QPointer<QMessageBox>& notice = m_notices[key];
  if (!notice) {
    // The main window's: never stacked under it, gone with it, and no
    // window that keeps the program running once the main window has
    // closed. Not the active window's: it must not go with a progress
    // window that was active when it came.
    notice = new QMessageBox(AfxGetMainWnd());
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setWindowModality(Qt::NonModal);
    notice->setWindowTitle(QApplication::applicationDisplayName());
  }
  notice->setIcon(IconOf(request.style));
  notice->setText(Unbreakable(request.text));
  notice->setStandardButtons(QMessageBox::Ok);
  notice->show();
  notice->raise();
}

void CMessageBoxSink::WithdrawNotice(const QString& key) {
  const auto it = m_notices.find(key);
  if (it == m_notices.end()) return;
  if (it->second) it->second->close();
  m_notices.erase(it);
}

int CMessageBoxSink::Show(const MessageRequest& request) {
  // Over the window it is about; where no window of the program is active
  // (the user works in another program), over the main window, never under
  // it.
  QWidget* parent = AfxGetDialogParent();
  QMessageBox box(IconOf(request.style), QApplication::applicationDisplayName(), Unbreakable(request.text),
                  Buttons(request.style), parent);
  box.setDefaultButton(DefaultButton(request.style));
  const int result = box.exec();
  // Closing the box with the window's close button gives the escape answer.
  return Answer(static_cast<QMessageBox::StandardButton>(result));
}
