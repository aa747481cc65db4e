#include "files/FileReplace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

namespace hss::files {
namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string errnoText(int error)
{
    return std::generic_category().message(error);
}

// A name in the target's folder that no other file has: "x.txt" becomes
// ".x.txt.<random>.tmp". Created exclusively, so two saves never share one.
struct TemporaryFile {
    fs::path path;
    FilePtr file;
};

std::optional<TemporaryFile> createTemporaryBeside(const fs::path& target, std::string& error)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path path =
            target.parent_path() / ("." + target.filename().string() + "." + std::to_string(random() % 1000000000ULL) + ".tmp");
        errno = 0;
        // "x": fail if the name exists (C11 exclusive mode).
        if (std::FILE* file = std::fopen(path.c_str(), "wbx")) return TemporaryFile{path, FilePtr(file)};
        if (errno != EEXIST) {
            error = errnoText(errno != 0 ? errno : EIO);
            return std::nullopt;
        }
    }
    error = errnoText(EEXIST);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> writeFileReplacing(const fs::path& requested, std::string_view bytes)
{
    std::error_code ec;
    fs::path target = requested;
    if (fs::is_symlink(requested, ec)) {
        target = fs::weakly_canonical(requested, ec);
        if (ec) return ec.message();
    }
    if (fs::is_directory(target, ec)) return errnoText(EISDIR);
    // A file nobody may write to was made read-only on purpose: keep it.
    const fs::file_status old = fs::status(target, ec);
    const fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const bool exists = !ec && fs::exists(old);
    if (exists && (old.permissions() & anyWrite) == fs::perms::none) return errnoText(EACCES);

    std::string error;
    std::optional<TemporaryFile> temporary = createTemporaryBeside(target, error);
    if (!temporary) return error;

    auto fail = [&](int code) {
        temporary->file.reset();
        fs::remove(temporary->path, ec);
        return std::optional<std::string>(errnoText(code != 0 ? code : EIO));
    };
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), temporary->file.get()) != bytes.size()) {
        return fail(errno);
    }
    errno = 0;
    if (std::fflush(temporary->file.get()) != 0) return fail(errno);
    // On the disk before the rename: a power cut after it then finds the
    // new file whole, not an empty one in its place.
    errno = 0;
    if (::fsync(::fileno(temporary->file.get())) != 0) return fail(errno);
    errno = 0;
    if (std::fclose(temporary->file.release()) != 0) return fail(errno);

    // The replacement keeps the permissions of the file it replaces.
    if (exists) fs::permissions(temporary->path, old.permissions(), ec);

    fs::rename(temporary->path, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(temporary->path, ec);
        return reason;
    }
    return std::nullopt;
}

FileBytes readWholeFile(const fs::path& path, std::size_t maxBytes)
{
    FileBytes result;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        result.error = errnoText(EISDIR);
        return result;
    }
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.error = errnoText(errno != 0 ? errno : EIO);
        return result;
    }
    char buffer[4096];
    while (true) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        result.bytes.append(buffer, got);
        if (result.bytes.size() > maxBytes) {
            result.bytes.clear();
            result.error = "the file is larger than " + std::to_string(maxBytes) + " bytes";
            return result;
        }
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file.get())) {
        result.bytes.clear();
        result.error = errnoText(errno != 0 ? errno : EIO);
    }
    return result;
}

std::optional<std::string> copyFileReplacing(const fs::path& from, const fs::path& to, std::size_t maxBytes)
{
    const FileBytes source = readWholeFile(from, maxBytes);
    if (!source.ok()) return source.error;
    return writeFileReplacing(to, source.bytes);
}

}  // namespace hss::files
