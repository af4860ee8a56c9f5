#include "cli/ProgramMain.h"

int main(int argc, char** argv) {
    return kl::cli::runMain(argc, argv);
}
