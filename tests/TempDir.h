#pragma once
// A scratch folder for one test (or one suite), removed with everything in
// it when the object goes, also after a failed ASSERT. A test that took the
// write right away from a folder in it still leaves nothing behind.
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

class CTempDir {
public:
    CTempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tavreler-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            throw std::system_error(errno, std::generic_category(), "mkdtemp " + tmpl);
        m_path = tmpl;
    }
    ~CTempDir() {
        std::error_code ec;
        Unlock(m_path);
        std::filesystem::remove_all(m_path, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // A name inside the folder (nothing is made).
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    static void Unlock(const std::filesystem::path& dir) {
        namespace fs = std::filesystem;
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                Unlock(it->path());
    }

    std::string m_path;
};
