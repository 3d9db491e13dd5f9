// Arbitrary bytes as one LZRW1/KH block: the decoder must stay inside its buffers and never give
// more than a chunk. The same bytes, taken as a chunk, must come back from the compressor's block.

#include "tally/store/lzrw1kh.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zb::lzrw1kh;
    // Exactly the chunk's room, so any write past it is a heap overflow the sanitizer sees.
    std::vector<std::uint8_t> out(kChunk);
    const qsizetype n = qsizetype(std::min<std::size_t>(size, 65535));
    const qsizetype got = expand(data, n, out.data());
    check(got >= -1 && got <= kChunk);

    const qsizetype chunk = std::min(n, kChunk);
    std::vector<std::uint8_t> block(std::size_t(compressCapacity(chunk)));
    const qsizetype length = compress(data, chunk, block.data());
    check(length >= 1 && length <= chunk + 1);
    std::vector<std::uint8_t> back(kChunk);
    check(expand(block.data(), length, back.data()) == chunk);
    check(chunk == 0 || std::memcmp(back.data(), data, std::size_t(chunk)) == 0);
    return 0;
}
