#pragma once
// Helpers for the import and export tests: whole-file reads and writes, and
// a stream device that fails after a set number of bytes; and the scratch
// folder.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "TempDir.h"

namespace iotest {

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A write-only device that takes `capacity` bytes and then reports an error,
// like a disk that fills up. What it took is kept in `written`. Unbuffered,
// so the failure shows at the write that crosses the limit.
struct FailingDevice {
    std::size_t capacity;
    std::string written;
    bool failCloseOnly = false; // takes everything, but reports an error on close
    int closes = 0;

    std::FILE* Open() {
        cookie_io_functions_t io{};
        io.write = [](void* c, const char* buf, size_t n) -> ssize_t {
            auto* self = static_cast<FailingDevice*>(c);
            if (self->failCloseOnly || self->written.size() + n <= self->capacity) {
                self->written.append(buf, n);
                return static_cast<ssize_t>(n);
            }
            const std::size_t room = self->capacity - self->written.size();
            self->written.append(buf, room);
            if (room > 0)
                return static_cast<ssize_t>(room);
            errno = ENOSPC;
            return -1;
        };
        io.close = [](void* c) -> int {
            auto* self = static_cast<FailingDevice*>(c);
            ++self->closes;
            return self->failCloseOnly ? -1 : 0;
        };
        std::FILE* fp = fopencookie(this, "w", io);
        if (!failCloseOnly)
            setvbuf(fp, nullptr, _IONBF, 0);
        return fp;
    }
};

} // namespace iotest
