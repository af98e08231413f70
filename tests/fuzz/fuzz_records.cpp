// Fuzz target: the records file's reader on arbitrary text, and the text it writes read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Records records;
  std::string error;
  if (ParseRecords(std::string(reinterpret_cast<const char*>(data), size), &records, &error) != 0) return 0;
  const std::string text = RecordsText(records);
  Records back;
  if (ParseRecords(text, &back, &error) != 0 || RecordsText(back) != text) abort();
  return 0;
}
