// Runs a fuzz target without libFuzzer (the host build uses g++, which has none): every file
// of the seed corpus, then mutations of those seeds and random inputs, under the sanitizers.
// The targets keep libFuzzer's entry point, so a clang build can link them with
// -fsanitize=fuzzer instead of this driver.
//
//   fuzz_<target> <corpus folder> [iterations] [seed]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::string mutate(std::string input, std::mt19937& random, const std::vector<std::string>& seeds) {
  int steps = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < steps; ++i) {
    size_t at = input.empty() ? 0 : random() % (input.size() + 1);
    switch (random() % 6) {
      case 0:
        if (at < input.size()) input[at] = static_cast<char>(input[at] ^ (1u << (random() % 8)));
        break;
      case 1:
        input.insert(at, 1, static_cast<char>(random()));
        break;
      case 2:
        if (at < input.size()) input.erase(at, 1 + random() % 8);
        break;
      case 3: {
        static const char* tokens[] = {"\r\n", "\r\n\r\n", ":", " ", ";", "0", "f", "7ffe", "8000",
                                       "http://", "https://", "Location", "Content-Length: ", "chunked"};
        input.insert(at, tokens[random() % (sizeof(tokens) / sizeof(tokens[0]))]);
        break;
      }
      case 4:
        if (!seeds.empty()) {
          const std::string& other = seeds[random() % seeds.size()];
          input.insert(at, other.substr(random() % (other.size() + 1)));
        }
        break;
      default:
        input.resize(at);
        break;
    }
  }
  return input;
}

void runOne(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> seeds;
  if (argc > 1) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
      std::ifstream in(entry.path(), std::ios::binary);
      seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  long iterations = argc > 2 ? std::atol(argv[2]) : 20000;
  unsigned seed = argc > 3 ? static_cast<unsigned>(std::atol(argv[3])) : 1;
  std::mt19937 random(seed);
  for (const std::string& s : seeds) runOne(s);
  for (long i = 0; i < iterations; ++i) {
    if (!seeds.empty() && random() % 4 != 0) {
      runOne(mutate(seeds[random() % seeds.size()], random, seeds));
    } else {
      std::string noise(random() % 256, '\0');
      for (char& c : noise) c = static_cast<char>(random());
      runOne(noise);
    }
  }
  std::printf("%zu seeds, %ld generated inputs, no failure\n", seeds.size(), iterations);
  return 0;
}
