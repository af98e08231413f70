// The demo writer (--record FILE): the header, then every input event the scenes received.
#pragma once

#include <cstdio>
#include <string>

#include "harness/inputscript.h"

class DemoRecorder {
 public:
  DemoRecorder() = default;
  DemoRecorder(const DemoRecorder&) = delete;
  DemoRecorder& operator=(const DemoRecorder&) = delete;
  ~DemoRecorder() { Finalize(); }

  // Creates `path` (overwriting it) and writes the header: "# quorl demo 2 seed N", then one
  // "# set NAME = VALUE" line for each of the player's control settings, in order (see
  // InputScript::DemoHeader). Returns 0, or -1 when the file cannot be written.
  int Init(const std::string& path, unsigned int seed, const InputScript::Settings& settings);
  // Appends one event line ("FRAME EVENT ARGS...").
  void Record(const ScriptEvent& event);
  // Flushes and closes the file (also at destruction).
  void Finalize();

  bool IsOpen() const { return file_ != nullptr; }

 private:
  FILE* file_ = nullptr;
};
