// The kestrova command.
#include "cli/Cli.h"

int main(int argc, char** argv) { return kv::cli::Main(argc, argv); }
