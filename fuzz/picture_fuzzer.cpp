// Picture headers of any bytes: ReadPictureHeader through a source that checks every read it is
// asked for. Input: the file's bytes.

#include "fuzz_support.hpp"

#include "core/picture_header.hpp"

using namespace quadrel;
using fuzz::Check;

namespace {

// The input's bytes, with each read asked checked: none longer than the reader's longest (the
// first 32 bytes), none beyond where a header's 32-bit offset can point, few for the input's size.
struct CheckedSource final : ByteSource {
    explicit CheckedSource(std::span<const std::uint8_t> input)
        : bytes(input) {}
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
        Check(into.size() <= 32, "a read longer than any header field", "");
        Check(offset < std::uint64_t(1) << 34, "a read beyond any offset a header holds", "");
        Check(++reads <= 2 * bytes.size() + 16, "more reads than the bytes need", "");
        return MemorySource(bytes).readAt(offset, into);
    }
    std::span<const std::uint8_t> bytes;
    std::size_t reads = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    using enum HeaderStatus;
    CheckedSource source({data, size}), again({data, size});
    const PictureHeader header = ReadPictureHeader(source);
    const std::string_view format = header.format;

    // A picture has both counts and an orientation 1..8; anything else has neither count.
    Check(header.status == Picture
              ? header.width > 0 && header.height > 0 && header.orientation >= 1 &&
                    header.orientation <= 8 && !format.empty()
              : header.width == 0 && header.height == 0 && header.orientation == 1,
          "counts or orientation", format);
    Check((size == 0) == (header.status == Empty), "empty", format);
    Check(ReadPictureHeader(again) == header, "another result from the same bytes", format);
    return 0;
}
