// A whole project down to the simulated unit and back again, twice: what an
// installer does first with a new unit (the first round fills an empty
// unit, the second finds it holding the project already). The unit keeps
// its XON/XOFF and a receive buffer of the same share of the line's time,
// but the line runs at 460800 baud on both sides: the round trip tests what is sent and stored, and the paced
// tests beside it (flowdownload_test, flowupload_test) what the real line's
// timing does. Every wait has a limit that only catches a hang.
#include "everyfamilytest.h"
#include "support/projectbytes.h"

#include <gtest/gtest.h>

using RoundTripTest = EveryFamilyTest;

TEST_F(RoundTripTest, DownloadThenUploadChangesNothingTwiceInARow) {
  UseLineRate(460800);
  ASSERT_TRUE(Connect());
  const QByteArray before = SaveProject(*doc);
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    sim.ClearLog();
    CTransfer transfer;
    ASSERT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done) << "lost at the unit: " << sim.Flow().lost;
    ASSERT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done)
        << "lost at the unit: " << sim.Flow().lost << ", first unanswered: " << transfer.FirstUnanswered().toStdString();
    // No difference reported: not one message.
    for (const MessageRequest& request : messages.Requests()) ADD_FAILURE() << request.text.toStdString();
    messages.Clear();
    EXPECT_EQ(ErrorFileText(), QString());
    EXPECT_TRUE(link->IsConnected());
    EXPECT_EQ(sim.Flow().lost, 0);
    EXPECT_TRUE(SaveProject(*doc) == before) << "the project changed in the round trip";
  }
}
