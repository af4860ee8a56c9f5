#include "app/Main.h"

#include "app/ProgramHost.h"
#include "app/ScriptParser.h"
#include "app/ScriptRunner.h"
#include "app/Version.h"
#include "cli/Batch.h"
#include "cli/Language.h"
#include "cli/ProgramOptions.h"
#include "persist/WorkDir.h"
#include "platform/qt/QtServices.h"
#include "platform/script/ScriptedServices.h"
#include "platform/script/Transcript.h"
#include "text/FileIO.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace kl {

namespace {

bool haveDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

std::string workingFolder(const cli::ProgramOptions& options) {
    if (options.workdir.empty()) return defaultWorkdir();
    const std::string folder =
        QFileInfo(QString::fromStdString(options.workdir)).absoluteFilePath().toStdString();
    if (!ensureFolder(folder)) std::cerr << "klepsydra: cannot create the working folder " << folder << "\n";
    return folder;
}

int runScript(int argc, char** argv, const cli::ProgramOptions& options) {
    std::ifstream file(options.script, std::ios::binary);
    if (!file) {
        std::cerr << "klepsydra: cannot read the script " << options.script << "\n";
        return 2;
    }
    const std::vector<ScriptLine> lines = readScript(file);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string workdir = workingFolder(options);
    Transcript transcript(std::cout);
    ScriptedServices services(transcript, workdir);
    std::unique_ptr<ProgramHost> host = createProgramHost(services, workdir);
    int status = 0;
    {
        ScriptRunner runner(*host, services, transcript);
        status = runner.run(lines);
    }
    host.reset(); // windows go before the application
    return status;
}

int runDesktop(int argc, char** argv, const cli::ProgramOptions& options) {
    if (!haveDisplay()) {
        std::cerr << "klepsydra: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                     "Without a display, run a script with 'klepsydra --script FILE' or use the batch\n"
                     "commands 'klepsydra stats FILE' and 'klepsydra table FILE ...'.\n";
        return 1;
    }
    QApplication app(argc, argv);
    // Qt's own texts (the buttons of its dialogs) in Japanese; they are English already.
    if (!inEnglish()) installJapaneseTranslations(app);
    const std::string workdir = workingFolder(options);
    QtServices services;
    std::unique_ptr<ProgramHost> host = createProgramHost(services, workdir);
    host->start();
    if (!options.dataFile.empty() && !services.exitRequested()) {
        // Read once the event loop runs, so the main window is on the screen first.
        const std::string path =
            QFileInfo(QString::fromStdString(options.dataFile)).absoluteFilePath().toStdString();
        QTimer::singleShot(0, &app, [&host, path] { host->openDataFile(path); });
    }
    int status = services.exitRequested() ? services.exitStatus() : app.exec();
    host.reset();
    return status;
}

} // namespace

int runWindows(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // This module has its own copy of the core, so it sets the language for itself.
    if (!cli::takeLanguage(args, std::cerr)) return cli::kExitUsage;
    QCoreApplication::setApplicationName("klepsydra");
    QCoreApplication::setApplicationVersion(kVersion);
    cli::ProgramOptions options;
    const cli::ProgramRequest request = cli::readProgramOptions(args, options, std::cout, std::cerr);
    if (!request.windows) return request.status;
    return options.scripted ? runScript(argc, argv, options) : runDesktop(argc, argv, options);
}

} // namespace kl
