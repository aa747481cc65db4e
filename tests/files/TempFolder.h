#pragma once
// A fresh folder under the system's temporary folder, removed with its contents.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
        std::mt19937_64 random{std::random_device{}()};
        path_ = std::filesystem::temp_directory_path() / ("kc-files-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Compiles one C file of the folder as a firmware project would (C99, every
// warning an error; "-x c" makes a header one translation unit), with the
// folder on the include path. Empty when it compiles, else the command and
// the compiler's output.
inline std::string compileC(const TempFolder& folder, const std::string& file, const std::string& flags = "")
{
    auto quoted = [](const std::filesystem::path& path) { return "'" + path.string() + "'"; };
    const std::filesystem::path log = folder / (file + ".log");
    const std::string command = "cc -std=c99 -Wall -Wextra -Werror " + flags + " -I " + quoted(folder.path()) +
                                " -c " + quoted(folder / file) + " -o " + quoted(folder / (file + ".o")) + " > " +
                                quoted(log) + " 2>&1";
    if (std::system(command.c_str()) == 0) return {};
    return command + "\n" + readBytes(log);
}
