#ifndef SELV_SHELL_CSELVANTISAPP_H
#define SELV_SHELL_CSELVANTISAPP_H

#include "model/cstringtable.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CLanguageSwitcher;
class CMainFrame;
class CProgramEnding;
class CRecoveryStore;
class CSelvantisDoc;
class IFileChooser;

// The application object: start-up from the profile (language, main
// window, the recovery copies an earlier signal ending kept, the files of
// the command line or the start-up action, shown maximised), the language
// switch, and the ending on a signal (CProgramEnding). One exists while the program runs;
// tests make their own.
class CSelvantisApp final : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kVersion = "1.0";

  // fileChooser is handed to the main window (null: the system's dialogs).
  explicit CSelvantisApp(IFileChooser* fileChooser = nullptr, QObject* parent = nullptr);
  ~CSelvantisApp() override;

  // Sets the program's names in the Qt application object.
  static void SetupApplicationNames();

  // Start-up. args are the program's arguments without the program name.
  // Returns false when the program cannot start (it has said why).
  bool InitInstance(const QStringList& args);
  // For main(): the message-box sink, start-up and the event loop; returns
  // the exit code.
  int Run(const QStringList& args);

  CMainFrame* MainFrame() const noexcept { return m_frame.get(); }
  CRecoveryStore& Recovery() noexcept { return *m_recovery; }
  // The signal ending (null before InitInstance).
  CProgramEnding* Ending() const noexcept { return m_ending.get(); }
  static CSelvantisApp* Instance();
  // Switches the user interface language now (string table, translations,
  // every open window).
  static void ApplyLanguage(CStringTable::Language language);
  CLanguageSwitcher& Languages() noexcept { return *m_languages; }

 private:
  // Offers each recovery copy of an earlier signal ending: open it, delete
  // it, or keep it for the next start. Returns the last project opened
  // from a copy (null when none).
  CSelvantisDoc* OfferRecoveryCopies();

  IFileChooser* m_fileChooser;
  std::unique_ptr<CLanguageSwitcher> m_languages;
  std::unique_ptr<CRecoveryStore> m_recovery;
  std::unique_ptr<CMainFrame> m_frame;
  std::unique_ptr<CProgramEnding> m_ending;
};

#endif
