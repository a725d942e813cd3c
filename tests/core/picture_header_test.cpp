// Picture headers built here as bytes: each format read, each way a header fails, how little of a
// file is read, and what a file source meets.

#include "core/picture_header.hpp"

#include <fstream>
#include <map>
#include <vector>

#include <gtest/gtest.h>

namespace quadrel {

void PrintTo(const PictureHeader &h, std::ostream *os) {
    *os << "{status " << int(h.status) << ", \"" << h.format << "\", " << h.width << " x "
        << h.height << ", orientation " << h.orientation << "}";
}

namespace {

using namespace std::string_view_literals;
using enum HeaderStatus;
using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}
// `value` in `size` bytes, the most significant first when `big`.
Bytes Num(std::uint64_t value, std::size_t size, bool big = false) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[big ? size - 1 - i : i] = std::uint8_t(value >> 8 * i);
    return b;
}
// A TIFF structure whose first IFD holds `entries` {tag, type (3 SHORT, 4 LONG), value}; with
// `claimed`, the IFD says it holds that many.
struct Entry {
    std::uint32_t tag, type, value;
};
Bytes Tiff(bool big, const std::vector<Entry> &entries, std::size_t claimed = 0) {
    Bytes b = Text(big ? "MM\0*"sv : "II*\0"sv) + Num(8, 4, big) +
              Num(claimed ? claimed : entries.size(), 2, big);
    for (const Entry &e : entries)
        b = b + Num(e.tag, 2, big) + Num(e.type, 2, big) + Num(1, 4, big) +
            (e.type == 3 ? Num(e.value, 2, big) + Num(0, 2) : Num(e.value, 4, big));
    return b;
}
Bytes Segment(std::uint8_t marker, const Bytes &body) {
    return Bytes{0xFF, marker} + Num(body.size() + 2, 2, true) + body;
}
Bytes Exif(const Bytes &tiff) {
    return Segment(0xE1, Text("Exif\0\0"sv) + tiff);
}
// A JPEG up to the counts of its frame (baseline SOF0, one component): all that is read of it.
Bytes Jpeg(std::uint32_t width, std::uint32_t height, const Bytes &before = {}) {
    return Bytes{0xFF, 0xD8} + before + Bytes{0xFF, 0xC0, 0, 11, 8} + Num(height, 2, true) +
           Num(width, 2, true);
}
Bytes Png(std::uint32_t width, std::uint32_t height) {
    return Text("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"sv) + Num(width, 4, true) + Num(height, 4, true);
}
Bytes Chunk(std::string_view name, const Bytes &body) {
    return Text(name) + Num(body.size(), 4) + body;
}
Bytes WebP(const Bytes &chunks) {
    return Text("RIFF") + Num(4 + chunks.size(), 4) + Text("WEBP") + chunks;
}
const Bytes kBmp = Text("BM") + Bytes(12); // then the bitmap header's size and counts
const Entry kOrientation6{274, 3, 6};

// clang-format off
struct Case { const char *name; Bytes bytes; PictureHeader want; };
const Case kCases[] = {
    {"JPEG after APP0, EXIF II", Jpeg(4032, 3024, Segment(0xE0, Text("JFIF\0\1\1\0\0\1\0\1\0\0"sv))
     + Exif(Tiff(false, {kOrientation6}))), {Picture, "JPEG", 4032, 3024, 6}},
    {"JPEG after DHT (C4), fill bytes, EXIF MM", Jpeg(640, 480, Segment(0xC4, Bytes(20)) +
     Bytes{0xFF} + Exif(Tiff(true, {{274, 3, 8}}))), {Picture, "JPEG", 640, 480, 8}},
    {"JPEG giant, no EXIF", Jpeg(65500, 65500), {Picture, "JPEG", 65500, 65500, 1}},
    {"JPEG EXIF IFD running into the next segment", Jpeg(64, 48, Exif(Tiff(false,
     {kOrientation6}, 2)) + Segment(0xE2, Bytes(12))), {Picture, "JPEG", 64, 48, 1}},
    {"PNG", Png(640, 480), {Picture, "PNG", 640, 480, 1}},
    {"TIFF II, SHORT counts", Tiff(false, {{256, 3, 640}, {257, 3, 480}, {274, 3, 5}}),
     {Picture, "TIFF", 640, 480, 5}},
    {"TIFF MM, LONG counts", Tiff(true, {{256, 4, 70000}, {257, 4, 50000}}),
     {Picture, "TIFF", 70000, 50000, 1}},
    {"WebP VP8", WebP(Chunk("VP8 ", Bytes{0x50, 0x02, 0, 0x9D, 0x01, 0x2A} +
     Num(0xC000 | 4032, 2) + Num(3024, 2))), {Picture, "WebP", 4032, 3024, 1}},
    {"WebP VP8L", WebP(Chunk("VP8L", Bytes{0x2F} + Num(639 | 479 << 14, 4))),
     {Picture, "WebP", 640, 480, 1}},
    {"WebP VP8X", WebP(Chunk("VP8X", Bytes(4) + Num(16383, 3) + Num(0, 3))),
     {Picture, "WebP", 16384, 1, 1}},
    {"WebP VP8X, EXIF chunk after a padded one", WebP(Chunk("VP8X",
     Bytes{8, 0, 0, 0} + Num(639, 3) + Num(479, 3)) + Chunk("ICCP", Bytes(3)) + Bytes(1) +
     Chunk("EXIF", Tiff(true, {kOrientation6}))),
     {Picture, "WebP", 640, 480, 6}},
    {"GIF", Text("GIF89a") + Num(320, 2) + Num(200, 2), {Picture, "GIF", 320, 200, 1}},
    {"BMP top-down", kBmp + Num(40, 4) + Num(300, 4) + Num(-200, 4), {Picture, "BMP", 300, 200, 1}},
    {"BMP core header", kBmp + Num(12, 4) + Num(64, 2) + Num(48, 2), {Picture, "BMP", 64, 48, 1}},
    {"empty", {}, {Empty}},
    {"text named .jpg", Text("Not a photo\n"), {NotAPicture}},
    {"HEIC", Num(24, 4, true) + Text("ftypheic\0\0\0\0mif1heic"sv), {Unsupported, "HEIF"}},
    {"SVG", Text("\xEF\xBB\xBF\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>"),
     {Unsupported, "SVG"}},
    {"NEF preview first", Tiff(false, {{254, 4, 1}, {256, 3, 160}, {257, 3, 120}}),
     {Unsupported, "camera raw"}},
    {"JPEG segment length below 2", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 1} + Jpeg(64, 48),
     {Damaged, "JPEG"}},
    {"JPEG frame segment too short for its counts",
     Bytes{0xFF, 0xD8} + Segment(0xC0, Bytes{8, 0, 48, 0, 64}), {Damaged, "JPEG"}},
    {"JPEG scan before a frame", Bytes{0xFF, 0xD8} + Segment(0xDA, Bytes(8)), {Damaged, "JPEG"}},
    {"PNG width 0", Png(0, 480), {Damaged, "PNG"}},
};
// clang-format on

