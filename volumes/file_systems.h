// The listers of the two Macintosh file systems, given the volume's place in
// the image (scan.base) and the end of the bytes it may use in the image.
#pragma once

#include <cstdint>

#include "volumes/volume_scan.h"

namespace lettrix {

inline constexpr std::uint16_t kHfsSignature = 0x4244;  // 'BD'
inline constexpr std::uint16_t kMfsSignature = 0xD2D7;
inline constexpr std::uint64_t kMasterDirectoryBlock = 1024;

// Each lists the volume into scan.volume (name, entries, problems); false
// with why_not when its master directory block cannot be used.
bool list_hfs(VolumeScan& scan, std::uint64_t end, std::string& why_not);
bool list_mfs(VolumeScan& scan, std::uint64_t end, std::string& why_not);

}  // namespace lettrix
