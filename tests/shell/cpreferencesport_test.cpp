// The port list of View > Preferences while the program is connected to a
// pseudo-terminal, which the system does not list among its serial ports:
// present means that the device is there.
#include "link/ccommlink.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "shell/cpreferencesdlg.h"
#include "shell/cpreferencesstate.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/testtimelimit.h"
#include "unitsimulator.h"

#include <QComboBox>

#include <gtest/gtest.h>

TEST(CPreferencesPortTest, APseudoTerminalInUseIsPresent) {
  const TestTimeLimit limit(std::chrono::seconds(120));
  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  ASSERT_TRUE(sim.Start());
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
  CCommLink link;
  ASSERT_TRUE(link.Connect(nullptr));
  {
    CPreferencesDlg dialog;
    auto* port = dialog.findChild<QComboBox*>(QStringLiteral("port"));
    ASSERT_NE(port, nullptr);
    ASSERT_GT(port->count(), 0);
    EXPECT_EQ(port->currentData().toString(), sim.PtyPath());
    EXPECT_EQ(port->currentText(), sim.PtyPath() + " (present)");
  }
  link.Disconnect();
  // A port whose device is gone is not.
  sim.Stop();
  const std::vector<CPreferencesState::PortChoice> gone = CPreferencesState::MakePortChoices({}, "/dev/no-such-port");
  ASSERT_EQ(gone.size(), 1u);
  EXPECT_EQ(gone.front().label, "/dev/no-such-port (not present)");
}
