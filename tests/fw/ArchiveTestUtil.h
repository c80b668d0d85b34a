#pragma once
// What the archive tests of the framework and of the model share: storing
// into bytes, and a source that hands bytes over in pieces.
#include <algorithm>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>

#include "fw/Archive.h"

namespace archivetest {

std::string Store(const std::function<void(CArchive&)>& write) {
    std::ostringstream out;
    {
        CArchive ar(out);
        write(ar);
    }
    return out.str();
}

// A source serving bytes in pieces of at most `chunk`; it records what it
// was asked for and whether it was asked again after it had ended.
struct PieceSource {
    std::string_view bytes;
    std::size_t chunk;
    std::size_t pos = 0;
    std::size_t largestAsk = 0;
    bool ended = false;
    bool askedAfterEnd = false;

    CArchive::Source Fn() {
        return [this](char* p, std::size_t n) {
            largestAsk = std::max(largestAsk, n);
            if (ended)
                askedAfterEnd = true;
            const std::size_t k = std::min({n, chunk, bytes.size() - pos});
            std::memcpy(p, bytes.data() + pos, k);
            pos += k;
            ended = k == 0;
            return k;
        };
    }
};

struct ChunkCase {
    const char* name;
    std::size_t chunk;
};

const ChunkCase kChunks[] = {{"OneByte", 1}, {"SevenBytes", 7}, {"Blocks", 1 << 20}};

} // namespace archivetest
