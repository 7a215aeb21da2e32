#include "DocumentPacking.h"

#include <zlib.h>

#include <stdexcept>

std::vector<std::uint8_t> packDocument(const std::string& document, int level) {
    uLongf packedSize = compressBound(static_cast<uLong>(document.size()));
    std::vector<std::uint8_t> packed(packedSize);
    const int status = compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(document.data()),
                                 static_cast<uLong>(document.size()), level);
    if (status != Z_OK) throw std::runtime_error("cannot compress a question text");
    packed.resize(packedSize);
    return packed;
}
