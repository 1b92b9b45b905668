#include "builders/nisus_builder.h"

#include <map>

#include "builders/builder_common.h"

namespace lettrix::build {

namespace {

constexpr std::size_t kDataAreaStart = 256;  // after the header and the space kept for the system
constexpr std::size_t kMapHeaderSize = 28;
constexpr std::uint8_t kPurgeable = 0x20;

struct ForkResource {
  std::string type;
  std::int16_t id;
  std::string data;
  std::string name;
};

// A resource fork holding the resources, types in the order of their first
// resource, as the Resource Manager lays it out.
std::string lay_out(const std::vector<ForkResource>& resources, NisusLayout* layout) {
  std::vector<std::string> types;
  std::map<std::string, std::vector<const ForkResource*>> by_type;
  for (const ForkResource& r : resources) {
    if (by_type[r.type].empty()) types.push_back(r.type);
    by_type[r.type].push_back(&r);
  }

  // Data area, in map order.
  std::string data;
  std::map<const ForkResource*, std::size_t> item;
  for (const std::string& t : types)
    for (const ForkResource* r : by_type[t]) {
      item[r] = data.size();
      if (layout) layout->data_items.push_back(kDataAreaStart + data.size());
      put_be32(data, static_cast<std::uint32_t>(r->data.size()));
      data += r->data;
    }

  // Map: type list, reference lists, name list.
  std::string type_list;
  put_be16(type_list, static_cast<std::uint16_t>(types.size() - 1));
  std::string references, names;
  std::size_t ref_start = 2 + 8 * types.size();  // from the type list
  for (const std::string& t : types) {
    type_list += t;
    put_be16(type_list, static_cast<std::uint16_t>(by_type[t].size() - 1));
    put_be16(type_list, static_cast<std::uint16_t>(ref_start + references.size()));
    if (layout) layout->reference_lists.push_back(references.size());
    for (const ForkResource* r : by_type[t]) {
      put_be16(references, static_cast<std::uint16_t>(r->id));
      if (r->name.empty()) {
        put_be16(references, 0xFFFF);
      } else {
        put_be16(references, static_cast<std::uint16_t>(names.size()));
        names += static_cast<char>(r->name.size());
        names += r->name;
      }
      put_be32(references, static_cast<std::uint32_t>(kPurgeable) << 24 | static_cast<std::uint32_t>(item[r]));
      put_be32(references, 0);  // handle
    }
  }
  const std::size_t map_offset = kDataAreaStart + data.size();
  const std::size_t name_list = kMapHeaderSize + type_list.size() + references.size();
  const std::size_t map_length = name_list + names.size();

  std::string header;
  put_be32(header, static_cast<std::uint32_t>(kDataAreaStart));
  put_be32(header, static_cast<std::uint32_t>(map_offset));
  put_be32(header, static_cast<std::uint32_t>(data.size()));
  put_be32(header, static_cast<std::uint32_t>(map_length));

  std::string map = header;    // the copy of the fork header
  map.append(4, '\0');         // handle of the next map
  map.append(2, '\0');         // file reference
  map.append(2, '\0');         // attributes
  put_be16(map, static_cast<std::uint16_t>(kMapHeaderSize));
  put_be16(map, static_cast<std::uint16_t>(name_list));
  map += type_list + references + names;

  std::string fork = header;
  fork.resize(kDataAreaStart, '\0');
  fork += data + map;
  if (layout) {
    layout->map = map_offset;
    layout->type_list = map_offset + kMapHeaderSize;
    for (std::size_t& list : layout->reference_lists) list += layout->type_list + 2 + 8 * types.size();
  }
  return fork;
}

}  // namespace

NisusBuilder& NisusBuilder::text(std::string_view mac_bytes) {
  text_.append(mac_bytes);
  return *this;
}

NisusBuilder& NisusBuilder::footnote(std::string_view mac_bytes) {
  text_ += '\x1C';
  notes_.emplace_back(mac_bytes);
  return *this;
}

NisusBuilder& NisusBuilder::notes_per_resource(std::size_t n) {
  per_resource_ = n;
  return *this;
}

NisusBuilder& NisusBuilder::other_resource(const std::string& type, std::string_view data, const std::string& name) {
  others_.push_back({type, std::string(data), name});
  return *this;
}

NisusBuilder& NisusBuilder::without_resource_fork() {
  fork_ = false;
  return *this;
}

std::string NisusBuilder::resource_fork(NisusLayout* layout) const {
  std::vector<ForkResource> resources;
  std::int16_t id = 128;
  for (const auto& o : others_) resources.push_back({o.type, id++, o.data, o.name});
  const std::size_t per = per_resource_ == 0 ? notes_.size() : per_resource_;
  for (std::size_t i = 0; i < notes_.size(); i += per) {
    std::string data;
    for (std::size_t j = i; j < i + per && j < notes_.size(); ++j) data += '\x1C' + notes_[j];
    resources.push_back({"FNTX", id++, data, ""});
  }
  if (resources.empty()) resources.push_back({"vers", 1, std::string("\x01\x00\x80\x00\x00\x00", 6), ""});
  return lay_out(resources, layout);
}

std::string NisusBuilder::build(NisusLayout* layout) const {
  const std::string fork = fork_ ? resource_fork(layout) : std::string();
  if (layout) {
    layout->resource_fork = 128 + (text_.size() + 127) / 128 * 128;
    layout->map += layout->resource_fork;
    layout->type_list += layout->resource_fork;
    for (std::size_t& list : layout->reference_lists) list += layout->resource_fork;
    for (std::size_t& item : layout->data_items) item += layout->resource_fork;
  }
  return macbinary(text_, "Nisus document", "TEXT", "NISI", fork);
}

}  // namespace lettrix::build