TEST(ReadPictureHeader, ReadsEachFormatAndSaysWhatItMet) {
    for (const Case &c : kCases) {
        MemorySource source(c.bytes);
        EXPECT_EQ(ReadPictureHeader(source), c.want) << c.name;
    }
}

// The pictures above end where their headers do (but for WebP's optional EXIF chunk), so any
// shorter part of one (a segment length pointing past the end, a chunk cut in two) is cut short
// once its signature is whole.
TEST(ReadPictureHeader, APictureCutAnywhereInItsHeaderIsCutShort) {
    const std::map<std::string_view, std::size_t> signatureSize{
        {"JPEG", 3}, {"PNG", 8}, {"TIFF", 4}, {"WebP", 12}, {"GIF", 6}, {"BMP", 2}};
    for (const Case &c : kCases) {
        if (c.want.status != Picture || (c.want.format == "WebP" && c.want.orientation != 1))
            continue;
        for (std::size_t size = 1; size < c.bytes.size(); ++size) {
            MemorySource source(std::span(c.bytes).first(size));
            const PictureHeader want = size >= signatureSize.at(c.want.format)
                                           ? PictureHeader{CutShort, c.want.format}
                                           : PictureHeader{NotAPicture};
            EXPECT_EQ(ReadPictureHeader(source), want) << c.name << " cut to " << size << " bytes";
        }
    }
}

TEST(ReadPictureHeader, ReadsOnlyTheSegmentHeadersOfABigExifBlock) {
    struct CountingSource final : ByteSource {
        explicit CountingSource(const Bytes &b)
            : bytes(b) {}
        std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
            asked += into.size();
            return bytes.readAt(offset, into);
        }
        MemorySource bytes;
        std::size_t asked = 0;
    };
    const Bytes jpeg = Jpeg(4032, 3024, Exif(Tiff(false, {kOrientation6}) + Bytes(60'000)));
    CountingSource source(jpeg);
    EXPECT_EQ(ReadPictureHeader(source), (PictureHeader{Picture, "JPEG", 4032, 3024, 6}));
    EXPECT_LT(source.asked, 100u) << "of " << jpeg.size();
}

TEST(UprightCounts, TurnsOrientationsFiveToEight) {
    EXPECT_EQ(UprightCounts({Picture, "JPEG", 4032, 3024, 6}), (PixelCounts{3024, 4032}));
    EXPECT_EQ(UprightCounts({Picture, "JPEG", 4032, 3024, 3}), (PixelCounts{4032, 3024}));
}

TEST(ReadPictureFile, ReadsAFileOrSaysWhyNot) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quadrel-test";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / u8"ritratto \u00E8.png";
    const Bytes png = Png(640, 480);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char *>(png.data()), 24);

    EXPECT_EQ(ReadPictureFile(file), (PictureHeader{Picture, "PNG", 640, 480, 1}));
    EXPECT_EQ(ReadPictureFile(folder / "missing.jpg"), PictureHeader{Missing});
    EXPECT_EQ(ReadPictureFile(folder), PictureHeader{Folder});
    // A folder opened as a file: the open (Windows) or the first read (Linux) fails.
    FileSource source(folder);
    ReadPictureHeader(source);
    EXPECT_TRUE(source.failed());
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace quadrel
