#pragma once
// The host that starts the real program: start-up checks and the main window.

#include "app/ProgramHost.h"

namespace kl {

std::unique_ptr<ProgramHost> createMainFormHost(Services& services, const std::string& workdir);

} // namespace kl
