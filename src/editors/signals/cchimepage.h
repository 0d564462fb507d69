#pragma once

#include "editors/signals/csignalkindpage.h"

// The page of chime signals: gong and priority. Leaving it gives the list its buttons back.
class CChimePage final : public CSignalKindPage {
  Q_OBJECT

 public:
  explicit CChimePage(CSelvantisDoc& doc, QWidget* parent = nullptr);

  void OnKillActive(bool bKeepSelection) override;
};
