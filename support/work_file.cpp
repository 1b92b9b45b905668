#include "support/work_file.h"

#include <string>

#include "support/platform.h"

namespace lettrix {

FilePtr open_work_file() {
  if (FilePtr f = adopt_file(std::tmpfile())) return f;
  // Some systems give tmpfile() a directory the user cannot write to. Then
  // create a file of our own in the temporary directory and unlink it at once:
  // the open stream keeps it alive, and nothing is left when it is closed.
  std::string path;
  if (!create_temp_file("lettrix-work-", path)) return nullptr;
  FilePtr f = open_file(path, "w+b");
  std::remove(path.c_str());
  return f;
}

}  // namespace lettrix
