#include "core/picture_header.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>

namespace quadrel {
namespace {

using namespace std::string_view_literals;
using Bytes = std::span<const std::uint8_t>;

// The unsigned number in `size` (at most 4) bytes at `at`, which the caller has checked are there.
std::uint32_t Number(Bytes bytes, std::size_t at, std::size_t size, bool bigEndian) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= std::uint32_t(bytes[at + i]) << 8 * (bigEndian ? size - 1 - i : i);
    return value;
}
std::uint32_t Le(Bytes bytes, std::size_t at, std::size_t size) {
    return Number(bytes, at, size, false);
}
std::uint32_t Be(Bytes bytes, std::size_t at, std::size_t size) {
    return Number(bytes, at, size, true);
}

// Whether `bytes` hold `text` at `at`.
bool HasAt(Bytes bytes, std::size_t at, std::string_view text) {
    return bytes.size() >= at + text.size() &&
           std::equal(text.begin(), text.end(), bytes.begin() + at,
                      [](char c, std::uint8_t b) { return std::uint8_t(c) == b; });
}

PictureHeader Problem(HeaderStatus status, std::string_view format = {}) {
    return {status, format};
}

// A picture only when both counts are there; an orientation outside 1..8 is no orientation.
PictureHeader Picture(std::string_view format, std::uint32_t width, std::uint32_t height,
                      int orientation = 1) {
    if (width == 0 || height == 0)
        return Problem(HeaderStatus::Damaged, format);
    return {HeaderStatus::Picture, format, width, height,
            orientation >= 1 && orientation <= 8 ? orientation : 1};
}

// `size` bytes of a source from `base` on (by default all of it): a segment, a chunk, a file.
// A read that would cross the window's end fails without asking the source.
struct Window {
    ByteSource &source;
    std::uint64_t base = 0, size = std::numeric_limits<std::uint64_t>::max();

    bool read(std::uint64_t offset, std::span<std::uint8_t> into) const {
        return offset <= size && into.size() <= size - offset &&
               source.readAt(base + offset, into) == into.size();
    }
};

struct IfdFields {
    std::uint32_t width = 0, height = 0, subfileType = 0, orientation = 1;
};

// The fields of the first IFD of the TIFF structure that starts the window, or nothing when it
// is no TIFF structure or ends (or its window ends) inside that IFD.
std::optional<IfdFields> ReadFirstIfd(const Window &tiff) {
    constexpr std::uint32_t kSubfileType = 254, kWidth = 256, kHeight = 257, kOrientation = 274;
    constexpr std::uint32_t kShort = 3, kLong = 4;
    std::array<std::uint8_t, 12> b{};
    if (!tiff.read(0, std::span(b).first(8)) || !(HasAt(b, 0, "II*\0"sv) || HasAt(b, 0, "MM\0*"sv)))
        return std::nullopt;
    const bool big = b[0] == 'M';
    const std::uint64_t ifd = Number(b, 4, 4, big);
    if (!tiff.read(ifd, std::span(b).first(2)))
        return std::nullopt;
    IfdFields fields;
    const std::uint32_t count = Number(b, 0, 2, big);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!tiff.read(ifd + 2 + 12 * std::uint64_t(i), b))
            return std::nullopt;
        const std::uint32_t tag = Number(b, 0, 2, big), type = Number(b, 2, 2, big);
        if (tag > kOrientation) // the entries go by tag: none of those wanted follows
            break;
        if (type != kShort && type != kLong)
            continue;
        const std::uint32_t value = Number(b, 8, type == kShort ? 2 : 4, big);
        if (tag == kSubfileType)
            fields.subfileType = value;
        else if (tag == kWidth)
            fields.width = value;
        else if (tag == kHeight)
            fields.height = value;
        else if (tag == kOrientation)
            fields.orientation = value;
    }
    return fields;
}

