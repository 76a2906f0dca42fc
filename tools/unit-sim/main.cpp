#include <cstdio>

// Placeholder until the stand-in unit's server is written; replace this file.
int main() {
  std::fputs("velantro-unit-sim: not available yet\n", stderr);
  return 2;
}
