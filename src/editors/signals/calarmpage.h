#pragma once

#include "editors/signals/csignalkindpage.h"

// The page of alarm signals: generator, start and stop macros, priority.
class CAlarmPage final : public CSignalKindPage {
  Q_OBJECT

 public:
  explicit CAlarmPage(CSelvantisDoc& doc, QWidget* parent = nullptr);
};