// The orientation of an EXIF block; 1 when it has none or is broken, which leaves the picture
// readable.
int ExifOrientation(const Window &exif) {
    const std::optional<IfdFields> fields = ReadFirstIfd(exif);
    return fields && fields->orientation <= 8 ? int(fields->orientation) : 1;
}

PictureHeader ReadJpeg(ByteSource &source) {
    constexpr std::uint8_t kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA;
    constexpr std::uint8_t kApp1 = 0xE1;
    int orientation = 1;
    bool exifSeen = false;
    std::array<std::uint8_t, 9> b{};
    for (std::uint64_t at = 2;;) {
        // A marker (FF and its code) and the length of its segment, which counts itself.
        const std::size_t got = source.readAt(at, std::span(b).first(4));
        if (got < 2)
            return Problem(HeaderStatus::CutShort, "JPEG");
        const std::uint8_t marker = b[1];
        if (b[0] != 0xFF)
            return Problem(HeaderStatus::Damaged, "JPEG");
        if (marker == 0xFF) { // a fill byte before a marker
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // a marker alone
            at += 2;
            continue;
        }
        if (marker == kStartOfImage || marker == kEndOfImage || marker == kStartOfScan)
            return Problem(HeaderStatus::Damaged, "JPEG"); // pixels, an end or a new start first
        if (got < 4)
            return Problem(HeaderStatus::CutShort, "JPEG");
        const std::uint32_t length = Be(b, 2, 2);
        if (length < 2)
            return Problem(HeaderStatus::Damaged, "JPEG");
        const Window segment{source, at + 4, length - 2u};
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) { // precision, height, width, components
            if (length < 8)
                return Problem(HeaderStatus::Damaged, "JPEG");
            if (!segment.read(0, std::span(b).first(5)))
                return Problem(HeaderStatus::CutShort, "JPEG");
            return Picture("JPEG", Be(b, 3, 2), Be(b, 1, 2), orientation);
        }
        if (marker == kApp1 && !exifSeen && segment.read(0, std::span(b).first(6)) &&
            HasAt(b, 0, "Exif\0\0"sv)) {
            exifSeen = true;
            orientation = ExifOrientation({source, segment.base + 6, segment.size - 6});
        }
        at += 2 + length;
    }
}

PictureHeader ReadTiff(ByteSource &source) {
    const std::optional<IfdFields> fields = ReadFirstIfd({source});
    if (!fields)
        return Problem(HeaderStatus::CutShort, "TIFF");
    if (fields->subfileType & 1) // a reduced image: a camera raw's preview
        return Problem(HeaderStatus::Unsupported, "camera raw");
    return Picture("TIFF", fields->width, fields->height, int(fields->orientation));
}

// The orientation in the EXIF chunk of a WebP file, looked for in the chunks from `at` on.
int WebpOrientation(ByteSource &source, std::uint64_t at) {
    std::array<std::uint8_t, 8> b{};
    for (; source.readAt(at, b) == b.size(); at += 8 + std::uint64_t(Le(b, 4, 4)) + (b[4] & 1)) {
        if (HasAt(b, 0, "EXIF")) {
            const Window chunk{source, at + 8, Le(b, 4, 4)};
            // Some programs start the chunk with JPEG's "Exif\0\0".
            const std::uint64_t skip =
                chunk.read(0, std::span(b).first(6)) && HasAt(b, 0, "Exif\0\0"sv) ? 6 : 0;
            return ExifOrientation({source, chunk.base + skip, chunk.size - skip});
        }
    }
    return 1;
}

