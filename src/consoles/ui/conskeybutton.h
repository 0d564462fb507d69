#pragma once
#include <QPushButton>

class CConsKey;

// The button of one console key in the key view. Shows the key's label and
// selection and hands presses, double clicks and context menus to the view.
// Owns nothing: the key belongs to its console.
class ConsKeyButton final : public QPushButton {
  Q_OBJECT
 public:
  ConsKeyButton(CConsKey* key, QWidget* parent);
  CConsKey* GetKey() const noexcept { return m_pKey; }
  // Renews text, tool tip and the selected look from the key.
  void Refresh();

 signals:
  void selectRequested(CConsKey* key);
  void openPropsRequested(CConsKey* key);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  CConsKey* m_pKey;
};
