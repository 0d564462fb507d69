#ifndef SELV_TESTS_UNIT_UI_POWERSUPPLYDLGFIXTURE_H
#define SELV_TESTS_UNIT_UI_POWERSUPPLYDLGFIXTURE_H

#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/caudioinputdevice.h"
#include "unit/ccontrolpad.h"
#include "unit/cinternalpowermanagement.h"

#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

// A new project with a power supply, pads of every kind the dialog lists and
// two consoles.
class PowerSupplyDlgFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    auto device = std::make_unique<CAudioInputDevice>();
    ASSERT_TRUE(device->Create(CAudioInputDevice::kKindRTP3004, 10, 10, QStringLiteral("Power Supply"),
                               QRect(0, 0, 40, 40), 13, 0, 16, &doc));
    ps = doc.Adopt(std::move(device));
    pm = CInternalPowerManagement::Find(&doc);
    ASSERT_NE(pm, nullptr);
  }

  int AddPad(int kind, const char* name) {
    auto pad = std::make_unique<CControlPad>();
    EXPECT_TRUE(pad->Create(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc));
    CBaseDevice* added = doc.AddObject(std::move(pad));
    added->SetName(QLatin1String(name));
    return added->GetID();
  }
  CConsole* AddConsole(const char* name) {
    CConsole* console = CConsole::CreateIn(doc, CConsProp::RCX6010, QRect(1000 + 100 * consoles++, 600, 64, 48));
    if (console) console->SetName(QLatin1String(name));
    return console;
  }
  QString Text(int index) {
    QString text;
    ps->GetPowerSupplyText(text, index);
    return text;
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CAudioInputDevice* ps = nullptr;
  CInternalPowerManagement* pm = nullptr;
  int consoles = 0;
};

#endif
