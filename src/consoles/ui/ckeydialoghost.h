#pragma once
#include "consoles/ui/ckeyviewlogic.h"

#include <QPointer>
#include <QWidget>

// Answers the key view's range and copy questions with CKeyRangeDlg and
// CCopyKeyDlg over parent. A page derives from it (or holds one) and
// overrides the page hooks. Owns nothing.
class CKeyDialogHost : public IKeyViewHost {
 public:
  explicit CKeyDialogHost(QWidget* parent = nullptr) : m_parent(parent) {}

  bool AskKeyRange(int* first, int* stop, int* startLine) override;
  bool AskCopyDestination(const std::vector<CBaseDevice*>& consoles, CConsole* source, const QString& sourceText,
                          CConsole** destination) override;

 private:
  QPointer<QWidget> m_parent;
};
