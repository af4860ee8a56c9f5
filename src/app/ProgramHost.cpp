#include "app/ProgramHost.h"

#include "app/MainFormHost.h"

namespace kl {

std::unique_ptr<ProgramHost> createProgramHost(Services& services, const std::string& workdir) {
    return createMainFormHost(services, workdir);
}

} // namespace kl
