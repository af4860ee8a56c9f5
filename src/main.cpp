#include "app/Main.h"

int main(int argc, char** argv) { return kl::runMain(argc, argv); }
