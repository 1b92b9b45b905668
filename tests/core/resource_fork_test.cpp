#include "core/resource_fork.h"

#include <gtest/gtest.h>

#include "builders/builder_common.h"
#include "builders/nisus_builder.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::NisusBuilder;
using build::NisusLayout;

std::string text_of(const std::vector<std::uint8_t>& data) { return std::string(data.begin(), data.end()); }

std::span<const std::uint8_t> bytes_of(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(ResourceFork, WalksTheMapAndReadsTheData) {
  const std::string fork = NisusBuilder{}
                               .other_resource("vers", "1.0", "Version")
                               .other_resource("STR ", "hello")
                               .other_resource("vers", "2.0")
                               .notes_per_resource(1)
                               .footnote("a")
                               .footnote("b")
                               .resource_fork();
  // Behind some other bytes of a file, as a fork lies in a MacBinary file.
  testing::ScratchDir dir;
  testing::write_file(dir.file("bin"), std::string(128, 'x') + fork + std::string(100, 'y'));
  SourceFork range = open_plain_fork(dir.file("bin"));
  ASSERT_TRUE(range.present());
  range.offset = 128;
  range.size = fork.size();
  SourceView view(range);
  ResourceFork rf(view);
  ASSERT_EQ(rf.read_map(), ResourceForkStatus::Ok);
  struct Expected {
    std::uint32_t type;
    std::int16_t id;
    const char* name;
    const char* data;
  };
  const Expected expected[] = {
      {resource_type("vers"), 128, "Version", "1.0"}, {resource_type("vers"), 130, "", "2.0"},
      {resource_type("STR "), 129, "", "hello"},      {resource_type("FNTX"), 131, "", "\x1C" "a"},
      {resource_type("FNTX"), 132, "", "\x1C" "b"},
  };
  ASSERT_EQ(rf.refs().size(), std::size(expected));
  std::vector<std::uint8_t> data;
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const ResourceRef& ref = rf.refs()[i];
    EXPECT_EQ(ref.type, expected[i].type) << i;
    EXPECT_EQ(ref.id, expected[i].id) << i;
    EXPECT_EQ(ref.name, expected[i].name) << i;
    EXPECT_EQ(ref.attributes, 0x20) << i;
    ASSERT_TRUE(rf.read_data(ref, data)) << i;
    EXPECT_EQ(text_of(data), expected[i].data) << i;
  }
  // The data area has been handed out once: reading it all again would mean
  // items that overlap.
  EXPECT_FALSE(rf.read_data(rf.refs()[2], data));

  SourceView nothing(std::span<const std::uint8_t>{});
  ResourceFork empty(nothing);
  EXPECT_EQ(empty.read_map(), ResourceForkStatus::Empty);
  EXPECT_TRUE(empty.refs().empty());
}

TEST(ResourceFork, DamagedMapsCostNoMoreThanTheirSize) {
  NisusLayout at;
  const std::string fork = NisusBuilder{}.other_resource("vers", "1.0").footnote("n").resource_fork(&at);
  const auto status = [](const std::string& bytes) {
    SourceView view(bytes_of(bytes));
    ResourceFork rf(view);
    return rf.read_map();
  };
  EXPECT_EQ(status(fork), ResourceForkStatus::Ok);
  EXPECT_EQ(status(fork.substr(0, 15)), ResourceForkStatus::Damaged);
  EXPECT_EQ(status(fork.substr(0, fork.size() - 1)), ResourceForkStatus::Damaged);  // the map is cut
  // Every type pointing at the same reference list: the references would
  // outnumber what the map can hold.
  std::string looped = fork;
  const std::size_t types = 2000;
  std::string type_list;
  build::put_be16(type_list, types - 1);
  for (std::size_t t = 0; t < types; ++t) {
    type_list += "FNTX";
    build::put_be16(type_list, 0);
    build::put_be16(type_list, static_cast<std::uint16_t>(2 + 8 * types));
  }
  std::string map(28, '\0');
  build::set_be16(map, 24, 28);
  map += type_list;
  map += std::string(12, '\0');  // one reference
  map.append(2, '\0');
  std::string header;
  build::put_be32(header, 16);
  build::put_be32(header, 16);
  build::put_be32(header, 0);
  build::put_be32(header, static_cast<std::uint32_t>(map.size()));
  EXPECT_EQ(status(header + map), ResourceForkStatus::Damaged);
  // No types at all (the count word holds -1).
  std::string no_types(28, '\0');
  build::put_be16(no_types, 0xFFFF);
  std::string h2;
  build::put_be32(h2, 16);
  build::put_be32(h2, 16);
  build::put_be32(h2, 0);
  build::put_be32(h2, static_cast<std::uint32_t>(no_types.size()));
  const std::string bare = h2 + no_types;
  SourceView view(bytes_of(bare));
  ResourceFork rf(view);
  EXPECT_EQ(rf.read_map(), ResourceForkStatus::Ok);
  EXPECT_TRUE(rf.refs().empty());
}

}  // namespace
}  // namespace lettrix
