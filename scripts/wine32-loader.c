// SPDX-License-Identifier: MIT
// Wine's 32-bit loader for qemu-i386, which puts a position-independent program such as
// Debian's own loader at 0x400000, the address of every Windows program that cannot be
// moved (the setup program's). This one is linked high, where Wine's own preloader stood,
// and does what Debian's loader does: loads Wine's ntdll and hands it the process.
#include <dlfcn.h>
#include <stdio.h>

extern char** environ;

int main(int argc, char** argv) {
  void* ntdll = dlopen(WINE_NTDLL, RTLD_NOW);
  if (ntdll == NULL) {
    fprintf(stderr, "wine: could not load %s: %s\n", WINE_NTDLL, dlerror());
    return 1;
  }
  void (*wine_main)(int, char**, char**) =
      (void (*)(int, char**, char**))dlsym(ntdll, "__wine_main");
  if (wine_main == NULL) {
    fprintf(stderr, "wine: no __wine_main in %s\n", WINE_NTDLL);
    return 1;
  }
  wine_main(argc, argv, environ);
  return 1;
}
