#pragma once

#include <cstdint>
#include <vector>

namespace modplug {

// Files larger than this are refused without being read: no module comes near it, and reading
// it would freeze the caller.
constexpr std::int64_t maxModuleFileBytes = 256 * 1024 * 1024;

// Reads a whole module file; path is UTF-8. Anything but a regular file of 1 byte to
// maxModuleFileBytes is refused before it is read: a pipe would block until a writer comes, a
// device may never end, and a directory reads as an empty stream. Each system has its own
// reader; the rules are the same.
bool readModuleFile(const char* path, std::vector<char>& bytes);

} // namespace modplug
