// mapgen: prints, draws and checks the generated dungeon maps (a developer tool).
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "floormap.h"
#include "mapcheck.h"
#include "maptext.h"

namespace {

struct Options {
  unsigned int seed = 1;
  int floor = 1;
  long count = 1;
  bool pretty = false;
  long check = 0;  // maps to check; 0: print instead
  bool help = false;
};

// Problems listed by --check before only the count goes on.
const size_t kListedProblems = 20;
// Largest floor number and map count the tool accepts.
const long kMaxFloor = 9999;
const long kMaxCount = 100000000;

void PrintUsage(FILE* out) {
  fprintf(out,
          "usage: mapgen [--seed S] [--floor F] [--count N] [--pretty]\n"
          "       mapgen [--seed S] [--floor F] --check N\n"
          "Prints the map of floor F (default 1) made from seed S (default 1), or of the N\n"
          "seeds S, S+1, ...: a line \"map SEED FLOOR ROWS COLS\", ROWS lines of cell codes,\n"
          "\"start ROW COL\" and \"stair ROW COL\" (no stairs on floor 30).\n"
          "  --pretty   draw the maps with box-drawing characters\n"
          "  --check N  make N maps from seed S on, check every rule of a generated map and\n"
          "             print the number of broken rules and the time per map\n");
}

// A whole decimal number from `low` to `high`.
bool ParseNumber(const char* text, long long low, long long high, long long* value) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long long v = strtoll(text, &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  *value = v;
  return true;
}

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    long long v = 0;
    if (word == "--help" || word == "-h") {
      options->help = true;
    } else if (word == "--pretty") {
      options->pretty = true;
    } else if (word == "--seed") {
      if (!ParseNumber(next, 0, 4294967295LL, &v)) {
        *error = "--seed needs a number from 0 to 4294967295";
        return false;
      }
      options->seed = static_cast<unsigned int>(v);
      ++i;
    } else if (word == "--floor") {
      if (!ParseNumber(next, 0, kMaxFloor, &v)) {
        *error = "--floor needs a number from 0 to " + std::to_string(kMaxFloor);
        return false;
      }
      options->floor = static_cast<int>(v);
      ++i;
    } else if (word == "--count" || word == "--check") {
      if (!ParseNumber(next, 1, kMaxCount, &v)) {
        *error = word + " needs a number from 1 to " + std::to_string(kMaxCount);
        return false;
      }
      (word == "--count" ? options->count : options->check) = static_cast<long>(v);
      ++i;
    } else {
      *error = "unknown argument \"" + word + "\"";
      return false;
    }
  }
  return true;
}

// The seed `i` places after `seed`, wrapping round after the largest.
unsigned int NthSeed(unsigned int seed, long i) { return seed + static_cast<unsigned int>(i); }

int Print(const Options& options) {
  for (long i = 0; i < options.count; ++i) {
    const mapgen::FloorMap map = mapgen::MakeFloorMap(NthSeed(options.seed, i), options.floor);
    const std::string text = options.pretty ? mapgen::PrettyText(map) : mapgen::PlainText(map);
    fwrite(text.data(), 1, text.size(), stdout);
  }
  return 0;
}

int Check(const Options& options) {
  if (mapgen::IsBossFloor(options.floor)) {
    fprintf(stderr, "mapgen: floor %d has the fixed boss map; --check needs a generated floor\n",
            options.floor);
    return 2;
  }
  typedef std::chrono::steady_clock Clock;
  Clock::duration making{};
  long violations = 0;
  size_t listed = 0;
  std::vector<std::string> problems;
  for (long i = 0; i < options.check; ++i) {
    const unsigned int seed = NthSeed(options.seed, i);
    const Clock::time_point begin = Clock::now();
    const mapgen::FloorMap map = mapgen::MakeFloorMap(seed, options.floor);
    making += Clock::now() - begin;
    problems.clear();
    violations += mapgen::CheckGeneratedMap(map, &problems);
    violations += mapgen::CheckRepeatable(map, &problems);
    for (const std::string& problem : problems) {
      if (listed++ < kListedProblems) printf("seed %u: %s\n", seed, problem.c_str());
    }
  }
  const double micros = std::chrono::duration<double, std::micro>(making).count() / options.check;
  printf("checked %ld maps of floor %d from seed %u: %ld violations, %.2f us per map\n",
         options.check, options.floor, options.seed, violations, micros);
  return violations == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, &options, &error)) {
    fprintf(stderr, "mapgen: %s (see --help)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    PrintUsage(stdout);
    return 0;
  }
  return options.check > 0 ? Check(options) : Print(options);
}
