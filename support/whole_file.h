// Reading a whole source file into memory, for readers that parse it there.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

namespace lettrix {

// Reads the stream from its start to its end into data. False when its size
// cannot be told, the memory cannot be had or a read fails.
bool read_whole_file(std::FILE* in, std::vector<std::uint8_t>& data);

}  // namespace lettrix
