// The one main() of every test program: an offscreen application object,
// English texts, a throw-away profile, and a message sink that never blocks.
#include "model/cmessagesink.h"
#include "model/cstringtable.h"
#include "support/dialogdriver.h"
#include "support/tempprofile.h"

#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Prints every box to stderr and answers its default button, so a test that
// does not install a MessageRecorder can never wait for a click.
class StderrSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override {
    const int answer = CMessageSink::DefaultAnswer(request.style);
    std::fprintf(stderr, "[message %u, style 0x%x -> %d] %s\n", request.id, request.style, answer,
                 request.text.toLocal8Bit().constData());
    return answer;
  }
};

// A dialog driver still armed when its test ends means the dialog never came.
class ModalDriverCheck final : public testing::EmptyTestEventListener {
 public:
  void OnTestEnd(const testing::TestInfo&) override {
    const int pending = CancelModalDrivers();
    EXPECT_EQ(pending, 0) << "DriveNextModal armed but no modal dialog appeared during the test";
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Test discovery and manual runs start the binary outside the CTest
  // environment; without a display the application object would abort.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);

  TempProfile profile;
  CStringTable::SetLanguage(CStringTable::Language::English);
  StderrSink sink;
  CMessageSink::Install(&sink);
  testing::UnitTest::GetInstance()->listeners().Append(new ModalDriverCheck);

  const int result = RUN_ALL_TESTS();
  CMessageSink::Install(nullptr);
  return result;
}
