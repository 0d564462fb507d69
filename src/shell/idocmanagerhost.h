#ifndef SELV_SHELL_IDOCMANAGERHOST_H
#define SELV_SHELL_IDOCMANAGERHOST_H

#include <QString>

class CSelvantisDoc;

// What the document manager asks of the main window: file names from the
// user, and a window for each open document.
class IDocManagerHost {
 public:
  virtual ~IDocManagerHost() = default;
  // A project file to open; empty when the user cancelled.
  virtual QString PromptOpenFileName() = 0;
  // A file name to save under, proposed is the current name; empty when cancelled.
  virtual QString PromptSaveFileName(const QString& proposed) = 0;
  // A document was opened or created: show it.
  virtual void DocumentOpened(CSelvantisDoc& doc) = 0;
  // Bring the document's window to the front.
  virtual void ActivateDocument(CSelvantisDoc& doc) = 0;
  // The document is about to be destroyed: close its windows now.
  virtual void DocumentClosing(CSelvantisDoc& doc) = 0;
  virtual void RecentFilesChanged() = 0;
};

#endif