// RIFF, its size, WEBP, then the first chunk: its name, its size and its data from byte 20.
PictureHeader ReadWebp(ByteSource &source, Bytes head) {
    const auto cutShortBefore = [&](std::size_t end) { return head.size() < end; };
    if (HasAt(head, 12, "VP8 ")) { // a frame tag, 9D 01 2A, 14-bit width and height
        if (cutShortBefore(30))
            return Problem(HeaderStatus::CutShort, "WebP");
        if ((head[20] & 1) != 0 || !HasAt(head, 23, "\x9D\x01\x2A"))
            return Problem(HeaderStatus::Damaged, "WebP");
        return Picture("WebP", Le(head, 26, 2) & 0x3FFF, Le(head, 28, 2) & 0x3FFF);
    }
    if (HasAt(head, 12, "VP8L")) { // 2F, then width - 1 and height - 1 in 14 bits each
        if (cutShortBefore(25))
            return Problem(HeaderStatus::CutShort, "WebP");
        const std::uint32_t bits = Le(head, 21, 4);
        if (head[20] != 0x2F)
            return Problem(HeaderStatus::Damaged, "WebP");
        return Picture("WebP", (bits & 0x3FFF) + 1, (bits >> 14 & 0x3FFF) + 1);
    }
    if (HasAt(head, 12, "VP8X")) { // flags, 3 bytes, canvas width - 1 and height - 1 in 24 bits
        if (cutShortBefore(30))
            return Problem(HeaderStatus::CutShort, "WebP");
        constexpr std::uint8_t kHasExif = 0x08;
        const std::uint64_t next = 20 + std::uint64_t(Le(head, 16, 4)) + (head[16] & 1);
        return Picture("WebP", Le(head, 24, 3) + 1, Le(head, 27, 3) + 1,
                       head[20] & kHasExif ? WebpOrientation(source, next) : 1);
    }
    return Problem(cutShortBefore(20) ? HeaderStatus::CutShort : HeaderStatus::Damaged, "WebP");
}

PictureHeader ReadBmp(Bytes head) {
    // The file header (14 bytes), then the bitmap header, which starts with its own size.
    if (head.size() < 18)
        return Problem(HeaderStatus::CutShort, "BMP");
    const std::uint32_t headerSize = Le(head, 14, 4);
    if (headerSize == 12) { // BITMAPCOREHEADER: 16-bit counts
        if (head.size() < 22)
            return Problem(HeaderStatus::CutShort, "BMP");
        return Picture("BMP", Le(head, 18, 2), Le(head, 20, 2));
    }
    if (headerSize < 16)
        return Problem(HeaderStatus::Damaged, "BMP");
    if (head.size() < 26)
        return Problem(HeaderStatus::CutShort, "BMP");
    // BITMAPINFOHEADER and later: signed 32-bit counts; a negative height is a top-down picture.
    const auto width = std::int32_t(Le(head, 18, 4));
    const auto height = std::int64_t(std::int32_t(Le(head, 22, 4)));
    if (width < 0)
        return Problem(HeaderStatus::Damaged, "BMP");
    return Picture("BMP", std::uint32_t(width), std::uint32_t(height < 0 ? -height : height));
}

// Formats known by their signature and not read.
struct Signature {
    std::size_t at;
    std::string_view bytes, format;
};
constexpr Signature kNotRead[] = {
    {4, "ftypheic", "HEIF"},
    {4, "ftypheix", "HEIF"},
    {4, "ftyphevc", "HEIF"},
    {4, "ftypheim", "HEIF"},
    {4, "ftypheis", "HEIF"},
    {4, "ftypmif1", "HEIF"},
    {4, "ftypmsf1", "HEIF"},
    {4, "ftypavif", "AVIF"},
    {4, "ftypavis", "AVIF"},
    {4, "ftypcrx ", "CR3"},
    {0, "II*\0\x10\0\0\0CR\x02"sv, "CR2"},
    {0, "IIRO", "ORF"},
    {0, "IIU\0"sv, "RW2"},
    {0, "FUJIFILMCCD-RAW", "RAF"},
    {0, "\0\0\0\x0CjP  \r\n\x87\n"sv, "JPEG 2000"},
    {0, "\xFF\x4F\xFF\x51", "JPEG 2000"},
    {0, "\0\0\0\x0CJXL \r\n\x87\n"sv, "JPEG XL"},
    {0, "\xFF\x0A", "JPEG XL"},
    {0, "8BPS", "PSD"},
};

} // namespace

