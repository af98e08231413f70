// Reading a file ahead of its use through posix_fadvise.
#include "common/readahead.h"

#include <fcntl.h>
#include <unistd.h>

namespace QUORL_COMMON {

void ReadAhead(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
  close(fd);
}

}  // namespace QUORL_COMMON
