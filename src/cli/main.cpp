#include <iostream>
#include <string>
#include <vector>

#include "cli/Morvekctl.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return morvek::cli::RunMorvekctl(args, std::cout, std::cerr);
}
