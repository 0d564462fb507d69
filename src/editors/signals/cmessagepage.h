#pragma once

#include "editors/signals/csignalkindpage.h"

// The page of prerecorded text messages: message, start and stop macros, priority.
class CMessagePage final : public CSignalKindPage {
  Q_OBJECT

 public:
  explicit CMessagePage(CSelvantisDoc& doc, QWidget* parent = nullptr);
};
