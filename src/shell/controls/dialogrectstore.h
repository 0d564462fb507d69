#ifndef SELV_SHELL_CONTROLS_DIALOGRECTSTORE_H
#define SELV_SHELL_CONTROLS_DIALOGRECTSTORE_H

#include <QRect>
#include <QString>

#include <optional>

// A dialog's window rectangle kept in the profile as "x,y,width,height".
class DialogRectStore final {
 public:
  DialogRectStore(QString section, QString key);

  // The profile entry for a dialog template: "Settings"/"DlgSize<id>".
  static DialogRectStore ForTemplate(unsigned templateId);

  // Nothing when the value is missing or damaged (not four numbers, or an
  // empty or absurd size): the dialog then keeps its own size.
  std::optional<QRect> Load() const;
  void Save(const QRect& rect) const;

  // A saved rectangle moved (and if needed shrunk) so that it lies on the
  // available screen area: a screen that is gone or smaller than before must
  // not leave the dialog out of reach.
  static QRect FitToScreen(const QRect& rect, const QRect& available);

  static QString ToText(const QRect& rect);
  static std::optional<QRect> FromText(const QString& text);

  const QString& Section() const noexcept { return m_section; }
  const QString& Key() const noexcept { return m_key; }

 private:
  QString m_section;
  QString m_key;
};

#endif
