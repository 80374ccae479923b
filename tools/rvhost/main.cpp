#include <maya/MString.h>

#include <iostream>

int main() {
    std::cout << MString("rvhost").asChar() << std::endl;
    return 0;
}
