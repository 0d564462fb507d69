#ifndef SELV_MODEL_CMESSAGESINK_H
#define SELV_MODEL_CMESSAGESINK_H

#include <QString>

#include <cstdint>
#include <memory>

// Message-box styles and answers, with the values the program's callers use.
enum : uint32_t {
  MB_OK = 0x00,
  MB_OKCANCEL = 0x01,
  MB_ABORTRETRYIGNORE = 0x02,
  MB_YESNOCANCEL = 0x03,
  MB_YESNO = 0x04,
  MB_RETRYCANCEL = 0x05,
  MB_ICONSTOP = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONINFORMATION = 0x40,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };
// Masks of the parts of a style.
enum : uint32_t { MB_TYPEMASK = 0x0F, MB_ICONMASK = 0xF0, MB_DEFMASK = 0xF00 };

struct MessageRequest {
  uint32_t id = 0;         // string id, 0 when the text was built by the caller
  QString text;            // the text as shown
  uint32_t style = MB_OK;  // buttons | icon | default button
};

// Every message box of the program passes through the current sink. The
// widget library installs one that shows a QMessageBox; tests install one
// that records the requests and answers from a script.
//
// Besides boxes that wait for an answer there are notices: a text about a
// state that may pass (the connection to the unit lost) that does not hold
// the program up and that its sender withdraws, or replaces by a notice of
// the same key, when the state has passed. A sink that cannot show one
// without waiting shows it as a box.
class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  virtual int Show(const MessageRequest& request) = 0;
  // Shows a notice under key, in place of the one shown under it.
  virtual void ShowNotice(const QString& key, const MessageRequest& request) {
    (void)key;
    Show(request);
  }
  // Takes the notice of key away (nothing when none is shown).
  virtual void WithdrawNotice(const QString& key) { (void)key; }
};

class CMessageSink final {
 public:
  // Installs a sink and returns the previous one (null: the default sink,
  // which writes to stderr and answers with the default button).
  static IMessageSink* Install(IMessageSink* sink);
  static IMessageSink* Current();
  // The answer a sink gives when it cannot ask: the default button.
  static int DefaultAnswer(uint32_t style);
  // Through the current sink.
  static void ShowNotice(const QString& key, const QString& text, uint32_t style = MB_OK | MB_ICONEXCLAMATION);
  static void WithdrawNotice(const QString& key);
};

// Shows a text.
int AfxMessageBox(const QString& text, uint32_t style = MB_OK | MB_ICONEXCLAMATION, uint32_t id = 0);
// Shows the string-table text of id.
int AfxMessageBox(uint32_t id, uint32_t style = MB_OK | MB_ICONEXCLAMATION);

#endif
