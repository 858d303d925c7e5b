#include "cli/baler_cli.h"

int main(int argc, char** argv) { return baler::Run(argc, argv); }
