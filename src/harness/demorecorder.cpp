// Writing demos.
#include "harness/demorecorder.h"

int DemoRecorder::Init(const std::string& path, unsigned int seed, const InputScript::Settings& settings) {
  Finalize();
  file_ = fopen(path.c_str(), "w");
  if (file_ == nullptr) return -1;
  fprintf(file_, "%s\n", InputScript::DemoHeader(seed, settings).c_str());
  return 0;
}

void DemoRecorder::Record(const ScriptEvent& event) {
  if (file_ == nullptr) return;
  fprintf(file_, "%s\n", InputScript::FormatEvent(event).c_str());
}

void DemoRecorder::Finalize() {
  if (file_ == nullptr) return;
  fclose(file_);
  file_ = nullptr;
}
