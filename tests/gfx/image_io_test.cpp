#include "gfx/image_io.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <array>

#include "test_images.h"

namespace orbisca::gfx {
namespace {

using ::testing::HasSubstr;

QString fixture(const char* name) { return QStringLiteral(ORBISCA_SOURCE_DIR "/tests/gfx/data/") + name; }

QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

std::string loadError(const QString& path) {
    try {
        LoadBitmap(path);
    } catch (const ImageError& e) {
        return e.what();
    }
    return "no error";
}

// The source pictures (PPM, read by Qt) against the BMP files ImageMagick wrote from them.
struct DepthCase {
    const char* bmp;
    const char* source;
};

class BitmapDepths : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BitmapDepths, LoadsExactlyTheSourcePixels) {
    const QImage loaded = LoadBitmap(fixture(GetParam().bmp));
    const QImage expected = QImage(fixture(GetParam().source)).convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(loaded.format(), QImage::Format_RGB888);
    EXPECT_EQ(test::FirstDifference(loaded, expected), "");
}

INSTANTIATE_TEST_SUITE_P(ImageMagickFiles, BitmapDepths,
                         ::testing::Values(DepthCase{"depth1.bmp", "mono.ppm"}, DepthCase{"depth4.bmp", "colours.ppm"},
                                           DepthCase{"depth8.bmp", "greys.ppm"},
                                           DepthCase{"depth8rle.bmp", "colours.ppm"},
                                           DepthCase{"depth16.bmp", "colours.ppm"},
                                           DepthCase{"depth24.bmp", "colours.ppm"},
                                           DepthCase{"depth24v5.bmp", "colours.ppm"},
                                           DepthCase{"depth32.bmp", "colours.ppm"},
                                           DepthCase{"colours.png", "colours.ppm"}),
                         [](const auto& info) { return QString::fromLatin1(info.param.bmp).section('.', 0, 0).toStdString() +
                                                       QString::fromLatin1(info.param.bmp).section('.', 1).toStdString(); });

// Rewrites a bottom-up uncompressed BMP as top-down: rows reversed, height negated.
QByteArray topDown(const QByteArray& bmp) {
    std::array<char, 54> header{};
    if (bmp.size() < 54) return {};
    std::copy_n(bmp.begin(), header.size(), header.begin());
    QByteArray out = bmp;
    const quint32 offset = qFromLittleEndian<quint32>(header.data() + 10);
    const qint32 width = qFromLittleEndian<qint32>(header.data() + 18);
    const qint32 height = qFromLittleEndian<qint32>(header.data() + 22);
    const quint16 bits = qFromLittleEndian<quint16>(header.data() + 28);
    const int rowBytes = (width * bits + 31) / 32 * 4;
    for (int row = 0; row < height; ++row)
        std::memcpy(out.data() + offset + row * rowBytes, bmp.constData() + offset + (height - 1 - row) * rowBytes,
                    std::size_t(rowBytes));
    qToLittleEndian<qint32>(-height, out.data() + 22);
    return out;
}

TEST(LoadBitmap, ReadsTopDownRowsInTheirOrder) {
    QTemporaryDir dir;
    const QImage expected = QImage(fixture("colours.ppm")).convertToFormat(QImage::Format_RGB888);
    for (const char* name : {"depth24.bmp", "depth32.bmp", "depth16.bmp", "depth4.bmp"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeFile(path, topDown(readFile(fixture(name))));
        EXPECT_EQ(test::FirstDifference(LoadBitmap(path), expected), "") << name;
    }
}

// A 54-byte BMP header that claims width x height at 24 bits, followed by `pixelBytes` bytes.
QByteArray bmpHeader(qint32 width, qint32 height, int pixelBytes) {
    QByteArray b(54 + pixelBytes, '\0');
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(quint32(b.size()), b.data() + 2);
    qToLittleEndian<quint32>(54, b.data() + 10);
    qToLittleEndian<quint32>(40, b.data() + 14);
    qToLittleEndian<qint32>(width, b.data() + 18);
    qToLittleEndian<qint32>(height, b.data() + 22);
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(24, b.data() + 28);
    return b;
}

TEST(LoadBitmap, RejectsBadFilesWithTheirNameAndReason) {
    QTemporaryDir dir;
    const QString truncated = dir.filePath("truncated.bmp");
    writeFile(truncated, readFile(fixture("depth24.bmp")).left(100));
    EXPECT_THAT(loadError(truncated), HasSubstr("truncated.bmp\": the file is truncated"));

    for (const char* name : {"depth8rle.bmp", "colours.png"}) {
        const QString cut = dir.filePath(QStringLiteral("cut-") + QString::fromLatin1(name));
        const QByteArray whole = readFile(fixture(name));
        writeFile(cut, whole.left(whole.size() - 20));
        EXPECT_THAT(loadError(cut), HasSubstr("the file is truncated")) << name;
    }

    const QString huge = dir.filePath("huge.bmp");
    writeFile(huge, bmpHeader(100000, 100000, 16));
    EXPECT_THAT(loadError(huge), HasSubstr("100000 x 100000 pixels, more than 16384 on a side"));

    const QString heavy = dir.filePath("heavy.bmp");    // sides allowed, 1 GB of pixels
    writeFile(heavy, bmpHeader(16384, -16384, 16));
    EXPECT_THAT(loadError(heavy), HasSubstr("more than 256 MB"));

    const QString hugePng = dir.filePath("huge.png");
    QByteArray png = readFile(fixture("colours.png"));
    qToBigEndian<quint32>(200000, png.data() + 16);
    writeFile(hugePng, png);
    EXPECT_THAT(loadError(hugePng), HasSubstr("more than 16384 on a side"));

    const QString text = dir.filePath("notes.bmp");
    writeFile(text, "this is not a picture\n");
    EXPECT_THAT(loadError(text), HasSubstr("notes.bmp\": the file is not a picture"));

    const QString empty = dir.filePath("empty.bmp");
    writeFile(empty, "");
    EXPECT_THAT(loadError(empty), HasSubstr("empty.bmp"));

    EXPECT_THAT(loadError(dir.filePath("missing.bmp")), HasSubstr("missing.bmp\": the file does not exist"));

    // A pipe would be read for ever; a folder cannot be read at all.
    const QString pipe = dir.filePath("pipe.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_THAT(loadError(pipe), HasSubstr("pipe.bmp\": it is not a regular file"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
    EXPECT_THAT(loadError(dir.filePath("folder.bmp")), HasSubstr("folder.bmp\": it is not a regular file"));
}

TEST(SaveImage, WritesBmpAndPngAtomicallyAndReportsFailures) {
    QTemporaryDir dir;
    std::mt19937 gen(7);
    const QImage image = test::RandomImage(13, 9, gen);
    for (const char* name : {"out.bmp", "out.png"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        SaveImage(image, path);
        EXPECT_EQ(test::FirstDifference(LoadBitmap(path), image), "") << name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left behind";
    EXPECT_TRUE(SaveFormats().contains("bmp"));
    EXPECT_TRUE(SaveFormats().contains("png"));
    EXPECT_THROW(SaveImage(image, dir.filePath("out.nosuchformat")), ImageError);
    EXPECT_THROW(SaveImage(image, dir.filePath("no/such/folder/out.png")), ImageError);
}

}  // namespace
}  // namespace orbisca::gfx
