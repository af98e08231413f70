// Reading a whole sound file into memory, with an upper bound on its size.
#include "sound/filebytes.h"

#include <cstdio>

bool ReadFileBytes(const std::string& path, long maxBytes, std::vector<unsigned char>* data) {
  data->clear();
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bool ok = fseek(file, 0, SEEK_END) == 0;
  const long size = ok ? ftell(file) : -1;
  ok = ok && size >= 0 && size <= maxBytes && fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    data->resize(static_cast<size_t>(size));
    ok = size == 0 || fread(data->data(), 1, data->size(), file) == data->size();
  }
  fclose(file);
  if (!ok) data->clear();
  return ok;
}
