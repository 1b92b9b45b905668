// Sample Mac text files: accents and signs of the Macintosh character set,
// the old typewriter accents, and the line ends of other systems.
#include <filesystem>
#include <string>

#include "builders/pict_builder.h"
#include "builders/styled_text_builder.h"
#include "builders/wrapper_builder.h"
#include "samples.h"

namespace fs = std::filesystem;

namespace {

// Mac Roman bytes used below.
const std::string e_acute = "\x8E", a_grave = "\x88", bullet = "\xA5", not_equal = "\xAD", copyright = "\xA9",
                  em_dash = "\xD1", left_quote = "\xD2", right_quote = "\xD3", pi = "\xB9", u_umlaut = "\x9F",
                  c_cedilla = "\x8D";

}  // namespace

void make_samples_MacText(const fs::path& dir) {
  write_sample(dir / "letter.txt",
        "Ch" + std::string("\x8F") + "re H" + e_acute + "l" + std::string("\x8F") + "ne,\r\r"
        "Voici la liste " + left_quote + "fran" + c_cedilla + "aise" + right_quote + " " + em_dash + " d" + e_acute +
        "j" + a_grave + " pr" + std::string("\x90") + "te :\r" +
        bullet + "\tpommes\t3,50\r" + bullet + "\tpoires\t4,20\r\r"
        "Formule : a " + not_equal + " b, " + pi + " = 3,14.\r"
        "Chemin : C:\\LETTRES\\H" + e_acute + "L" + std::string("\x8F") + "NE.TXT\r"
        "\f" + copyright + " 1994 M" + u_umlaut + "ller\r");
  // The old typewriter way: letter, backspace, accent.
  write_sample(dir / "typewriter.txt", "Cafe\b' au lait, `\ba la carte, Noe\b\"l, nai\b\"ve.\r");
  write_sample(dir / "unix-lines.txt", "First line\nSecond line\n\nAfter an empty line\n");
  write_sample(dir / "dos-lines.txt", "First line\r\nSecond line\r\n\x1A");

  // A SimpleText read-me in MacBinary: its look in the resource fork (a
  // heading in Helvetica 18 bold, body text in Times, a bold word, an
  // italic one, a red underlined one, a line in Monaco) and a picture where
  // the text holds a non-breaking space.
  namespace build = lettrix::build;
  const std::string text =
      "Read Me\rThis manual is short. Read the bold words twice, the italic ones once, and the red one "
      "never.\r\xCA\rType:  convert letter\r";
  const auto at = [&](const char* word) { return static_cast<std::uint32_t>(text.find(word)); };
  const std::string styles = build::style_scrap({
      {.start = 0, .font = 21, .face = 1, .size = 18},
      {.start = at("This"), .font = 20, .size = 12},
      {.start = at("bold words"), .font = 20, .face = 1, .size = 12},
      {.start = at(" twice"), .font = 20, .size = 12},
      {.start = at("italic"), .font = 20, .face = 2, .size = 12},
      {.start = at(" ones"), .font = 20, .size = 12},
      {.start = at("red"), .font = 20, .face = 4, .size = 12, .red = 0xFFFF},
      {.start = at(" one never"), .font = 20, .size = 12},
      {.start = at("convert"), .font = 4, .size = 10},
  });
  const std::string picture = build::pict_of(1, {0, 0, 40, 120}, [](build::PictBuilder& b) {
    b.shape(0x30, {2, 2, 38, 118});   // FrameRect
    b.shape(0x51, {10, 10, 30, 40});  // PaintOval
    b.line(20, 50, 20, 110);
  });
  const std::string fork = build::resource_fork({{"styl", 128, styles}, {"PICT", 1000, picture}});
  const build::MacFile file{.name = "Read Me", .type = "TEXT", .creator = "ttxt", .resource_fork = fork};
  write_sample(dir / "readme-styled.bin", build::macbinary_ii(text, file));

  // A memo written on a Japanese system in SimpleText: a heading in Osaka
  // (font 16384) and its text in Shift-JIS, with a Korean and a Chinese line
  // in fonts of those scripts and a Roman line in Geneva.
  const std::string memo =
      "\x89\xEF\x8B\x63\x82\xCC\x82\xA8\x92\x6D\x82\xE7\x82\xB9\r"  // 会議のお知らせ
      "\x96\xBE\x93\xFA\x81\x41\x8F\x5C\x8E\x9E\x82\xA9\x82\xE7\x81\x42\r"  // 明日、十時から。
      "\xC8\xB8\xC0\xC7\r"  // 회의
      "\xB7\x7C\xC4\xB3\r"  // 會議
      "Meeting tomorrow at ten.\r";
  const auto memo_at = [&](const char* bytes) { return static_cast<std::uint32_t>(memo.find(bytes)); };
  const std::string memo_styles = build::style_scrap({
      {.start = 0, .font = 16384, .face = 1, .size = 18},
      {.start = memo_at("\x96\xBE"), .font = 16384, .size = 12},
      {.start = memo_at("\xC8\xB8"), .font = 17408, .size = 12},
      {.start = memo_at("\xB7\x7C"), .font = 16896, .size = 12},
      {.start = memo_at("Meeting"), .font = 3, .size = 12},
  });
  const build::MacFile memo_file{.name = "Memo", .type = "TEXT", .creator = "ttxt",
                                 .resource_fork = build::resource_fork({{"styl", 128, memo_styles}})};
  write_sample(dir / "memo-japanese.bin", build::macbinary_ii(memo, memo_file));
}
