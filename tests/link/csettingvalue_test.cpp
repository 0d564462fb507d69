// What a compare counts as the same value, and how it shows a value to the
// user: one row per rule of the setting kinds.
#include "link/csettingvalue.h"

#include "link/commandpath.h"

#include <gtest/gtest.h>

TEST(CSettingValueTest, EqualMeaningsAreTheSameAndOthersAreNot) {
  struct Case {
    const char* path;
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      // No relay: the unit says "OFF" where the download sends "0".
      {"/VMX/ZONE1/RELAY", "0", "OFF", true},
      {"/VMX/ZONE12/PRIOCALL/RELAY", "OFF", "0", true},
      {"/VMX/ZONE12/PRIOCALL/TYPE", "0", "", true},
      {"/VMX/ZONE1/RELAY", "3", "OFF", false},
      {"/VMX/ZONE1/RELAY", "03", "3", true},
      {"/TRIGGER/TRG4/ON", "NONE", "0", true},
      // Priorities: "OFF" is 0.
      {"/MACRO/ENTRY1/PARAM/PRIO", "OFF", "0", true},
      {"/MACRO/ENTRY1/PARAM/PRIO", "30", "0", false},
      {"/CONDITION/BUSY3/PRIO", "OFF", "0", true},
      {"/FUSE/../EVENT/PRIO_BOOT", "050", "50", true},
      // Levels to a tenth of a decibel.
      {"/AUDIO/ALARM_VOL", "-12", "-12.0", true},
      {"/AUDIO/ALARM_VOL", "-12.0", "-12.1", false},
      {"/VMX/ZONE2/TESTVOL", "-26", "-26.0", true},
      // Texts: only what fits their width reaches the unit.
      {"/CONS/ADR1/NAME", "Reception desk of the east wing, ground floor", "Reception desk of the east wing,", true},
      {"/CONS/ADR1/NAME", "Lobby ", "Lobby", true},
      {"/CONS/ADR1/NAME", "Lobby", "lobby", false},
      {"/MACRO/ENTRY3/PARAM/TEXT", "Evacuate the building now", "Evacuate the bui", true},
      // Range lists as sets; "NONE", "0" and "" are empty.
      {"/MACRO/ENTRY1/PARAM/ZONE", "1-3,7", "1,2,3,7", true},
      {"/MACRO/ENTRY1/PARAM/ZONE", "NONE", "0", true},
      {"/MACRO/ENTRY1/PARAM/ZONE", "1-3", "1-4", false},
      {"/MACRO/ENTRY1/PARAM/ZONE", "ALL", "1-100", false},
      // Anything else: numbers with leading zeros, a zero fraction, "0x".
      {"/FUSE/AMP485/VALUE", "3", "03", true},
      {"/POWER/BATT_PRIO", "70", "0x46", true},
      {"/TRIGGER/TRG1/TIME", "2.50", "2.5", true},
      {"/CLOCK/SLAVE/RUN", "ON", "OFF", false},
      {"/CLOCK/SLAVE/RUN", "ON", "ON\x01", true},
      {"/CLOCK/SLAVE/RUN", " ON", "ON", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.path << " '" << c.a << "' '" << c.b << "'");
    const CSettingValue value(QString::fromLatin1(c.path));
    EXPECT_EQ(value.SameMeaning(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.same);
    EXPECT_EQ(value.SameMeaning(QString::fromLatin1(c.b), QString::fromLatin1(c.a)), c.same);
  }
}

TEST(CSettingValueTest, TheUserFormIsTheDialogsValueAndUnit) {
  struct Case {
    const char* path;
    const char* command;
    const char* user;
  };
  const Case cases[] = {
      {"/MACRO/ENTRY1/PARAM/PRIO", "30", "3"},
      {"/MACRO/ENTRY1/PARAM/PRIO", "31", "3"},
      {"/MACRO/ENTRY1/PARAM/PRIO", "0", "OFF"},
      {"/MACRO/ENTRY1/PARAM/PRIO", "OFF", "OFF"},
      {"/MACRO/ENTRY1/PARAM/PRIO", "100", "10"},
      {"/MACRO/ENTRY1/PARAM/PRIO", "7", "7"},
      {"/CONDITION/BUSY1/PRIO", "0", "OFF"},
      {"/VMX/ZONE1/RELAY", "0", "OFF"},
      {"/VMX/ZONE1/RELAY", "012", "12"},
      {"/AUDIO/ALARM_VOL", "-12", "-12.0 dB"},
      {"/AUDIO/ALARM_VOL", "-14.8", "-14.8 dB"},
      {"/PILOT/VOL2", "-150.0", "-150.0 dB"},
      {"/MACRO/ENTRY2/PARAM/ZONE", "0", "NONE"},
      {"/CONS/ADR1/NAME", "Lobby  ", "Lobby"},
      {"/FUSE/AMP485/VALUE", "03", "3"},
      {"/CLOCK/SLAVE/RUN", "ON", "ON"},
      {"/CONS/ADR1/NAME", "", ""},
      {"/AUDIO/ALARM_VOL", "loud", "loud"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.path << " " << c.command);
    EXPECT_EQ(CSettingValue(QString::fromLatin1(c.path)).UserForm(QString::fromLatin1(c.command)),
              QString::fromLatin1(c.user));
  }
}

TEST(CommandPathTest, PathsMatchWithAndWithoutDotsResolved) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"/FUSE/../EVENT/PRIO_BOOT", "/EVENT/PRIO_BOOT", true},
      {"/FUSE/../EVENT/PRIO_BOOT", "/FUSE/../EVENT/PRIO_BOOT", true},
      {"/FUSE/./AMP485/VALUE", "/FUSE/AMP485/VALUE", true},
      {"/../EVENT/PRIO_BOOT", "/EVENT/PRIO_BOOT", true},
      {"/FUSE/../EVENT/PRIO_BOOT", "/FUSE/EVENT/PRIO_BOOT", false},
      {"/FUSE/AMP485/VALUE", "/FUSE/AMP485/BLOWN", false},
      {"/A/B..C", "/A/B..C", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " " << c.b);
    EXPECT_EQ(CommandPath::Same(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.same);
  }
  EXPECT_EQ(CommandPath::Resolved("/FUSE/../EVENT/PRIO_BOOT"), "/EVENT/PRIO_BOOT");
  EXPECT_EQ(CommandPath::Resolved("/VMX/ZONE1/NAME"), "/VMX/ZONE1/NAME");
}
