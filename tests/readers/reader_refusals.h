// What a reader called directly does with files that are not its format: an
// empty file, random bytes, plain text and a sample of another format are
// each refused (a nonzero result) with a reason that names the format.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/handler.h"
#include "macwrite_test_support.h"
#include "test_util.h"

namespace lettrix::testing {

inline void expect_refusals(Handler reader, const char* shown_name, const char* other_sample) {
  std::mt19937 random(11);
  std::string noise(4000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string text;
  while (text.size() < 3000) text += "Dear Sir,\rThank you for your letter of the 4th.\r";
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"random bytes", noise},
      {"plain text", text},
      {other_sample, read_file(std::string(LETTRIX_SOURCE_DIR) + "/samples/" + other_sample)},
  };
  for (const auto& c : cases) {
    if (c.what == other_sample) {
      EXPECT_FALSE(c.bytes.empty()) << other_sample;
    }
    clear_handler_reason();
    const ReaderRun r = run_reader(reader, c.bytes);
    EXPECT_NE(r.rc, 0) << shown_name << ", " << c.what;
    EXPECT_NE(handler_reason().find(shown_name), std::string::npos)
        << shown_name << ", " << c.what << ": " << handler_reason();
  }
}

}  // namespace lettrix::testing
