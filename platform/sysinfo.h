// The about window's way to the system-information tool: where the registry says it is,
// and how it is started. The registry and the process start stand behind two small seams,
// so that the lookup runs and is tested on every system; only Windows has a real registry.
#pragma once

#include "platform/launcher.h"
#include "platform/registry.h"
// The real seams too: main() and the window tests build them next to the lookup.
#include "platform/systemlauncher.h"
#include "platform/systemregistry.h"

#include <QString>

#include <cstdint>
#include <stdexcept>

// A lookup that went wrong in a way the caller cannot carry on from (a value that reports
// no size at all). showSystemInformation turns it into its one message.
class SysInfoError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Dialogs;

// Reads the value valueName of the key keyPath below root into text. Text values are
// taken as they are; a 32-bit number becomes its decimal digits; any other type leaves
// text as it was and still counts as read. A missing key or value, or one too long for
// the 1024-byte buffer, empties text and returns false. Throws SysInfoError when the
// value reports a size of 0.
bool readRegistryValue(Registry &registry, std::uint32_t root, const QString &keyPath, const QString &valueName,
                 QString &text);

// Starts the system-information tool the registry names, or says that it is unavailable.
void showSystemInformation(Dialogs &dialogs, Registry &registry, Launcher &launcher);

inline constexpr const char *SysInfoUnavailable = "System Information Is Unavailable At This Time";
