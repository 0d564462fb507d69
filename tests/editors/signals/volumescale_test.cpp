// The volume sliders' scale: knee, both branches, the inverse and the limits
// of each control.
#include "editors/signals/volumescale.h"

#include <gtest/gtest.h>

namespace {

TEST(VolumeScaleTest, KneeIsFiftyAndShowsMinusSix) {
  EXPECT_EQ(VolumeScale::Knee(), 50);
  EXPECT_DOUBLE_EQ(VolumeScale::LevelOf(0), 6.0);
  EXPECT_DOUBLE_EQ(VolumeScale::LevelOf(50), -6.0);
  EXPECT_DOUBLE_EQ(VolumeScale::LevelOf(25), 0.0);
  EXPECT_NEAR(VolumeScale::LevelOf(87), -80.0, 1e-9);
  EXPECT_EQ(VolumeScale::Text(VolumeScale::LevelOf(50)), "-6.0");
  EXPECT_EQ(VolumeScale::Text(-80.0), "OFF");
}

TEST(VolumeScaleTest, InverseFindsThePositionOfTypedLevels) {
  EXPECT_EQ(VolumeScale::PositionOf(-20.0, false), 64);
  EXPECT_EQ(VolumeScale::PositionOf(-6.0, false), 50);
  EXPECT_EQ(VolumeScale::PositionOf(0.0, false), 25);
  EXPECT_EQ(VolumeScale::PositionOf(-80.0, false), 87);
  for (int p = 0; p <= 87; ++p) EXPECT_EQ(VolumeScale::PositionOf(VolumeScale::LevelOf(p), true), p) << p;
}

TEST(VolumeScaleTest, LevelsOutsideTheTravelStayOnIt) {
  EXPECT_EQ(VolumeScale::PositionOf(6.0, false), 25);  // only panic goes above 0 dB
  EXPECT_EQ(VolumeScale::PositionOf(6.0, true), 0);
  EXPECT_EQ(VolumeScale::PositionOf(40.0, true), 0);
  EXPECT_EQ(VolumeScale::PositionOf(-500.0, true), 87);
  EXPECT_EQ(VolumeScale::LevelOf(-3), 6.0);
  EXPECT_NEAR(VolumeScale::LevelOf(200), -80.0, 1e-9);
}

TEST(VolumeScaleTest, SpinCountsFromTheBottomWithinTheControlsTravel) {
  EXPECT_EQ(VolumeScale::SpinOf(87), 0);
  EXPECT_EQ(VolumeScale::ClampSpin(70, false), 62);
  EXPECT_EQ(VolumeScale::ClampSpin(99, true), 87);
  EXPECT_EQ(VolumeScale::ClampSpin(-1, true), 0);
}

}  // namespace
