#ifndef SELV_EDITORS_LISTS_ONLINEMONITORSTATE_H
#define SELV_EDITORS_LISTS_ONLINEMONITORSTATE_H

#include <QString>
#include <QStringList>

#include <optional>

// The decisions of the on-line monitor dialog: the volume range of the
// unit, the command each control sends and how the unit's answers to the
// four monitor queries are read. Nothing of it is stored in the project.
class OnlineMonitorState final {
 public:
  // Units from this device id on take -72..+6 dB, older ones -78..0 dB.
  static constexpr int kWideRangeDeviceId = 10337;
  static constexpr int kSourceCount = 7;
  // Combo positions whose index is an amplifier address, typed in hex.
  static constexpr int kAmpIn = 5;
  static constexpr int kAmpOut = 6;

  struct Range {
    int minimum = 0;
    int maximum = 0;
  };
  static Range VolumeRange(int deviceId);
  // The profile's "Device Id" of the unit (0 when never connected).
  static int StoredDeviceId();

  // "OFF", "IN", "OUT", "EXT", "REL", "AMP_IN", "AMP_OUT" by position.
  static QString Keyword(int position);
  // "/MONI/SEL <keyword>"; nothing for a position outside 0..6.
  static std::optional<QString> SelectCommand(int position);
  static QString VolumeCommand(int position);
  // "/MONI/TABSLCT <n>"; nothing when the text holds no number.
  static std::optional<QString> TableEntryCommand(const QString& text);
  // "/MONI/IDX <n>", hex for the AMP positions; nothing without a number.
  static std::optional<QString> IndexCommand(const QString& text, int position);

  static QStringList RefreshQueries();

  // What the four answer lines say; a field is empty when its line did not
  // carry it.
  struct Reading {
    std::optional<int> volume;
    std::optional<QString> volumeText;
    std::optional<int> source;
    std::optional<QString> index;
    std::optional<QString> tableEntry;
  };
  // Nothing unless exactly four lines came back.
  static std::optional<Reading> ParseReplies(const QStringList& lines);
};

#endif
