// Replacing a small file whole.
#include "app/atomicfile.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Writes the bytes over the file at `path` (truncating it first). Returns 0 or -1.
int WriteInPlace(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return -1;
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written ? 0 : -1;
}

}  // namespace

int ReplaceFile(const std::string& path, const std::string& bytes) {
  // Through a symbolic link the file goes to the link's target, and the link stays.
  std::string target = path;
  struct stat info;
  if (char* resolved = realpath(path.c_str(), nullptr)) {
    target = resolved;
    free(resolved);
  } else if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    return WriteInPlace(path, bytes);  // a link to a file not made yet: opening creates it
  }
  const std::string temp = target + ".tmp";
  FILE* file = fopen(temp.c_str(), "wb");
  // No temporary file beside it (a read-only folder): the file itself is written in place.
  if (file == nullptr) return WriteInPlace(target, bytes);
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = fclose(file) == 0;
  if (!written || !closed || rename(temp.c_str(), target.c_str()) != 0) {
    remove(temp.c_str());
    return -1;
  }
  return 0;
}
