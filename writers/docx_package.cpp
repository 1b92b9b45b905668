#include "writers/docx_package.h"

#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace lettrix {

namespace {

// 1 January 1980, 00:00: the first date a zip entry can hold.
constexpr zip_uint16_t kDosTime = 0;
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;

// The target file as libzip's archive: a new archive, read as empty, written
// from its start through the writer's own handle.
struct Target {
  std::FILE* file = nullptr;
  zip_error_t error{};
};

zip_int64_t fail(Target& t, int zip_error) {
  zip_error_set(&t.error, zip_error, errno);
  return -1;
}

zip_int64_t target_callback(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  Target& t = *static_cast<Target*>(user);
  switch (command) {
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_ROLLBACK_WRITE:
    case ZIP_SOURCE_REMOVE:
    case ZIP_SOURCE_FREE:
      return 0;
    case ZIP_SOURCE_READ: return 0;  // a new archive: nothing to read
    case ZIP_SOURCE_STAT: {
      auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &t.error);
      if (!st) return -1;
      zip_stat_init(st);
      st->size = 0;
      st->valid |= ZIP_STAT_SIZE;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_TELL: return 0;
    case ZIP_SOURCE_SEEK: return 0;
    case ZIP_SOURCE_BEGIN_WRITE:
      if (std::fseek(t.file, 0, SEEK_SET) != 0) return fail(t, ZIP_ER_SEEK);
      return 0;
    case ZIP_SOURCE_WRITE:
      if (std::fwrite(data, 1, length, t.file) != length) return fail(t, ZIP_ER_WRITE);
      return static_cast<zip_int64_t>(length);
    case ZIP_SOURCE_SEEK_WRITE: {
      auto* args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &t.error);
      if (!args) return -1;
      const int whence = args->whence == SEEK_CUR ? SEEK_CUR : args->whence == SEEK_END ? SEEK_END : SEEK_SET;
      if (fseeko(t.file, static_cast<off_t>(args->offset), whence) != 0) return fail(t, ZIP_ER_SEEK);
      return 0;
    }
    case ZIP_SOURCE_TELL_WRITE: {
      const off_t at = ftello(t.file);
      if (at < 0) return fail(t, ZIP_ER_TELL);
      return static_cast<zip_int64_t>(at);
    }
    case ZIP_SOURCE_COMMIT_WRITE:
      if (std::fflush(t.file) != 0 || std::ferror(t.file)) return fail(t, ZIP_ER_WRITE);
      return 0;
    case ZIP_SOURCE_ERROR: return zip_error_to_data(&t.error, data, length);
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                            ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_COMMIT_WRITE,
                                            ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE,
                                            ZIP_SOURCE_REMOVE, ZIP_SOURCE_SUPPORTS, -1);
    default:
      zip_error_set(&t.error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

// A work file as the source of an entry, read through the writer's own handle
// (a work file has no descriptor of its own to hand over).
struct Piece {
  std::FILE* file = nullptr;
  zip_uint64_t start = 0;
  zip_uint64_t size = 0;
  zip_error_t error{};
  zip_uint64_t left = 0;  // of the entry, while it is read
};

zip_int64_t piece_callback(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  Piece& p = *static_cast<Piece*>(user);
  switch (command) {
    case ZIP_SOURCE_OPEN:
      if (fseeko(p.file, static_cast<off_t>(p.start), SEEK_SET) != 0) {
        zip_error_set(&p.error, ZIP_ER_SEEK, errno);
        return -1;
      }
      p.left = p.size;
      return 0;
    case ZIP_SOURCE_READ: {
      const zip_uint64_t wanted = std::min(length, p.left);
      const std::size_t n = std::fread(data, 1, wanted, p.file);
      p.left -= n;
      if (n < wanted && std::ferror(p.file)) {
        zip_error_set(&p.error, ZIP_ER_READ, errno);
        return -1;
      }
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &p.error);
      if (!st) return -1;
      zip_stat_init(st);
      st->size = p.size;
      st->valid |= ZIP_STAT_SIZE;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR: return zip_error_to_data(&p.error, data, length);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&p.error);
      delete &p;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default:
      zip_error_set(&p.error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

}  // namespace

DocxPackage::DocxPackage(std::FILE* target) {
  auto* t = new Target{target, {}};
  zip_error_init(&t->error);
  target_ = t;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(target_callback, t, &error);
  if (source) {
    zip_ = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip_) zip_source_free(source);
  }
  zip_error_fini(&error);
  ok_ = zip_ != nullptr;
}

DocxPackage::~DocxPackage() {
  if (zip_) zip_discard(zip_);
  auto* t = static_cast<Target*>(target_);
  zip_error_fini(&t->error);
  delete t;
}

bool DocxPackage::added(const char* name, zip_source_t* source, int level) {
  if (!source) return ok_ = false;
  const zip_int64_t index = zip_file_add(zip_, name, source, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    return ok_ = false;
  }
  const auto i = static_cast<zip_uint64_t>(index);
  if (zip_set_file_compression(zip_, i, ZIP_CM_DEFLATE, static_cast<zip_uint32_t>(level)) != 0 ||
      zip_file_set_dostime(zip_, i, kDosTime, kDosDate, 0) != 0)
    ok_ = false;
  return ok_;
}

bool DocxPackage::add(const char* name, std::string_view bytes, int level) {
  if (!ok_) return false;
  return added(name, zip_source_buffer(zip_, bytes.data(), bytes.size(), 0), level);
}

bool DocxPackage::add(const char* name, std::FILE* file, int level) {
  if (!ok_) return false;
  if (std::fflush(file) != 0 || std::ferror(file) || std::fseek(file, 0, SEEK_END) != 0) return ok_ = false;
  const off_t size = ftello(file);
  if (size < 0) return ok_ = false;
  return add(name, file, 0, static_cast<std::uint64_t>(size), level);
}

bool DocxPackage::add(const char* name, std::FILE* file, std::uint64_t start, std::uint64_t length, int level) {
  if (!ok_) return false;
  if (std::fflush(file) != 0 || std::ferror(file)) return ok_ = false;
  auto* piece = new Piece{file, start, length, {}, 0};
  zip_error_init(&piece->error);
  zip_source_t* source = zip_source_function(zip_, piece_callback, piece);
  if (!source) {
    zip_error_fini(&piece->error);
    delete piece;
  }
  return added(name, source, level);
}

bool DocxPackage::close() {
  if (!zip_) return false;
  if (!ok_) return false;
  const int rc = zip_close(zip_);
  if (rc != 0) return ok_ = false;  // (the destructor discards it)
  zip_ = nullptr;
  return true;
}

}  // namespace lettrix
