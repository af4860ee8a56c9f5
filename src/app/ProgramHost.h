#pragma once
// The program as the entry point and the scenario runner see it: start it, ask its state.
// The desktop and --script start the same host; only the services differ.

#include "platform/Services.h"

#include <memory>
#include <string>

namespace kl {

class ProgramHost {
  public:
    virtual ~ProgramHost() = default;
    // The program start: start-up checks and MAINFORM_START; shows the main window unless the
    // start-up ended the program (through Services::exitProgram).
    virtual void start() = 0;
    // Reads a data file into the started program as its open button would (the desktop's FILE
    // argument); hosts without a main window have nothing to read it into.
    virtual void openDataFile(const std::string& path) { (void)path; }
    // The shared workflow state as "name=value" pairs for a STATE line ("" when there is none).
    virtual std::string state() const = 0;
};

// The application's host; windows reach the OS only through services, relative file names
// resolve against workdir.
std::unique_ptr<ProgramHost> createProgramHost(Services& services, const std::string& workdir);

} // namespace kl
