#include "DocumentPacking.h"

#include <zlib.h>

#include <memory>
#include <stdexcept>

namespace {

// The deflate state is half a megabyte: made once per thread and reset for each document, since
// mapping it afresh for every small text costs more than packing the text.
struct Packer {
    explicit Packer(int level) : level(level) {
        if (deflateInit(&stream, level) != Z_OK) throw std::runtime_error("cannot start compressing");
    }
    ~Packer() { deflateEnd(&stream); }
    z_stream stream{};
    int level;
};

z_stream& packerFor(int level) {
    thread_local std::unique_ptr<Packer> packer;
    if (!packer || packer->level != level) {
        packer.reset();
        packer = std::make_unique<Packer>(level);
    }
    deflateReset(&packer->stream);
    return packer->stream;
}

}  // namespace

std::vector<std::uint8_t> packDocument(const std::string& document, int level) {
    z_stream& stream = packerFor(level);
    std::vector<std::uint8_t> packed(deflateBound(&stream, static_cast<uLong>(document.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(document.data()));
    stream.avail_in = static_cast<uInt>(document.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("cannot compress a question text");
    packed.resize(stream.total_out);
    return packed;
}
