#include "app/HostApp.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return rvhost::HostApp().run(args, std::cin);
}
