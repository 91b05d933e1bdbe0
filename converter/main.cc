#include <iostream>
#include <string>
#include <vector>

#include "entry.h"
#include "host/host.h"

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> words(argv, argv + argc);
    const auto host = kalvex::makeOperatingSystemHost();
    return kalvex::runKalvex(words, *host, std::cout);
  } catch (...) {
    return 1;
  }
}
