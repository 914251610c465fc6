#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vaptest {

/** A fresh folder under the system's temporary folder, removed with everything in it. */
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /** The path of a file in the folder, as a string. */
    std::string file(std::string_view name) const;

private:
    std::filesystem::path path_;
};

/** The whole content of a file as bytes; throws when it cannot be read. */
std::string readBytes(const std::filesystem::path& path);
/** Writes bytes to a file, replacing it. */
void writeBytes(const std::filesystem::path& path, std::string_view bytes);
/** The names of everything in a folder, hidden files included, sorted. */
std::vector<std::string> entriesOf(const std::filesystem::path& folder);

} // namespace vaptest
