// What the installed programs ship with: manual pages and bash completion that
// agree with --help and --list-formats, the dialog answering --help and
// --version without a window, a desktop entry that validates, and the file
// layout `cmake --install` produces.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "builders/clarisworks_builder.h"
#include "builders/macwrite_46_builder.h"
#include "builders/wrapper_builder.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;
using testing::corpus_dir;

struct Outcome {
  int status = -1;
  std::string out;  // standard output and standard error together
};

Outcome run(const std::string& command) {
  Outcome r;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf{};
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

bool have(const std::string& tool) { return run("command -v " + tool + " >/dev/null").status == 0; }

std::string shell_quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
std::string program(const std::string& name) { return shell_quoted(std::string(LETTRIX_BINARY_DIR) + "/bin/" + name); }
std::string source_file(const std::string& name) { return std::string(LETTRIX_SOURCE_DIR) + "/" + name; }

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The option names a line starts with ("-f,--from TEXT   source ..." gives
// -f and --from): the words before the first double space that begin with "-".
void add_leading_options(std::string line, std::set<std::string>& out) {
  std::size_t gap = line.find("  ", line.find_first_not_of(' '));
  line = line.substr(0, gap);
  for (char& c : line)
    if (c == ',' || c == '"') c = ' ';
  std::istringstream words(line);
  for (std::string w; words >> w;)
    if (w.size() > 1 && w[0] == '-') out.insert(w);
}

// Options that --help lists: every line whose first word is an option.
std::set<std::string> help_options(const std::string& help) {
  std::set<std::string> out;
  for (const auto& line : lines_of(help)) {
    std::size_t first = line.find_first_not_of(' ');
    if (first != std::string::npos && first > 0 && line[first] == '-') add_leading_options(line, out);
  }
  return out;
}

// Options that a manual page lists: the tag lines of the .TP entries of its
// OPTIONS section, with troff's "\-" read as "-" and font changes dropped.
std::set<std::string> man_options(const std::string& page) {
  std::set<std::string> out;
  bool in_options = false, tag_next = false;
  for (auto line : lines_of(page)) {
    if (line.rfind(".SH", 0) == 0) in_options = line.find("OPTIONS") != std::string::npos;
    if (!in_options) continue;
    if (line == ".TP") {
      tag_next = true;
      continue;
    }
    if (!tag_next) continue;
    tag_next = false;
    for (std::size_t at; (at = line.find("\\-")) != std::string::npos;) line.replace(at, 2, "-");
    for (std::size_t at; (at = line.find("\\f")) != std::string::npos;) line.erase(at, 3);
    for (const char* macro : {".BR ", ".B ", ".BI "})
      if (line.rfind(macro, 0) == 0) line.erase(0, std::string(macro).size());
    std::istringstream words(line);
    for (std::string w; words >> w;) {
      w.erase(std::remove_if(w.begin(), w.end(), [](char c) { return c == '"' || c == ','; }), w.end());
      if (w.size() > 1 && w[0] == '-') out.insert(w);
    }
  }
  return out;
}

// Runs the bash completion with the given words (the last one being
// completed) and returns the candidates it offers.
std::set<std::string> complete(const std::vector<std::string>& words) {
  std::string array;
  for (const auto& w : words) array += " " + shell_quoted(w);
  std::string script = "source " + shell_quoted(source_file("packaging/lettrix-convert.bash")) +
                       "; COMP_WORDS=(" + std::string(LETTRIX_BINARY_DIR) + "/bin/lettrix-convert" + array +
                       "); COMP_CWORD=" + std::to_string(words.size()) +
                       "; _lettrix_convert; printf '%s\\n' \"${COMPREPLY[@]}\"";
  Outcome r = run("bash -c " + shell_quoted(script));
  EXPECT_EQ(r.status, 0) << r.out;
  std::set<std::string> out;
  for (const auto& line : lines_of(r.out))
    if (!line.empty()) out.insert(line);
  return out;
}

std::set<std::string> with_prefix(const std::set<std::string>& all, const std::string& prefix) {
  std::set<std::string> out;
  for (const auto& s : all)
    if (s.rfind(prefix, 0) == 0) out.insert(s);
  return out;
}

// The shown names and aliases of one section of --list-formats.
struct Listed {
  std::set<std::string> names, aliases;
};
Listed listed_formats(const std::string& listing, const std::string& section) {
  Listed out;
  std::string current;
  for (const auto& line : lines_of(listing)) {
    if (!line.empty() && line[0] != ' ') {
      current = line.substr(0, line.find(' '));
      continue;
    }
    // Columns: two spaces, the name, two spaces or more, the aliases.
    const std::size_t gap = line.find("  ", 2);
    if (current != section || line.size() < 3 || gap == std::string::npos) continue;
    out.names.insert(line.substr(2, gap - 2));
    std::istringstream words(line.substr(gap));
    for (std::string w; words >> w;) {
      if (!w.empty() && w.back() == ',') w.pop_back();
      if (!w.empty() && w[0] != '.' && w[0] != '(') out.aliases.insert(w);
    }
  }
  return out;
}

TEST(Packaging, ManPagesAndCompletionListTheOptionsHelpLists) {
  Outcome convert = run(program("lettrix-convert") + " --help");
  ASSERT_EQ(convert.status, 0) << convert.out;
  std::set<std::string> options = help_options(convert.out);
  EXPECT_TRUE(options.count("--from") && options.count("-f") && options.count("--dump-stream")) << convert.out;
  EXPECT_EQ(man_options(read_file(source_file("man/lettrix-convert.1"))), options);
  EXPECT_EQ(complete({"-"}), options) << "completion of options";
  EXPECT_EQ(complete({"--li"}), std::set<std::string>{"--list-formats"});

  Outcome dialog = run(program("lettrix") + " --help");
  ASSERT_EQ(dialog.status, 0) << dialog.out;
  EXPECT_EQ(help_options(dialog.out), (std::set<std::string>{"-h", "--help", "--version"})) << dialog.out;
  EXPECT_EQ(man_options(read_file(source_file("man/lettrix.1"))), help_options(dialog.out));
}

TEST(Packaging, ManPageAndCompletionKnowEveryFormat) {
  Outcome listing = run(program("lettrix-convert") + " --list-formats");
  ASSERT_EQ(listing.status, 0) << listing.out;
  std::string page = read_file(source_file("man/lettrix-convert.1"));
  for (const char* section : {"Source", "Target"}) {
    Listed formats = listed_formats(listing.out, section);
    ASSERT_GE(formats.names.size(), 7u) << section;
    for (const auto& name : formats.names)
      EXPECT_NE(page.find("\n" + name + "\t"), std::string::npos) << "manual page lacks the row of " << name;
    for (const auto& alias : formats.aliases)
      EXPECT_NE(page.find(alias), std::string::npos) << "manual page lacks the alias " << alias;
    std::string option = section == std::string("Source") ? "-f" : "--to";
    EXPECT_EQ(complete({option, ""}), formats.aliases) << section;
    EXPECT_EQ(complete({option, "r"}), with_prefix(formats.aliases, "r")) << section;
  }
  EXPECT_EQ(complete({"--from", "=", "mw"}), (std::set<std::string>{"mw22", "mw46", "mwii"}));
  EXPECT_EQ(complete({"-t", "rtf-a"}), (std::set<std::string>{"rtf-ascii", "rtf-ansi"}));
}

TEST(Packaging, ManPagesRenderWithoutWarnings) {
  if (!have("groff")) GTEST_SKIP() << "groff not installed";
  for (const char* page : {"man/lettrix-convert.1", "man/lettrix.1"}) {
    Outcome r = run("LC_ALL=C.UTF-8 groff -t -man -ww -z -Tutf8 " + shell_quoted(source_file(page)));
    EXPECT_EQ(r.status, 0) << page;
    EXPECT_EQ(r.out, "") << page;
  }
}

TEST(Packaging, DialogAnswersHelpAndVersionWithoutAWindow) {
  // With no display to reach, a window could not open: the program would fail.
  std::string no_display = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ";
  Outcome version = run(no_display + program("lettrix") + " --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("lettrix ") + LETTRIX_VERSION + "\n");
  Outcome convert_version = run(program("lettrix-convert") + " --version");
  EXPECT_EQ(convert_version.out, std::string("lettrix-convert ") + LETTRIX_VERSION + "\n");
  for (const char* option : {" --help", " -h", " -platform offscreen --help"}) {
    Outcome help = run(no_display + program("lettrix") + option);
    EXPECT_EQ(help.status, 0) << option;
    EXPECT_EQ(help.out.rfind("Usage: lettrix", 0), 0u) << option << ": " << help.out;
  }
  Outcome full = run(program("lettrix") + " --version >/dev/full");
  EXPECT_EQ(full.status, 1) << "a failed write is reported";
}

TEST(Packaging, DesktopEntryValidatesAndNamesTheInstalledProgram) {
  std::string entry = read_file(source_file("packaging/lettrix.desktop"));
  for (const char* line : {"\nExec=lettrix %F\n", "\nIcon=lettrix\n", "\nType=Application\n", "\nTerminal=false\n",
                           "\nCategories=Office;Utility;\n"})
    EXPECT_NE(entry.find(line), std::string::npos) << line;
  if (!have("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate not installed";
  Outcome r = run("desktop-file-validate " + shell_quoted(source_file("packaging/lettrix.desktop")));
  EXPECT_EQ(r.status, 0) << r.out;
  // Only hints are left: Office and Utility are both main categories, as asked for.
  for (const auto& line : lines_of(r.out)) EXPECT_NE(line.find(": hint: "), std::string::npos) << line;
}

// The MIME description, installed in a scratch prefix and made known there by
// update-mime-database: each Macintosh document and wrapper is named by our
// types, which the desktop entry lists.
TEST(Packaging, MimeTypesNameTheMacintoshDocuments) {
  if (!have("update-mime-database") || !have("xdg-mime") || !have("gio"))
    GTEST_SKIP() << "shared-mime-info, xdg-utils or gio not installed";
  ScratchDir dir;
  fs::create_directories(dir.path() / "mime/packages");
  fs::copy_file(source_file("packaging/lettrix-mime.xml"), dir.path() / "mime/packages/lettrix.xml");
  Outcome r = run("update-mime-database " + shell_quoted(dir.file("mime")) + " 2>&1");
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string env = "XDG_DATA_HOME=" + shell_quoted(dir.path().string()) +
                          " XDG_DATA_DIRS=" + shell_quoted(dir.path().string()) + " XDG_CURRENT_DESKTOP=GNOME ";
  auto type_of = [&](const std::string& path) {
    std::string out = run(env + "xdg-mime query filetype " + shell_quoted(path)).out;
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
  };
  const std::string mw46 = build::MacWrite46Builder{}.paragraph("Dear Paul\r").build();
  const std::string cw = build::ClarisWorksBuilder{}.paragraph(0).text("Plan\r").build();
  const build::MacFile letter{.name = "Letter", .type = "WORD", .creator = "MACA"};
  const std::pair<std::string, std::string> made[] = {
      {mw46, "application/x-macwrite"},
      {cw, "application/x-appleworks-document"},
      {build::macbinary_ii(mw46, letter), "application/x-macwrite"},
      {build::macbinary_ii("text", {.name = "Notes"}), "application/x-macbinary"},
      {build::binhex(mw46, letter), "application/mac-binhex40"},
      {build::applesingle(mw46, letter), "application/applefile"},
      {build::macbinary_ii("x", {.name = "N", .type = "TEXT", .creator = "NISI"}), "application/x-nisus-writer"},
  };
  for (std::size_t i = 0; i < std::size(made); ++i) {
    const std::string file = dir.file("doc" + std::to_string(i));
    write_file(file, made[i].first);
    EXPECT_EQ(type_of(file), made[i].second) << i;
  }
  // A real MacWrite document and a real ClarisWorks one, when the corpus is here.
  const fs::path corpus = corpus_dir();
  const std::pair<const char*, const char*> real[] = {{"macwrite-4.6/arashi_basic_concepts", "application/x-macwrite"},
                                                       {"macwrite-4.6/arashi_basic_concepts.bin", "application/x-macwrite"},
                                                       {"clarisworks/alice_aw629", "application/x-appleworks-document"}};
  for (const auto& [name, type] : real) {
    if (corpus.empty() || !fs::exists(corpus / name)) continue;
    EXPECT_EQ(type_of((corpus / name).string()), type) << name;
  }
  // The desktop entry offers the program for every one of them.
  const std::string entry = read_file(source_file("packaging/lettrix.desktop"));
  for (const auto& [bytes, type] : made) EXPECT_NE(entry.find(type + ";"), std::string::npos) << type;
}

// Width and height of a PNG file, from its IHDR chunk; 0, 0 when it is not one.
std::pair<unsigned, unsigned> png_size(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
    return {0, 0};
  auto be32 = [&](std::size_t at) {
    unsigned v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

TEST(Packaging, InstallHonoursDestdirAndPrefix) {
  ScratchDir dir;
  Outcome r = run("DESTDIR=" + shell_quoted(dir.file("root")) + " " + shell_quoted(LETTRIX_CMAKE_COMMAND) + " --install " +
              shell_quoted(LETTRIX_BINARY_DIR) + " --prefix /opt/lx");
  ASSERT_EQ(r.status, 0) << r.out;
  fs::path root = dir.path() / "root" / "opt" / "lx";
  std::set<std::string> installed;
  for (const auto& e : fs::recursive_directory_iterator(dir.path() / "root"))
    if (!e.is_directory()) installed.insert(fs::relative(e.path(), root).generic_string());
  std::set<std::string> expected = {
      "bin/lettrix", "bin/lettrix-convert", "share/applications/lettrix.desktop", "share/mime/packages/lettrix.xml",
      "share/bash-completion/completions/lettrix-convert", "share/doc/lettrix/README.md",
      "share/doc/lettrix/changelog.gz", "share/doc/lettrix/copyright", "share/man/man1/lettrix-convert.1.gz",
      "share/man/man1/lettrix.1.gz"};
  const unsigned sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
  for (unsigned size : sizes)
    expected.insert("share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
                    "/apps/lettrix.png");
  EXPECT_EQ(installed, expected);

  for (unsigned size : sizes) {
    std::string png = read_file((root / ("share/icons/hicolor/" + std::to_string(size) + "x" +
                                         std::to_string(size) + "/apps/lettrix.png")).string());
    EXPECT_EQ(png_size(png), std::make_pair(size, size)) << size;
  }
  for (const char* gz : {"share/man/man1/lettrix-convert.1.gz", "share/doc/lettrix/changelog.gz"})
    EXPECT_EQ(read_file((root / gz).string()).compare(0, 2, "\x1f\x8b"), 0) << gz;
  Outcome page = run("gzip -dc " + shell_quoted((root / "share/man/man1/lettrix-convert.1.gz").string()));
  EXPECT_EQ(page.out, read_file(source_file("man/lettrix-convert.1")));
  Outcome changelog = run("gzip -dc " + shell_quoted((root / "share/doc/lettrix/changelog.gz").string()));
  EXPECT_EQ(changelog.out.rfind(std::string("lettrix (") + LETTRIX_VERSION + ") ", 0), 0u) << changelog.out;
  Outcome installed_version = run(shell_quoted((root / "bin/lettrix-convert").string()) + " --version");
  EXPECT_EQ(installed_version.out, std::string("lettrix-convert ") + LETTRIX_VERSION + "\n");
}

// Building and running the programs (make demo, make install) installs what
// they need and nothing of the test tools; make test installs both.
TEST(Packaging, MakeDemoNeedsNoTestTools) {
  const std::string makefile = read_file(source_file("Makefile"));
  const auto list = [&](const std::string& name) {
    std::size_t at = makefile.find("\n" + name + " := ");
    std::string words;
    while (at != std::string::npos) {
      const std::size_t end = makefile.find('\n', at + 1);
      words += makefile.substr(at, end - at);
      if (makefile[end - 1] != '\\') break;
      at = end;
    }
    return words + " ";
  };
  const std::string build = list("BUILD_PACKAGES");
  const std::string tests = list("TEST_PACKAGES");
  ASSERT_NE(build.find("qt6-base-dev"), std::string::npos) << build;
  for (const char* tool : {"libgtest-dev", "unrtf", "libreoffice-writer-nogui", "antiword", "clang", "libwpd-tools"}) {
    EXPECT_EQ(build.find(std::string(" ") + tool + " "), std::string::npos) << tool;
    EXPECT_NE(tests.find(std::string(" ") + tool + " "), std::string::npos) << tool;
  }
  EXPECT_NE(makefile.find("\ndemo: deps-build "), std::string::npos);
  EXPECT_NE(makefile.find("\ntest: deps "), std::string::npos);
}

}  // namespace
}  // namespace lettrix
