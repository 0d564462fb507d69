#ifndef SELV_SHELL_CMESSAGEBOXSINK_H
#define SELV_SHELL_CMESSAGEBOXSINK_H

#include "model/cmessagesink.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <map>

// Shows the program's messages as modal message boxes over the active
// window (the main window where none of the program is active), and its
// notices as boxes of the main window that do not wait: the program goes
// on, and the notice goes when its sender withdraws it or replaces it by
// another of the same key, or with the main window. A command text in quotes ("/PROTECT ON") is
// never broken over two lines. Installed by the running application; tests
// install a recorder.
class CMessageBoxSink final : public IMessageSink {
 public:
  CMessageBoxSink() = default;
  CMessageBoxSink(const CMessageBoxSink&) = delete;
  CMessageBoxSink& operator=(const CMessageBoxSink&) = delete;
  ~CMessageBoxSink() override;

  int Show(const MessageRequest& request) override;
  void ShowNotice(const QString& key, const MessageRequest& request) override;
  void WithdrawNotice(const QString& key) override;
  // The notice shown under key (null when none).
  QMessageBox* Notice(const QString& key) const;

  // The buttons, icon and default button a style asks for.
  static QMessageBox::StandardButtons Buttons(uint32_t style);
  static QMessageBox::Icon IconOf(uint32_t style);
  static QMessageBox::StandardButton DefaultButton(uint32_t style);
  static int Answer(QMessageBox::StandardButton button);
  // The text as shown: in a quoted command text that starts with "/", no
  // line may break (blanks become no-break spaces, and a word joiner follows
  // each "/").
  static QString Unbreakable(const QString& text);

 private:
  std::map<QString, QPointer<QMessageBox>> m_notices;
};

#endif
