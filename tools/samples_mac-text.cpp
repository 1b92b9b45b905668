// Sample Mac text files: accents and signs of the Macintosh character set,
// the old typewriter accents, and the line ends of other systems.
#include <filesystem>
#include <string>

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
}
