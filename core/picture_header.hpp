#pragma once

// What a picture file's first bytes say: its pixel counts and its EXIF orientation. No pixel is
// decoded and the stored resolution (DPI) is not read.
//
// ReadPictureHeader reads JPEG, PNG, TIFF, WebP, GIF and BMP through a ByteSource, asking only for
// the bytes it needs where it needs them: the first 32 bytes, then (JPEG) the header of each
// segment up to the frame header, skipping each by its length, and of an EXIF block only its TIFF
// header and first IFD, entry by entry; (TIFF) the first IFD; (WebP VP8X with EXIF) the chunk
// headers up to the EXIF chunk. Every read is checked against what the source hands back and
// against the segment or chunk it belongs to. Nothing here throws: the result's status says what
// was met.
//
//   FF D8, APP1 "Exif\0\0" (II, orientation 6), SOF0 3024 high, 4032 wide
//                                                -> {Picture, "JPEG", 4032, 3024, 6}
//   PNG signature, IHDR 640 x 480                -> {Picture, "PNG", 640, 480, 1}
//   "BM", BITMAPINFOHEADER 300 wide, -200 high   -> {Picture, "BMP", 300, 200, 1}
//   "hello" (a text file named photo.jpg)        -> {NotAPicture}
//   00 00 00 18 "ftypheic" ...                   -> {Unsupported, "HEIF"}
//   FF D8 FF E0 00 10 "JFIF" (and no more)       -> {CutShort, "JPEG"}
//   PNG signature, IHDR 0 x 480                  -> {Damaged, "PNG"}
//   no bytes                                     -> {Empty}
//   ReadPictureFile("no/such.jpg")               -> {Missing}

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string_view>

namespace quadrel {

// Bytes that can be read at any offset: a file, or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies the bytes from `offset` on into `into` and returns how many it copied: all of them,
    // or fewer only where the bytes end (none at or past the end) or cannot be read.
    virtual std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
};

// Bytes in memory, which must outlive the source.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes)
        : bytes_(bytes) {}
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    std::span<const std::uint8_t> bytes_;
};

// A file's bytes, read as they are asked for. The path is a std::filesystem::path, so that on
// Windows any file name opens, whatever the code page.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path &file);
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override;
    // Whether the file could not be opened, or a read failed other than at the file's end; from
    // then on every read gives no bytes.
    bool failed() const { return failed_; }

private:
    std::ifstream stream_;
    bool failed_;
};

enum class HeaderStatus {
    Picture,     // width, height (both > 0), orientation and format are the picture's
    Empty,       // there are no bytes
    NotAPicture, // the bytes start as no picture format known here does: a text, a video, ...
    Unsupported, // a picture format that is known but not read; `format` names it: "HEIF",
                 // "AVIF", "JPEG 2000", "JPEG XL", "PSD", "SVG", a camera raw ("CR2", "CR3",
                 // "ORF", "RW2", "RAF", or "camera raw" for a TIFF whose first IFD is a preview)
    CutShort,    // the bytes end inside the header of `format`
    Damaged,     // the header of `format` breaks its rules or gives a count of 0
    Missing,     // ReadPictureFile: there is no such file
    Folder,      // ReadPictureFile: the path is a folder
    Unreadable,  // ReadPictureFile: the file cannot be opened or read
};

struct PictureHeader {
    HeaderStatus status = HeaderStatus::NotAPicture;
    // "JPEG", "PNG", "TIFF", "WebP", "GIF", "BMP", or the format not read; empty when none is
    // known.
    std::string_view format = {};
    // The pixel counts as stored, before the orientation turns them; 0 unless a picture.
    std::uint32_t width = 0, height = 0;
    // The EXIF orientation 1..8 (JPEG, TIFF, WebP VP8X): 1 when the file gives none, or gives one
    // outside 1..8 or in a broken EXIF block.
    int orientation = 1;

    friend bool operator==(const PictureHeader &, const PictureHeader &) = default;
};

// The header at the start of `source`. Each format is known by its signature in full (a file cut
// inside it is not a picture). Formats and what is read of them:
//   JPEG  FF D8 FF; the first SOFn segment (C0..CF but C4, C8, CC) after any others; the
//         orientation from the first APP1 "Exif\0\0" before it (either byte order)
//   PNG   the IHDR chunk
//   TIFF  "II*\0" or "MM\0*": the first IFD's ImageWidth and ImageLength (SHORT or LONG) and
//         Orientation; a TIFF-based camera raw reads as TIFF unless its first IFD is marked as a
//         reduced image (NewSubfileType bit 0), as a NEF's or DNG's preview is: then Unsupported
//   WebP  "RIFF" .. "WEBP": VP8 (key frame), VP8L or VP8X (canvas); orientation from a VP8X
//         file's EXIF chunk
//   GIF   the logical screen; BMP: BITMAPCOREHEADER or BITMAPINFOHEADER and later (a negative
//         height, top-down rows, counts as its size)
PictureHeader ReadPictureHeader(ByteSource &source);

// The header of the file at `file`, as ReadPictureHeader gives it, or Missing, Folder or
// Unreadable.
PictureHeader ReadPictureFile(const std::filesystem::path &file);

struct PixelCounts {
    std::uint32_t width = 0, height = 0;
    friend bool operator==(const PixelCounts &, const PixelCounts &) = default;
};

// The counts of the picture as it is shown, upright: orientations 5 to 8 turn it a quarter, so
// width and height swap.
//   {4032 x 3024, orientation 6} -> 3024 x 4032     {4032 x 3024, orientation 3} -> 4032 x 3024
PixelCounts UprightCounts(const PictureHeader &picture);

} // namespace quadrel
