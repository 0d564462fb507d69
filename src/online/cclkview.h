#ifndef SELV_ONLINE_CCLKVIEW_H
#define SELV_ONLINE_CCLKVIEW_H

#include "logic/iclockwindow.h"
#include "online/cclockwindowstate.h"
#include "online/conlinepoll.h"

#include <QTimer>
#include <QWidget>

class CSelvantisDoc;
class QLabel;
class QLineEdit;
class QPushButton;

// The clock window's form: the unit's main clock, the radio-clock
// reception (kept up to date, the radio-clock fields themselves hidden) and
// the slave clock output. It asks the unit every second while connected
// (also after the line came back), except while the user types the main
// clock; the answers come back
// through the project's clock object, in which the form registers while it
// lives. Controls carry their ids as object names.
class CClkView final : public QWidget, public IClockWindow {
  Q_OBJECT

 public:
  static constexpr int kTimerId = 1;
  static constexpr int kMainTimeId = 1195;
  static constexpr int kMainDateId = 1007;
  static constexpr int kDcfTimeId = 1008;
  static constexpr int kDcfDateId = 1010;
  static constexpr int kSlaveTimeId = 1009;
  static constexpr int kMainButtonId = 1267;
  static constexpr int kSlaveButtonId = 1268;
  static constexpr int kReceptionIconId = 1197;
  static constexpr int kOverloadIconId = 1200;
  static constexpr int kInvertId = 1213;
  static constexpr int kStartId = 1255;
  static constexpr int kAnimationId = 1374;
  // Bitmaps of the main clock button (resting / editing) and the slave one.
  static constexpr int kBitmapSetClock = 310;
  static constexpr int kBitmapEditing = 311;
  static constexpr int kBitmapSlave = 312;
  // The frames of the radio-clock reception animation.
  static constexpr int kAnimationBitmap = 1374;

  CClkView(CSelvantisDoc* doc, QWidget* parent);
  ~CClkView() override;

  void OnInitialUpdate();
  // Every tick sends the poll queries.
  void OnTimer(int timerId);
  void ParseClockReply(const QString& line) override;

  void OnMainClockButton();
  void OnSlaveTimeButton();
  void OnStart(bool on);
  void OnInvert(bool on);

  bool IsPolling() const { return m_poll.IsActive(); }
  bool IsAnimationPlaying() const { return m_animating; }
  const CClockWindowState& State() const { return m_state; }
  QLineEdit* Edit(int id) const;
  QPushButton* Button(int id) const;
  QLabel* Icon(int id) const;
  // Shows the animation's current frame.
  void ShowAnimationFrame();

 private:
  void BuildForm();
  void ShowKey(int key);
  void ShowReception();
  void Register(bool on);
  void AskOpeningQueries();

  CClockWindowState m_state;
  QLineEdit* m_mainTime = nullptr;
  QLineEdit* m_mainDate = nullptr;
  QLineEdit* m_dcfTime = nullptr;
  QLineEdit* m_dcfDate = nullptr;
  QLineEdit* m_slaveTime = nullptr;
  QPushButton* m_mainButton = nullptr;
  QPushButton* m_slaveButton = nullptr;
  QPushButton* m_invert = nullptr;
  QPushButton* m_start = nullptr;
  QLabel* m_receptionIcon = nullptr;
  QLabel* m_overloadIcon = nullptr;
  QLabel* m_animation = nullptr;
  COnlinePoll m_poll;
  QTimer m_animationTimer;
  bool m_animating = false;
  int m_frame = 0;
  CClock* m_clock = nullptr;
};

#endif
