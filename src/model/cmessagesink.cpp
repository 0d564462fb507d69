#include "model/cmessagesink.h"

#include "model/cstringtable.h"

#include <cstdio>

namespace {

// Used until the widget library installs the sink that shows real boxes:
// nothing may wait for a click that no one can give.
class StderrMessageSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override {
    const int answer = CMessageSink::DefaultAnswer(request.style);
    std::fprintf(stderr, "message %u: %s\n", request.id, request.text.toLocal8Bit().constData());
    return answer;
  }
};

StderrMessageSink g_defaultSink;
IMessageSink* g_sink = nullptr;

}  // namespace

IMessageSink* CMessageSink::Install(IMessageSink* sink) {
  IMessageSink* previous = g_sink;
  g_sink = sink;
  return previous;
}

IMessageSink* CMessageSink::Current() { return g_sink ? g_sink : &g_defaultSink; }

int CMessageSink::DefaultAnswer(uint32_t style) {
  static const int kOk[] = {IDOK};
  static const int kOkCancel[] = {IDOK, IDCANCEL};
  static const int kAbortRetryIgnore[] = {IDABORT, IDRETRY, IDIGNORE};
  static const int kYesNoCancel[] = {IDYES, IDNO, IDCANCEL};
  static const int kYesNo[] = {IDYES, IDNO};
  static const int kRetryCancel[] = {IDRETRY, IDCANCEL};

  const int* buttons = kOk;
  int count = 1;
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
      buttons = kOkCancel;
      count = 2;
      break;
    case MB_ABORTRETRYIGNORE:
      buttons = kAbortRetryIgnore;
      count = 3;
      break;
    case MB_YESNOCANCEL:
      buttons = kYesNoCancel;
      count = 3;
      break;
    case MB_YESNO:
      buttons = kYesNo;
      count = 2;
      break;
    case MB_RETRYCANCEL:
      buttons = kRetryCancel;
      count = 2;
      break;
    default: break;
  }
  const int index = static_cast<int>((style & MB_DEFMASK) >> 8);
  return buttons[index < count ? index : 0];
}

void CMessageSink::ShowNotice(const QString& key, const QString& text, uint32_t style) {
  MessageRequest request;
  request.text = text;
  request.style = style;
  Current()->ShowNotice(key, request);
}

void CMessageSink::WithdrawNotice(const QString& key) { Current()->WithdrawNotice(key); }

int AfxMessageBox(const QString& text, uint32_t style, uint32_t id) {
  MessageRequest request;
  request.id = id;
  request.text = text;
  request.style = style;
  return CMessageSink::Current()->Show(request);
}

int AfxMessageBox(uint32_t id, uint32_t style) {
  QString text = LoadString(id);
  // A box must never be empty: name the id so the missing text can be found.
  if (text.isEmpty()) text = QStringLiteral("[%1]").arg(id);
  return AfxMessageBox(text, style, id);
}