std::size_t MemorySource::readAt(std::uint64_t offset, std::span<std::uint8_t> into) {
    if (offset >= bytes_.size())
        return 0;
    const std::size_t count = std::min<std::uint64_t>(into.size(), bytes_.size() - offset);
    std::memcpy(into.data(), bytes_.data() + offset, count);
    return count;
}

FileSource::FileSource(const std::filesystem::path &file)
    : stream_(file, std::ios::binary)
    , failed_(!stream_.is_open()) {}

std::size_t FileSource::readAt(std::uint64_t offset, std::span<std::uint8_t> into) {
    if (failed_ || offset > std::uint64_t(std::numeric_limits<std::streamoff>::max()))
        return 0;
    stream_.clear(); // the end met by an earlier read
    stream_.seekg(std::streamoff(offset));
    stream_.read(reinterpret_cast<char *>(into.data()), std::streamsize(into.size()));
    // Reading up to the end sets eof and fail; only bad says that the file could not be read.
    failed_ = stream_.bad();
    return failed_ ? 0 : std::size_t(stream_.gcount());
}

PictureHeader ReadPictureHeader(ByteSource &source) {
    std::array<std::uint8_t, 32> buffer{};
    const Bytes head(buffer.data(), source.readAt(0, buffer));
    if (head.empty())
        return Problem(HeaderStatus::Empty);
    for (const Signature &known : kNotRead) {
        if (HasAt(head, known.at, known.bytes))
            return Problem(HeaderStatus::Unsupported, known.format);
    }
    if (HasAt(head, 0, "\xFF\xD8\xFF"))
        return ReadJpeg(source);
    if (HasAt(head, 0, "\x89PNG\r\n\x1A\n")) { // then IHDR's length, name, width and height
        if (head.size() < 24)
            return Problem(HeaderStatus::CutShort, "PNG");
        if (!HasAt(head, 12, "IHDR"))
            return Problem(HeaderStatus::Damaged, "PNG");
        return Picture("PNG", Be(head, 16, 4), Be(head, 20, 4));
    }
    if (HasAt(head, 0, "II*\0"sv) || HasAt(head, 0, "MM\0*"sv))
        return ReadTiff(source);
    if (HasAt(head, 0, "RIFF") && HasAt(head, 8, "WEBP"))
        return ReadWebp(source, head);
    if (HasAt(head, 0, "GIF87a") || HasAt(head, 0, "GIF89a")) {
        if (head.size() < 10)
            return Problem(HeaderStatus::CutShort, "GIF");
        return Picture("GIF", Le(head, 6, 2), Le(head, 8, 2));
    }
    if (HasAt(head, 0, "BM"))
        return ReadBmp(head);
    // SVG, or other XML: "<" after an optional byte order mark and blanks.
    const std::size_t text = HasAt(head, 0, "\xEF\xBB\xBF") ? 3 : 0;
    const auto first = std::find_if(head.begin() + text, head.end(), [](std::uint8_t c) {
        return c != ' ' && c != '\t' && c != '\r' && c != '\n';
    });
    if (first != head.end() && *first == '<')
        return Problem(HeaderStatus::Unsupported, "SVG");
    return Problem(HeaderStatus::NotAPicture);
}

PictureHeader ReadPictureFile(const std::filesystem::path &file) {
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(file, error).type();
    if (type == std::filesystem::file_type::not_found)
        return Problem(HeaderStatus::Missing);
    if (type == std::filesystem::file_type::directory)
        return Problem(HeaderStatus::Folder);
    FileSource source(file);
    const PictureHeader header = ReadPictureHeader(source);
    return error || source.failed() ? Problem(HeaderStatus::Unreadable) : header;
}

PixelCounts UprightCounts(const PictureHeader &picture) {
    if (picture.orientation >= 5 && picture.orientation <= 8)
        return {picture.height, picture.width};
    return {picture.width, picture.height};
}

} // namespace quadrel
