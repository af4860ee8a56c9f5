#pragma once
// What the program checks and prepares before and while its main window starts.

#include "platform/Services.h"

#include <string>

namespace kl {

inline constexpr const char* kProgramVersion = "3.22";

// The smallest screen the fixed 1024 x 768 layout accepts.
inline constexpr int kMinScreenWidth = 1020;
inline constexpr int kMinScreenHeight = 760;

// The screen check: false (after the "caution" message) when the program must end.
bool checkScreen(Services& services);

// Makes sure workdir/data_f exists and holds KIJUN.DAT: copied from workdir/KIJUN.DAT, else from
// the seed KIJUN_DAT of the working folder, else from the seed beside the program. A missing seed
// is skipped (an empty master is handled where it is read).
void provisionMaster(const std::string& workdir, const std::string& programDir);

// The installation-folder check at the end of the main window's start: false (after its two
// messages) when the program must end. It applies only to a system of version 6 or later run from
// a folder inside "\Program Files" other than "\Program Files\KLEPSYDRA".
bool checkInstallFolder(Services& services, const OsVersion& os, const std::string& currentFolder);

// Program start before the main window: screen, version, master. False when it must end.
struct StartUpInfo {
    std::string version;
    std::string osVersion;
};
bool runStartUp(Services& services, const std::string& workdir, const std::string& programDir,
                StartUpInfo* info = nullptr);

} // namespace kl
