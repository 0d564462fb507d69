#ifndef SELV_EDITORS_LISTS_CREADYINPDLGVIEW_H
#define SELV_EDITORS_LISTS_CREADYINPDLGVIEW_H

#include "editors/lists/clogicentrylistview.h"

#include <functional>

class CReadyInput;
class CSelvantisDoc;

// The list of the project's ready inputs: name, ID, watched input, level,
// masked flag, fault text, number and, while the poll runs, the state the
// unit reports (ready, fault). Every edit refills the list.
class CReadyInpDlgView final : public CLogicEntryListView {
  Q_OBJECT

 public:
  static constexpr uint32_t kKindString = 34282;
  static constexpr int kInitialWidth = 560;

  explicit CReadyInpDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewReadyInput(); }
  void TransferAll(bool bUpload) override { TransferReadyInputs(bUpload); }
  void OnDeviceCommand(uint32_t id) override;

  void NewReadyInput();
  void TransferReadyInputs(bool bUpload);
  // The selected ready input's settings; with no row selected the mask time
  // and the user texts.
  void DownloadSelected();
  void UploadSelected();

  void EditCell(int row, int column) override;
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) override;
  void PollStatus() override;

  // Called after an upload may have changed the shared settings.
  void SetSettingsChanged(std::function<void()> handler) { m_settingsChanged = std::move(handler); }

 private:
  CReadyInput* ReadyInputAt(int row) const;
  void TransferSelected(bool bUpload);

  std::function<void()> m_settingsChanged;
};

#endif
