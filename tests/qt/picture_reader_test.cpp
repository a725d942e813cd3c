// The picture header reader held against Qt's own image reader: pictures that Qt writes, and a
// Qt-written JPEG with an EXIF orientation put in after its SOI marker.

#include "core/picture_header.hpp"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

QByteArray Written(QSize size, const char *format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

PictureHeader HeaderOf(const QByteArray &bytes) {
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
    MemorySource source({data, data + bytes.size()});
    return ReadPictureHeader(source);
}

TEST(PictureReader, CountsWhatQtWrites) {
    for (const char *format : {"JPEG", "PNG", "BMP"}) {
        for (const QSize size : {QSize(1, 1), QSize(640, 480), QSize(479, 1201)}) {
            QByteArray bytes = Written(size, format);
            QBuffer buffer(&bytes);
            const QSize qt = QImageReader(&buffer).size();
            const PictureHeader want{HeaderStatus::Picture, format, std::uint32_t(qt.width()),
                                     std::uint32_t(qt.height()), 1};
            EXPECT_TRUE(HeaderOf(bytes) == want)
                << format << ", " << qt.width() << " x " << qt.height();
        }
    }
}

// A phone's picture held sideways: EXIF orientation 6, which Qt reads as a quarter turn clockwise
// (Rotate90) of the counts as stored.
TEST(PictureReader, ReadsTheExifOrientationAsQtDoes) {
    const QByteArray jpeg = Written(QSize(400, 300), "JPEG");
    // APP1: "Exif\0\0", a TIFF header (big-endian), an IFD of one entry: Orientation 6, a SHORT.
    const QByteArray exif(
        "\xFF\xE1\0\42Exif\0\0MM\0*\0\0\0\10\0\1\1\22\0\3\0\0\0\1\0\6\0\0\0\0\0\0", 36);
    QByteArray bytes = jpeg.left(2) + exif + jpeg.mid(2);
    QBuffer buffer(&bytes);
    QImageReader qt(&buffer);
    EXPECT_EQ(qt.size(), QSize(400, 300));
    EXPECT_EQ(qt.transformation(), QImageIOHandler::TransformationRotate90);
    EXPECT_TRUE(HeaderOf(bytes) == (PictureHeader{HeaderStatus::Picture, "JPEG", 400, 300, 6}));
}

} // namespace
} // namespace quadrel
