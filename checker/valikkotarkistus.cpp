// Placeholder while the checker is written: only reports its usage.
#include <cstdio>

int main() {
  std::fputs("käyttö: valikkotarkistus [--json | --taulukko] TIEDOSTO...\n", stderr);
  return 2;
}
