#include "readers/text_only.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/handler.h"
#include "core/stream_printer.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::ScratchDir;

// Runs the reader on source bytes and returns the printed stream.
std::string read_text(const std::string& source, int* rc = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("src"), source);
  int result = orig_text_only(dir.file("src").c_str(), dir.file("out").c_str());
  if (rc) *rc = result;
  return print_stream(testing::read_file(dir.file("out")));
}

// The same for a few bytes that a text would hold amid plain lines: alone,
// their control bytes would make them binary data, which the reader refuses.
std::string read_amid_text(const std::string& source) {
  const std::string line(400, 'x');
  const std::string printed = read_text(line + "\r" + source);
  EXPECT_EQ(printed.substr(0, line.size()), line);
  return printed.substr(std::min(printed.size(), line.size() + std::string("¶").size()));
}

TEST(MacTextReader, LineEnds) {
  int rc = -9;
  EXPECT_EQ(read_text("", &rc), "");
  EXPECT_EQ(rc, 0);  // an empty text, no refusal
  EXPECT_EQ(read_text("one\rtwo\r"), "one¶two¶");
  EXPECT_EQ(read_text("one\r\ntwo\r\n"), "one¶two¶");  // CR LF is one paragraph end
  EXPECT_EQ(read_text("one\ntwo\n"), "one¶two¶");      // Unix line ends are paragraph ends too
  EXPECT_EQ(read_text("a\r\n\nb"), "a¶¶b");
  EXPECT_EQ(read_text("a\vb"), "a¶b");
}

TEST(MacTextReader, StructureAndControlBytes) {
  EXPECT_EQ(read_text("a\tb\fc"), "a{Tab}b{PageBreak}c");
  EXPECT_EQ(read_amid_text(bytes({'a', 0x1A, 'b', 0x01, 0x06, 0x1F, 'c'})), "abc");  // Ctrl-Z does not end the text
  EXPECT_EQ(read_text("a\\b"), "a{Backslash}b");
  EXPECT_EQ(testing::bytes({0x61, 0x5C, 0x5C, 0x62}), [] {
    ScratchDir dir;
    testing::write_file(dir.file("s"), "a\\b");
    orig_text_only(dir.file("s").c_str(), dir.file("o").c_str());
    return testing::read_file(dir.file("o"));
  }());
}

TEST(MacTextReader, CharactersThroughTheMacintoshTable) {
  EXPECT_EQ(read_text("A"), "A");
  EXPECT_EQ(read_text(bytes({0x80})), "{TableChar 1,30}");
  // A short list of shortcuts in the system font's symbols is text too.
  EXPECT_EQ(read_text("\x11Q \x11W\r\x12\x13\x14\r"),
            "{TableChar 5,252}Q {TableChar 5,252}W¶{TableChar 5,253}{TableChar 5,254}{TableChar 5,255}¶");        // Ä
  EXPECT_EQ(read_text(bytes({0x8E, 0xA5})), "{TableChar 1,41}{TableChar 4,3}");  // é •
  EXPECT_EQ(read_text(bytes({0xCA, 0xD0, 0xF0})), " -_");          // plain substitutes
  EXPECT_EQ(read_amid_text(bytes({0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x1E})),  // other control bytes are dropped
            "{TableChar 5,252}{TableChar 5,253}{TableChar 5,254}{TableChar 5,255}");  // the system font's symbols
}

TEST(MacTextReader, OverstruckAccents) {
  EXPECT_EQ(read_text("e\b'"), "{TableChar 1,41}");
  EXPECT_EQ(read_text("'\be"), "{TableChar 1,41}");
  EXPECT_EQ(read_text("E\b'"), "{TableChar 1,40}");
  EXPECT_EQ(read_text("x\b'y"), "'xy");
  EXPECT_EQ(read_text("Caf\be"), "Cafe");  // "f" is no accent: written as accent, then the letter
  EXPECT_EQ(read_text("\b'e"), "'e");          // nothing before the backspace
  EXPECT_EQ(read_text("e\b"), "e");            // nothing after it
  EXPECT_EQ(read_text("\\\b'"), "{Backslash}'");  // a backslash is never struck over
  EXPECT_EQ(read_text(bytes({0x8E, 0x08, '\''})), "{TableChar 1,41}'");
  EXPECT_EQ(read_text(bytes({'e', 0x08, 0x8E})), "e{TableChar 1,41}");
  EXPECT_EQ(read_text("e\b\ra"), "e¶a");
}

TEST(MacTextReader, BinaryDataIsRefusedWithItsReason) {
  std::mt19937 random(7);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  const std::string other_format =
      testing::read_file((std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples/works-2/letter.wks").string());
  struct Case {
    const char* what;
    std::string bytes;
    int rc;
    const char* reason;
  };
  const Case cases[] = {
      {"random bytes", noise, kHandlerCannotOpen, "not a Mac Text Only document: not text: NUL bytes up to byte "},
      {"a Works 2 document", other_format, kHandlerCannotOpen, "not a Mac Text Only document: not text: a NUL byte at byte 0"},
      {"control bytes", std::string(10, 'a') + "\x01", kHandlerCannotOpen,
       "not a Mac Text Only document: not text: 1 control bytes in the first 11 (text holds few)"},
  };
  for (const Case& c : cases) {
    clear_handler_reason();
    int rc = 0;
    EXPECT_EQ(read_text(c.bytes, &rc), "") << c.what;
    EXPECT_EQ(rc, c.rc) << c.what;
    EXPECT_EQ(handler_reason().rfind(c.reason, 0), 0u) << c.what << ": " << handler_reason();
  }
  // Text that is not mostly ASCII (a short one, or one in another script)
  // is no binary data: it is read as before.
  EXPECT_EQ(read_text(bytes({0x80})), "{TableChar 1,30}");
  // A short list of shortcuts in the system font's symbols is text too.
  EXPECT_EQ(read_text("\x11Q \x11W\r\x12\x13\x14\r"),
            "{TableChar 5,252}Q {TableChar 5,252}W¶{TableChar 5,253}{TableChar 5,254}{TableChar 5,255}¶");
  EXPECT_EQ(read_text("\x8E\x8E\x8E\x8E\x8E\r"), "{TableChar 1,41}{TableChar 1,41}{TableChar 1,41}{TableChar 1,41}{TableChar 1,41}¶");
}

TEST(MacTextReader, MissingSourceIsRefused) {
  ScratchDir dir;
  EXPECT_EQ(orig_text_only(dir.file("missing").c_str(), dir.file("out").c_str()), -1);
  EXPECT_EQ(orig_text_only(dir.file("missing").c_str(), (dir.file("no/such/dir")).c_str()), -1);
}

}  // namespace
}  // namespace lettrix
