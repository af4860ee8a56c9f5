#include "app/Main.h"

#include <cstdio>

namespace kl {
int runMain(int, char**) {
    std::fputs("klepsydra: not built yet\n", stderr);
    return 1;
}
} // namespace kl
