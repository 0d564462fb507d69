#ifndef SELV_LINK_LINKPROFILE_H
#define SELV_LINK_LINKPROFILE_H

// Profile sections and values of the serial link, declared once.
namespace LinkProfile {

// The serial port: "Port" is the device ("/dev/ttyUSB0"), "Settings" the
// line settings as baud, parity, data bits, stop bits.
inline constexpr const char* kComSection = "COMSECTION";
inline constexpr const char* kPort = "Port";
inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kDefaultSettings = "19200,n,8,1";
// Where an older program noted the ports whose last connection ended before
// the unit took "/MACRO/LOCK OFF" and "/PROTECT ON", separated by "|": read,
// and no longer written (the notes have a file of their own,
// CUnclosedNotes).
inline constexpr const char* kUnclosedPorts = "Unclosed Ports";

// What the link learned of the unit when it connected.
inline constexpr const char* kUnitSection = "VMX7000";
inline constexpr const char* kEchoOn = "Echo On";  // default 1
inline constexpr const char* kDeviceId = "Device Id";
inline constexpr const char* kOsVersion = "OS Version";

}  // namespace LinkProfile

#endif
