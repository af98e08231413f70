// Fuzz target: the scripted-input parser on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness/inputscript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputScript script;
  std::string error;
  script.Parse(std::string(reinterpret_cast<const char*>(data), size), &error);
  for (const ScriptEvent& e : script.Events()) {
    if (e.kind != ScriptEvent::SCREENSHOT) InputScript::ToSDLEvent(e, ScreenFrame::Layout());
  }
  return 0;
}
