// STAND-IN test program: sleeps for the milliseconds given as its first argument, then exits 0.
// Tests use it as a child that outlives a wait.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  Sleep(argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : INFINITE);
  return 0;
}
