#include "qt/DisplayCheck.h"

#include <cstdio>

int main() {
  if (const auto message = qtfront::MissingDisplayMessage()) {
    std::fprintf(stderr, "%s\n", message->c_str());
    return 1;
  }
  return 0;
}
