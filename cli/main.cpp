// lettrix-convert: the command-line converter for batch work.
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "cli/convert_command.h"
#include "cli/extract_pictures.h"
#include "cli/format_names.h"
#include "core/format_registry.h"
#include "support/owned_files.h"

int main(int argc, char** argv) {
  using namespace lettrix;
  CLI::App app{
      "Lettrix: converts classic Macintosh word-processor documents to PC formats.\n"
      "Each FILE-OR-PATTERN is converted beside its source with the target's extension;\n"
      "an existing file is never overwritten (a numbered name is chosen instead).",
      "lettrix-convert"};
  std::string from, to;
  bool recursive = false, list = false, dump = false, identify = false, quiet = false, verbose = false;
  bool skip_existing = false;
  int jobs = static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
  std::string output_dir, pictures_dir, report;
  std::vector<std::string> files;
  app.add_option("-f,--from", from,
                 "source format: a name or alias from --list-formats, or auto (the default: each file's\n"
                 "format is told by its content; other files are skipped)");
  app.add_option("-t,--to", to, "target format: a name or alias from --list-formats");
  app.add_flag("-r,--recursive", recursive, "with a wildcard pattern, search subdirectories too");
  app.add_option("-o,--output-dir", output_dir,
                 "put the targets in DIR (created if missing; -r keeps the folders below it); "
                 "'-' writes the one target to standard output");
  app.add_flag("--skip-existing", skip_existing,
               "leave a source whose target (its own name, not a numbered one) exists already: a second run\n"
               "over a collection converts only what is new or failed");
  app.add_option("--report", report,
                 "add a record of each source to FILE (JSON Lines: source, format, wrapper, target, status,\n"
                 "reason, sizes and SHA-256 checksums), written as each file finishes")
      ->type_name("FILE");
  app.add_option("-j,--jobs", jobs,
                 "convert N files at once, each in a process of its own (default: the number of cores);\n"
                 "lines are printed as files finish")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
  app.add_flag("-q,--quiet", quiet, "print only errors");
  app.add_flag("-v,--verbose", verbose, "also print each file's format and sizes");
  app.add_flag("--dump-stream", dump, "print the intermediate stream the source reader writes for FILE");
  app.add_option("--extract-pictures", pictures_dir,
                 "write each picture of FILE into DIR as NAME-NN.pict (with the 512-byte header of PC picture\n"
                 "files) and NAME-NN.png (drawn)")
      ->type_name("DIR");
  app.add_flag("--identify", identify, "print the format each FILE is found to be, and how sure that is (with -v, why each source format refuses a file it is not)");
  app.add_flag("--list-formats", list, "list the source and target formats with their aliases");
  app.add_option("files", files,
                 "files or wildcard patterns (quote patterns: '*.mw', 'archive/*.mw'); '-' reads standard input");
  app.set_version_flag("--version", std::string("lettrix-convert ") + LETTRIX_VERSION);
  // The examples name formats by the list's aliases (core/formats.def).
  const std::string text(source_main_alias(SrcMacText));
  const std::string mw46(source_main_alias(SrcMacWrite46));
  app.footer(
      "Examples:\n"
      "  lettrix-convert -f " + text + " -t ansi readme\n"
      "  lettrix-convert -f \"MacWrite II\" -t rtf-ansi -r 'archive/*.mw'\n"
      "  lettrix-convert -f " + text + " --dump-stream readme\n"
      "  lettrix-convert -f " + mw46 + " -t rtf-ansi -o converted -r '/cdrom/*.*'\n"
      "  cat doc | lettrix-convert -f " + mw46 + " -t rtf-ansi -o - - > doc.rtf\n"
      "  lettrix-convert -t rtf-ansi 'archive/*'     (formats told by content; MacBinary, BinHex,\n"
      "                                              AppleSingle and ._NAME AppleDouble files unwrapped)\n"
      "  lettrix-convert --identify letter.bin notes.hqx\n"
      "  lettrix-convert --extract-pictures pictures manual.bin\n"
      "Exit status: 0 every file converted, 1 some file failed, 2 usage error.");
  install_interrupt_cleanup();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int rc = app.exit(e);
    return rc == 0 ? 0 : 2;
  }

  if (list) {
    std::cout << format_listing();
    return 0;
  }
  auto usage = [&](const std::string& message) {
    std::cerr << "lettrix-convert: " << message << "\nRun with --help for usage.\n";
    return 2;
  };
  if (files.empty()) return usage("no files given");
  if (identify) return identify_files(files, std::cout, std::cerr, verbose);
  int source_row = kDetectSource;
  if (!from.empty() && from != "auto") {
    source_row = find_source_format(from);
    if (source_row < 0) return usage("unknown source format '" + from + "' (see --list-formats)");
  }
  if (!pictures_dir.empty()) {
    if (files.size() != 1 || files[0] == "-") return usage("--extract-pictures takes exactly one file");
    return extract_pictures(source_row, files[0], pictures_dir, quiet, std::cout, std::cerr);
  }
  if (dump) {
    if (files.size() != 1) return usage("--dump-stream takes exactly one file");
    return dump_stream(source_row, files[0], std::cout, std::cerr);
  }
  if (to.empty()) return usage("a target format is needed (-t)");
  int target_row = find_target_format(to);
  if (target_row < 0) return usage("unknown target format '" + to + "' (see --list-formats)");
  ConvertOptions options;
  options.source_row = source_row;
  options.target_row = target_row;
  options.recursive = recursive;
  options.output_dir = output_dir;
  options.skip_existing = skip_existing;
  options.report = report;
  options.jobs = jobs;
  if (quiet && verbose) return usage("-q and -v cannot be used together");
  options.verbosity = quiet ? 0 : verbose ? 2 : 1;
  options.progress = isatty(STDERR_FILENO) != 0;
  const bool to_stdout = output_dir == "-" || (output_dir.empty() && files.size() == 1 && files[0] == "-");
  const bool pattern = std::any_of(files.begin(), files.end(), [](const std::string& f) {
    return f.find_first_of("*?") != std::string::npos;
  });
  if (to_stdout && (files.size() != 1 || pattern)) return usage("-o - takes exactly one file");
  if (std::count(files.begin(), files.end(), "-") > 1) return usage("standard input can be read once");
  if (files.size() > 1 && output_dir.empty() && std::count(files.begin(), files.end(), "-") == 1)
    return usage("standard input among other files needs -o DIR");
  return run_conversions(options, files, std::cin, std::cout, std::cerr);
}
