// Arbitrary bytes as a tally file: the reader must refuse or accept cleanly, never give a text
// beyond its limit, and a text it accepted must survive being written and read again.

#include "tally/store/tallyfile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zb::tallyfile;
    const QByteArrayView file(reinterpret_cast<const char*>(data), qsizetype(size));
    const Decoded decoded = decode(file, QStringLiteral("zorbinettally.tld"));
    if (!decoded.ok()) {
        check(decoded.text.isEmpty());
        return 0;
    }
    check(decoded.text.size() <= kMaxText);
    const Decoded again = decode(encode(decoded.text), QString());
    check(again.ok() && again.text == decoded.text);
    return 0;
}
