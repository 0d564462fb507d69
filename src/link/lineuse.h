#ifndef SELV_LINK_LINEUSE_H
#define SELV_LINK_LINEUSE_H

#include <QString>

// Who uses the line to the unit now: the one answer every command asks
// before it destroys or replaces a window, a frame, a document or a project
// object that the user of the line may still use.
//   Free      nobody;
//   Transfer  a transfer, from the moment it takes the line until its call
//             has returned (its end message answered), also after it has
//             given the line back with its closing lines;
//   Closing   Disconnect, while it sends the closing lines and waits for
//             the unit.
enum class LineUse { Free, Transfer, Closing };

// The use of the installed link (GetDeviceLink).
LineUse CurrentLineUse();
inline bool IsLineInUse() { return CurrentLineUse() != LineUse::Free; }
// Why a command is refused while the line is in use, for the status bar
// ("" for Free).
QString LineUseRefusal(LineUse use);

#endif
