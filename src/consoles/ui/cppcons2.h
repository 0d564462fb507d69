#pragma once
#include <QPointer>

#include "consoles/ui/ckeydialoghost.h"
#include "shell/controls/cpropertypage.h"

class CConsProp;
class CConsole;
class CConsoleFrame;
class CKeyView;
class CSelvantisDoc;

// Page 2 ("Key programming") of the console property sheet: the key frame
// with its tool bar and the key view of the console shown. Becoming active
// it builds the key buttons and shows the keys' targets from the console's
// links; OK and Apply turn the targets back into links. Owns the key frame
// (and through it the view); the console belongs to the document.
class CPPCons2 final : public CPropertyPage, public CKeyDialogHost {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 198;
  // Consoles with more keys than this scroll sideways over kScrollTotal.
  static constexpr int kScrollKeyLimit = 10;
  static constexpr int kScrollTotal = 5000;

  explicit CPPCons2(CSelvantisDoc* doc, QWidget* parent = nullptr);
  ~CPPCons2() override;

  // The layout shown (null: none). A view of another console is dropped;
  // the new one is built when the page becomes active.
  void SetConsoleProp(CConsProp* prop);
  CConsProp* GetConsoleProp() const noexcept { return m_pProp; }
  CConsole* GetConsole() const;
  CConsoleFrame* GetKeyFrame() const;
  CKeyView* GetKeyView() const;

  // The horizontal scroll range of a console with that many programmable
  // keys: kScrollTotal above kScrollKeyLimit, else 0 (no scrolling).
  static int HorizontalScrollTotal(int programmableKeys);

  // The key frame in the page (made once, by the constructor).
  bool CreateKeyFrame();
  // The key buttons and their targets; shows a message when the keys cannot
  // be placed.
  bool BuildKeyWindows();
  bool LayoutKeys();
  void RedrawConsoleName();
  // The page is left (or the sheet closes): the key buttons go, the key is
  // unselected and the key dialog closed.
  void CloseKeyDialog();

  bool OnSetActive() override;
  bool OnKillActive() override;
  void OnCancel() override;
  // Stores the keys' targets as the console's links (only while this page
  // is the active one: otherwise its changes were answered when it was
  // left).
  void OnOK() override;

  // What the key view asks of its page.
  using CPropertyPage::SetModified;
  void ApplyPage() override;
  void SetModelCommitted() override;
  void SetModified() override;
  void CheckGroups() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsActivePage() const;
  CKeyView* EnsureView();
  // Sizes the view for the console's scrolling and places the key buttons
  // for the view's height.
  bool PlaceKeys();

  CSelvantisDoc* m_pDoc;
  CConsProp* m_pProp = nullptr;
  QPointer<CConsoleFrame> m_frame;
  int m_placedHeight = -1;
  bool m_bPlacing = false;
  // The console's links hold what the keys show (stored, or just read);
  // OK stores again only when something changed since, so that one OK does
  // not store (and warn) twice.
  bool m_bLinksCurrent = false;
};
