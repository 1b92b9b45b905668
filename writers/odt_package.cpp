// The zip package of the OpenDocument writer. libzip writes the archive
// through a source of our own on the target file (it would otherwise write a
// file of its own beside the target and rename it), and reads the entries
// held in work files through sources on their byte ranges.
#include "writers/odt_package.h"

#include <sys/types.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace lettrix {

namespace {

// Every entry's date and time: 1 January 1980, 00:00, the first a zip
// archive can hold (MS-DOS date and time fields).
constexpr zip_uint16_t kDosTime = 0;
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;

// Deflate level of the parts: the text compresses well even at the fastest.
constexpr zip_uint32_t kDeflateLevel = 1;

// A source's failure, kept for the ERROR command.
zip_int64_t fail(ZipPackage::Failure& failure, int code) {
  failure = {code, errno};
  return -1;
}

zip_int64_t error_data(const ZipPackage::Failure& failure, void* data, zip_uint64_t len) {
  zip_error_t error;
  zip_error_init_with_code(&error, failure.zip_code);
  error.sys_err = failure.system_code;
  const zip_int64_t n = zip_error_to_data(&error, data, len);
  zip_error_fini(&error);
  return n;
}

// The arguments of a command, or null when the data is too short for them.
template <typename T>
T* args_of(void* data, zip_uint64_t len) {
  return len < sizeof(T) ? nullptr : static_cast<T*>(data);
}

// A byte range of an open file, as an entry's data.
zip_int64_t range_source(void* user, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* r = static_cast<ZipPackage::Range*>(user);
  ZipPackage::Failure& error = r->failure;
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      r->at = 0;
      return fseeko(r->file, static_cast<off_t>(r->start), SEEK_SET) == 0 ? 0 : fail(error, ZIP_ER_SEEK);
    case ZIP_SOURCE_READ: {
      auto* to = static_cast<char*>(data);
      const std::uint64_t head = r->head.size();
      const std::uint64_t file_end = head + r->length;
      const std::uint64_t end = file_end + r->tail.size();
      std::uint64_t done = 0;
      while (done < len && r->at < end) {
        const std::uint64_t room = len - done;
        std::uint64_t n = 0;
        if (r->at < head) {
          n = head - r->at < room ? head - r->at : room;
          std::memcpy(to + done, r->head.data() + r->at, static_cast<std::size_t>(n));
        } else if (r->at < file_end) {
          n = file_end - r->at < room ? file_end - r->at : room;
          if (std::fread(to + done, 1, static_cast<std::size_t>(n), r->file) != n) return fail(error, ZIP_ER_READ);
        } else {
          n = end - r->at < room ? end - r->at : room;
          std::memcpy(to + done, r->tail.data() + (r->at - file_end), static_cast<std::size_t>(n));
        }
        done += n;
        r->at += n;
      }
      return static_cast<zip_int64_t>(done);
    }
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = args_of<zip_stat_t>(data, len);
      if (!st) return fail(error, ZIP_ER_INVAL);
      zip_stat_init(st);
      st->size = r->head.size() + r->length + r->tail.size();
      st->valid |= ZIP_STAT_SIZE;
      return 0;
    }
    case ZIP_SOURCE_ERROR: return error_data(error, data, len);
    case ZIP_SOURCE_FREE: return 0;
    case ZIP_SOURCE_SUPPORTS: return ZIP_SOURCE_SUPPORTS_READABLE;
    default: return fail(error, ZIP_ER_OPNOTSUPP);
  }
}

// The target file, as the archive: empty to read, written from its start.
zip_int64_t target_source(void* user, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* t = static_cast<ZipPackage::Target*>(user);
  std::FILE* f = t->file;
  ZipPackage::Failure& error = t->failure;
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
    case ZIP_SOURCE_SEEK:
    case ZIP_SOURCE_TELL:
    case ZIP_SOURCE_READ: return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = args_of<zip_stat_t>(data, len);
      if (!st) return fail(error, ZIP_ER_INVAL);
      zip_stat_init(st);
      st->size = 0;
      st->valid |= ZIP_STAT_SIZE;
      return 0;
    }
    case ZIP_SOURCE_BEGIN_WRITE:
      return std::fseek(f, 0, SEEK_SET) == 0 ? 0 : fail(error, ZIP_ER_SEEK);
    case ZIP_SOURCE_WRITE:
      return std::fwrite(data, 1, static_cast<std::size_t>(len), f) == len ? static_cast<zip_int64_t>(len)
                                                                           : fail(error, ZIP_ER_WRITE);
    case ZIP_SOURCE_SEEK_WRITE: {
      auto* args = args_of<zip_source_args_seek_t>(data, len);
      if (!args) return fail(error, ZIP_ER_INVAL);
      return fseeko(f, static_cast<off_t>(args->offset), args->whence) == 0 ? 0 : fail(error, ZIP_ER_SEEK);
    }
    case ZIP_SOURCE_TELL_WRITE: {
      const off_t at = ftello(f);
      return at < 0 ? fail(error, ZIP_ER_TELL) : static_cast<zip_int64_t>(at);
    }
    case ZIP_SOURCE_COMMIT_WRITE: return std::fflush(f) == 0 && !std::ferror(f) ? 0 : fail(error, ZIP_ER_WRITE);
    case ZIP_SOURCE_ROLLBACK_WRITE:
    case ZIP_SOURCE_REMOVE: return 0;
    case ZIP_SOURCE_ERROR: return error_data(error, data, len);
    case ZIP_SOURCE_SUPPORTS: return ZIP_SOURCE_SUPPORTS_WRITABLE;
    default: return fail(error, ZIP_ER_OPNOTSUPP);
  }
}

}  // namespace

ZipPackage::ZipPackage(std::FILE* target) : target_{target, {}} {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(target_source, &target_, &error);
  if (source) {
    zip_ = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip_) zip_source_free(source);
  }
  zip_error_fini(&error);
}

ZipPackage::~ZipPackage() {
  if (zip_) zip_discard(zip_);
}

bool ZipPackage::added(const char* name, zip_source_t* source, bool stored) {
  if (!source) return ok_ = false;
  const zip_int64_t index = zip_file_add(zip_, name, source, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    return ok_ = false;
  }
  const auto i = static_cast<zip_uint64_t>(index);
  if (zip_set_file_compression(zip_, i, stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, stored ? 0 : kDeflateLevel) != 0 ||
      zip_file_set_dostime(zip_, i, kDosTime, kDosDate, 0) != 0)
    ok_ = false;
  return ok_;
}

bool ZipPackage::add_text(const char* name, std::string text, bool stored) {
  if (!ok()) return false;
  const std::string& kept = texts_.emplace_back(std::move(text));
  return added(name, zip_source_buffer(zip_, kept.data(), kept.size(), 0), stored);
}

bool ZipPackage::add_range(const char* name, std::FILE* file, std::uint64_t start, std::uint64_t length,
                           std::string head, std::string tail) {
  if (!ok()) return false;
  Range& range = ranges_.emplace_back(Range{file, start, length, std::move(head), std::move(tail), 0, {}});
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(range_source, &range, &error);
  zip_error_fini(&error);
  return added(name, source, false);
}

bool ZipPackage::close() {
  if (!ok()) return false;
  const bool closed = zip_close(zip_) == 0;
  if (closed) zip_ = nullptr;
  return closed && std::fflush(target_.file) == 0 && !std::ferror(target_.file);
}

}  // namespace lettrix
