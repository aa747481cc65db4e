#pragma once
// Writing a file so that an interrupted or failed write never destroys the
// old one: the bytes go to a temporary file in the target's folder, which
// is then renamed over the target. Reading a file whole, with a size limit.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hss::files {

// Empty on success; otherwise why it failed ("Permission denied", "Is a
// directory", ...). On failure the target is as it was and no temporary
// file is left behind. A symbolic link is followed: its target is replaced.
std::optional<std::string> writeFileReplacing(const std::filesystem::path& target, std::string_view bytes);

struct FileBytes {
    std::string bytes;
    std::string error;  // empty when the file was read
    bool ok() const { return error.empty(); }
};

// The whole file, or why it could not be read; a file larger than maxBytes
// is refused.
FileBytes readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// Copies a file through writeFileReplacing (so the copy is whole or absent).
std::optional<std::string> copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                                             std::size_t maxBytes);

}  // namespace hss::files
