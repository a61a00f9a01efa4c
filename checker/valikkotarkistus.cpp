// Placeholder while the checker is written: only reports its usage.
#include <cstdio>

#ifdef _WIN32
int wmain() {
#else
int main() {
#endif
  std::fputs("valikkotarkistus [--json | --taulukko] TIEDOSTO...\n", stderr);
  return 2;
}
