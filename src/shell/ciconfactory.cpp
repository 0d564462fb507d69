#include "shell/ciconfactory.h"

#include "shell/cbitmapmanager.h"

#include <QGuiApplication>

namespace {

struct IconRow {
  const char* name;
  const char* file;
  // The freedesktop name of a standard action, null for the program's own.
  const char* theme;
};

const IconRow kIcons[] = {
    {"new", "document-new.svg", "document-new"},
    {"open", "document-open.svg", "document-open"},
    {"save", "document-save.svg", "document-save"},
    {"print", "document-print.svg", "document-print"},
    {"preview", "document-print-preview.svg", "document-print-preview"},
    {"cut", "edit-cut.svg", "edit-cut"},
    {"delete", "edit-delete.svg", "edit-delete"},
    {"zoomin", "zoom-in.svg", "zoom-in"},
    {"zoomout", "zoom-out.svg", "zoom-out"},
    {"zoomfit", "zoom-fit-best.svg", "zoom-fit-best"},
    {"properties", "document-properties.svg", "document-properties"},
    {"about", "help-about.svg", "help-about"},
    {"zoom100", "zoom-original.svg", nullptr},
    {"connect", "connect.svg", nullptr},
    {"disconnect", "disconnect.svg", nullptr},
    {"download", "download.svg", nullptr},
    {"upload", "upload.svg", nullptr},
    {"compare", "compare.svg", nullptr},
    {"export", "export.svg", nullptr},
    {"sendfile", "send-file.svg", nullptr},
    {"savevmx", "save-unit-settings.svg", nullptr},
    {"errorfile", "error-file.svg", nullptr},
    {"monitor", "protocol-monitor.svg", nullptr},
    {"project", "project.svg", nullptr},
    {"preferences", "preferences.svg", nullptr},
};

// The tool-bar commands of the editor switch bar, the on-line windows' bars
// and the hardware scan bar: an icon name of the table above or a picture file.
struct CommandRow {
  unsigned command;
  const char* picture;
};

const CommandRow kCommands[] = {
    {32992, "channel-teal.svg"},          // monitor entries
    {32993, "macro-violet.svg"},          // macro entries
    {32994, "flag-blue.svg"},             // memo flags
    {32995, "calendar-blue.svg"},         // appointments
    {32997, "clock-yellow.svg"},          // day programs
    {32998, "calendar-green.svg"},        // holidays
    {32999, "calendar-yellow.svg"},       // weekly entries
    {33106, "condition-red.svg"},         // conditions
    {33107, "channel-orange.svg"},        // analog entries
    {33108, "network-green.svg"},         // combine entries
    {33109, "relay-orange.svg"},          // busy entries
    {33110, "trigger-red.svg"},           // triggers
    {33111, "check-green.svg"},           // ready inputs
    {33112, "label-blue.svg"},            // logic outputs
    {33113, "console-green.svg"},         // virtual controllers
    {33114, "amplifier-yellow.svg"},      // backup amplifiers
    {33157, "bell-red.svg"},              // fault properties
    {34519, "card-blue.svg"},             // hardware
    {34584, "loudspeaker-orange.svg"},    // volume
    {34585, "clock-green.svg"},           // clock
    {33159, "relay-red.svg"},             // fuse properties
    {33162, "channel-violet.svg"},        // pilot tone
    {33163, "battery-silver.svg"},        // internal power management
    {33164, "microphone.svg"},            // message recorder
    {34589, "text-teal.svg"},             // event logger
    {34590, "loudspeaker-teal.svg"},      // line test
    {32852, "savevmx"},                   // save the unit's settings
    {57603, "save"},                      // save the project
    {34521, "card-open-blue.svg"},        // scan: slots
    {34520, "console-blue.svg"},          // scan: consoles
    {34522, "amplifier-blue.svg"},        // scan: amplifiers
    {34523, "card-green.svg"},            // scan: extension cards
    {34618, "properties"},                // line test properties
    {34626, "view-refresh.svg"},          // refresh the display
    {34643, "text-orange.svg"},           // event log: change view
    {34624, "export"},                    // export the list
    {34625, "print"},                     // print the list
    {33143, "new"},                       // new macro
    {33144, "delete"},                    // delete macro
    {32916, "download"},                  // macros: download
    {32917, "upload"},                    // macros: upload
    {32918, "apply.svg"},                 // macros: execute
    {32979, "new"},                       // backup amplifiers: new entry
    {32980, "delete"},                    // backup amplifiers: delete entry
    {32983, "new"},                       // backup amplifiers: new watch
    {32984, "delete"},                    // backup amplifiers: delete watch
    {32981, "upload"},                    // backup amplifiers: upload
    {32982, "download"},                  // backup amplifiers: download
    {33145, "new"},                       // monitor: new entry
    {33146, "delete"},                    // monitor: delete entry
    {34479, "new"},                       // monitor: new relay
    {34478, "delete"},                    // monitor: delete relay
    {32944, "upload"},                    // monitor: upload
    {32945, "download"},                  // monitor: download
    {32986, "protocol-monitor.svg"},      // monitor: on-line data
    {34500, "download"},                  // fault properties: download
    {34501, "upload"},                    // fault properties: upload
    {33117, "dayprog-entry-new.svg"},     // day programs: new entry
    {33118, "dayprog-entry-delete.svg"},  // day programs: delete entry
};

const IconRow* Find(const QString& name) {
  for (const IconRow& row : kIcons)
    if (name == QLatin1String(row.name)) return &row;
  return nullptr;
}

}  // namespace

QIcon CIconFactory::OwnIcon(const QString& name) {
  const IconRow* row = Find(name);
  return row ? CBitmapManager::SvgIcon(QLatin1String(row->file)) : QIcon();
}

QString CIconFactory::ThemeName(const QString& name) {
  const IconRow* row = Find(name);
  return row && row->theme ? QString::fromLatin1(row->theme) : QString();
}

QIcon CIconFactory::Icon(const QString& name) {
  const QIcon own = OwnIcon(name);
  const QString theme = ThemeName(name);
  if (own.isNull() || theme.isEmpty()) return own;
  return QIcon::fromTheme(theme, own);
}

QPixmap CIconFactory::Pixmap(const QString& name, int size) { return Icon(name).pixmap(size, size); }

QStringList CIconFactory::Names() {
  QStringList names;
  for (const IconRow& row : kIcons) names.append(QLatin1String(row.name));
  return names;
}

QIcon CIconFactory::AppIcon() { return CBitmapManager::SvgIcon(QStringLiteral("selvantis.svg")); }

QPixmap CIconFactory::AppPixmap(int size) { return AppIcon().pixmap(size, size); }

QIcon CIconFactory::CommandIcon(unsigned command) {
  for (const CommandRow& row : kCommands) {
    if (row.command != command) continue;
    const QString picture = QLatin1String(row.picture);
    return picture.endsWith(QLatin1String(".svg")) ? CBitmapManager::SvgIcon(picture) : Icon(picture);
  }
  return QIcon();
}

std::vector<unsigned> CIconFactory::Commands() {
  std::vector<unsigned> commands;
  for (const CommandRow& row : kCommands) commands.push_back(row.command);
  return commands;
}
