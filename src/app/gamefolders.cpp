// Finding the content, save and screenshot folders.
#include "app/gamefolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

const char* const SAVE_NAME = "savedata.dat";

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A folder that holds the game's pictures counts as content.
bool HoldsContent(const std::string& folder) { return !folder.empty() && IsFolder(folder + "/img"); }

// `path` without its last component ("/a/b" -> "/a", "/a" -> "/").
std::string Parent(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string PerUserFolder(const char* xdgDataHome, const char* home) {
  // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/quorl";
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.local/share/quorl";
  return std::string();
}

}  // namespace

std::string AbsolutePath(const std::string& base, const std::string& path) {
  if (path.empty() || path[0] == '/' || base.empty()) return path;
  return base + (base.back() == '/' ? "" : "/") + path;
}

GameFolders FindGameFolders(const std::string& programDir, const std::string& workDir,
                            const std::string& dataOption, const std::string& saveOption,
                            const char* xdgDataHome, const char* home, const std::string& builtData) {
  GameFolders folders;
  const std::string prefix = programDir.empty() ? std::string() : Parent(programDir);
  const std::string buildData = prefix.empty() ? std::string() : prefix + "/data";
  const std::string shared = prefix.empty() ? std::string() : prefix + "/share/quorl";
  folders.installed = HoldsContent(shared) && !HoldsContent(buildData);
  if (!dataOption.empty()) {
    folders.content = AbsolutePath(workDir, dataOption);
  } else if (HoldsContent(workDir)) {
    folders.content = workDir;
  } else if (folders.installed) {
    folders.content = shared;
  } else if (HoldsContent(buildData)) {
    folders.content = buildData;
  } else if (HoldsContent(builtData)) {
    folders.content = builtData;
  } else {
    folders.content = workDir;
  }
  std::string perUser = folders.installed ? PerUserFolder(xdgDataHome, home) : std::string();
  if (!saveOption.empty()) {
    folders.save = AbsolutePath(workDir, saveOption);
  } else if (!perUser.empty()) {
    folders.save = perUser + "/" + SAVE_NAME;
  } else {
    folders.save = AbsolutePath(folders.content, SAVE_NAME);
  }
  folders.user = Parent(folders.save);
  return folders;
}

std::string ProgramDirectory() {
  std::vector<char> path(4096);
  while (true) {
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) return std::string();
    if (static_cast<size_t>(length) < path.size()) {
      return Parent(std::string(path.data(), static_cast<size_t>(length)));
    }
    path.resize(path.size() * 2);
  }
}

std::string WorkingDirectory() {
  std::vector<char> path(4096);
  while (getcwd(path.data(), path.size()) == nullptr) {
    if (errno != ERANGE || path.size() > (1u << 20)) return std::string();
    path.resize(path.size() * 2);
  }
  return std::string(path.data());
}

int MakeFolders(const std::string& path) {
  if (path.empty() || IsFolder(path)) return 0;
  const std::string parent = Parent(path);
  if (parent != path && MakeFolders(parent) != 0) return -1;
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return -1;
  return IsFolder(path) ? 0 : -1;
}

std::string NextScreenshotPath(const std::string& userDir, int* last) {
  const std::string folder = userDir + "/screenshots";
  if (MakeFolders(folder) != 0) return std::string();
  for (int n = *last + 1; n <= 9999; ++n) {
    char name[32];
    snprintf(name, sizeof name, "/quorl-%04d.png", n);
    const std::string path = folder + name;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
      *last = n;
      return path;
    }
  }
  return std::string();
}
