#pragma once
#include "consoles/keybox.h"
#include "consoles/keytarget.h"
#include "shell/controls/cdialogimages.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

class CBaseDevice;
class CConsKey;
class CConsole;
class CKeyPropertiesDlg;
class ConsKeyButton;
class IDeviceLink;
class IKeyViewHost;
class QListWidget;
class QPagedPaintDevice;
class QPainter;
class QStyle;

// The console as it looks on the desk: draws the housing, holds one button
// per key, selects keys, opens the key properties dialog (at most one) and
// runs the key programming commands. Owns the key buttons and the open
// dialog (through QObject parenting); the console belongs to the document.
class CKeyView final : public QWidget {
  Q_OBJECT
 public:
  enum Command : int {
    ID_KEYS_CLEAR_ALL = 32900,
    ID_KEYS_COPY = 32901,
    ID_CONSOLE_DOWNLOAD = 32902,
    ID_CONSOLE_UPLOAD = 32903,
    ID_KEYS_RANGE = 32905,
    ID_CONSOLE_PRINT = 32906,
    ID_CONSOLE_SW_VERSION = 32908,
  };

  CKeyView(CConsole& console, IKeyViewHost& host, QWidget* parent = nullptr);
  ~CKeyView() override;

  CConsole& GetConsole() const noexcept { return m_console; }
  // Creates and places the key buttons for the current height, then the
  // housing around them.
  void CreateKeyButtons();
  // Hides and destroys the key buttons (the page is left); the keys keep
  // what they hold. CreateKeyButtons makes them again.
  void DestroyKeyButtons();
  void SetLayout(int keyCount, const KeyBox& key108);
  const KeyBox& GetDrawingRect() const noexcept { return m_drawing; }
  ConsKeyButton* ButtonOf(const CConsKey* key) const;

  CConsKey* HitTestKey(const QPoint& point) const;
  CConsKey* FindKeyByTarget(const CBaseDevice* target) const;
  void KeyChanged(unsigned flags, const KeyTarget& first, const KeyTarget& second);
  CConsKey* GetSelectedKey() const noexcept { return m_pSelected; }
  CKeyPropertiesDlg* GetKeyDialog() const { return m_pKeyDlg.data(); }

  // Opens the dialog for key unless one is open.
  void OpenKeyProperties(CConsKey* key);
  // A double click on a key: selects it and brings the open dialog to the
  // front, else opens the dialog for it.
  void OnKeyDoubleClicked(CConsKey* key);
  // Selects key while the dialog is open and switches the dialog to it.
  void SelectKey(CConsKey* key);
  void CloseKeyDialog();
  // No key is selected any more.
  void UnselectKey();

  // Fills a list with the document's objects of a category, or with the
  // signals (or macros) of a device type; item data = the object.
  static void FillObjectList(int list, QListWidget* ctrl);
  static void FillSignalList(int type, QListWidget* ctrl);

  // The frame's toolbar commands; link may be null (the on-line group then
  // does nothing). Returns false when the command did nothing.
  bool OnCommand(int id, IDeviceLink* link = nullptr);

  // Print Console: asks for the printer, then prints (see PrintTo). False
  // when cancelled or the printer could not be written (with a message).
  bool PrintConsole();
  // Prints the console at real size with every key and its label: one page,
  // or two for a console with an extension. False with the reason when the
  // device cannot be painted on.
  bool PrintTo(QPagedPaintDevice& device, QString* error = nullptr);
  const KeyBox& GetExtensionRect() const noexcept { return m_extension; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The housing of the extension and the name display from the key
  // buttons' places.
  void UpdateHousing();
  // The housing and name display; for the printer also every key with its
  // label and the titles (the buttons do not print themselves).
  void PaintConsole(QPainter& painter, bool bPrinting);
  // The key's block: the cell with its number and its label strip.
  void PaintKeyBlock(QPainter& painter, const CConsKey& key, const KeyBox& cell);
  void RefreshAfterProgramming();
  void RefreshButtons();
  void OnKeyDialogDestroyed();
  KeyBox RectOf(const CConsKey& key) const;
  QPixmap PictureOf(int pictureId);

  CConsole& m_console;
  IKeyViewHost& m_host;
  std::map<const CConsKey*, ConsKeyButton*> m_buttons;
  // Each key's cell: its block with number and label strip around the button.
  std::map<const CConsKey*, KeyBox> m_cells;
  KeyBox m_drawing;
  KeyBox m_extension;
  KeyBox m_name;
  int m_nKeyCount = 0;
  CConsKey* m_pSelected = nullptr;
  QPointer<CKeyPropertiesDlg> m_pKeyDlg;
  CDialogImages m_images;
  // The key buttons' style: the application's, with quick tool tips.
  std::unique_ptr<QStyle> m_keyStyle;
};
