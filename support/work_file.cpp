#include "support/work_file.h"

#include <string>

#include "support/owned_files.h"
#include "support/platform.h"

namespace lettrix {

FilePtr open_work_file() {
  if (FilePtr f = adopt_file(std::tmpfile(), true, "a work file")) return f;
  // Some systems give tmpfile() a directory the user cannot write to. Then
  // create a file of our own in the temporary directory and unlink it at once:
  // the open stream keeps it alive, and nothing is left when it is closed.
  std::string path;
  if (!create_temp_file("lettrix-work-", path)) return nullptr;
  FilePtr f = open_file(path, "w+b");
  remove_owned_file(path);
  return f;
}

}  // namespace lettrix
