// STAND-IN test program: exits at once with the code given as its first argument (0 without).
#include <cstdlib>

int main(int argc, char** argv) { return argc > 1 ? std::atoi(argv[1]) : 0; }
