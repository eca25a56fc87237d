// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/image_io.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "support/folder_fixture.h"
#include "test_images.h"

namespace orbisca::gfx {
namespace {

using ::testing::HasSubstr;

QString fixture(const QString& name) {
    return QStringLiteral(ORBISCA_SOURCE_DIR "/tests/gfx/data/") + name;
}

using testing::fileBytes;

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    EXPECT_TRUE(testing::writeBytes(dir.filePath(name), bytes));
    return dir.filePath(name);
}

std::string loadError(const QString& path) {
    try {
        loadBitmap(path);
    } catch (const ImageError& e) {
        return e.what();
    }
    return "no error";
}

QImage source(const char* ppm) {
    return QImage(fixture(ppm)).convertToFormat(QImage::Format_RGB888);
}

// A bottom-up uncompressed BMP rewritten top-down: rows reversed, height negated.
QByteArray topDown(QByteArray bmp) {
    const QByteArray in = bmp;
    const auto field = [&in](int at, int size) {
        qint64 value = 0;
        for (int i = size - 1; i >= 0; --i) value = value << 8 | quint8(in.at(at + i));
        return value;
    };
    const qint64 offset = field(10, 4);
    const qint32 width = qint32(field(18, 4));
    const qint32 height = qint32(field(22, 4));
    const int rowBytes = int((width * field(28, 2) + 31) / 32 * 4);
    for (int row = 0; row < height; ++row)
        bmp.replace(offset + row * rowBytes, rowBytes,
                    in.mid(offset + (height - 1 - row) * rowBytes, rowBytes));
    qToLittleEndian<qint32>(-height, bmp.data() + 22);
    return bmp;
}

// BMP files ImageMagick wrote (data/make_bitmaps.sh) against the pictures they were written from,
// and the uncompressed ones rewritten top-down.
TEST(LoadBitmap, ReadsEveryDepthBottomUpAndTopDown) {
    QTemporaryDir dir;
    const std::tuple<const char*, const char*, bool> files[] = {
        {"depth1.bmp", "mono.ppm", false},       {"depth4.bmp", "colours.ppm", true},
        {"depth8.bmp", "greys.ppm", false},      {"depth8rle.bmp", "colours.ppm", false},
        {"depth16.bmp", "colours.ppm", true},    {"depth24.bmp", "colours.ppm", true},
        {"depth24v5.bmp", "colours.ppm", false}, {"depth32.bmp", "colours.ppm", false},
        {"colours.png", "colours.ppm", false}};
    for (auto [file, picture, flip] : files) {
        const QImage loaded = loadBitmap(fixture(file));
        EXPECT_EQ(loaded.format(), QImage::Format_RGB888) << file;
        EXPECT_TRUE(test::samePixels(loaded, source(picture))) << file;
        if (flip) {
            const QImage flipped =
                loadBitmap(writeFile(dir, file, topDown(fileBytes(fixture(file)))));
            EXPECT_TRUE(test::samePixels(flipped, source(picture))) << file << " top-down";
        }
    }
}

// A 54-byte header that claims width x height at 24 bits, and 16 bytes of pixels.
QByteArray bmpClaiming(qint32 width, qint32 height) {
    QByteArray b(54 + 16, '\0');
    b[0] = 'B', b[1] = 'M';
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
    const QByteArray rle = fileBytes(fixture("depth8rle.bmp")),
                     png = fileBytes(fixture("colours.png"));
    QByteArray hugePng = png;
    qToBigEndian<quint32>(200000, hugePng.data() + 16);
    const std::pair<QByteArray, const char*> cases[] = {
        {rle.left(rle.size() - 20), "the file is truncated"},
        {bmpClaiming(100000, 100000), "100000 x 100000 pixels, more than 16384 on a side"},
        {hugePng, "more than 16384 on a side"},
        {"this is not a picture\n", "the file is not a picture"}};
    int n = 0;
    for (const auto& [bytes, reason] : cases) {
        const QString name = QStringLiteral("bad%1.bmp").arg(n++);
        EXPECT_THAT(loadError(writeFile(dir, name, bytes)), HasSubstr(name.toStdString() + "\": "))
            << reason;
        EXPECT_THAT(loadError(dir.filePath(name)), HasSubstr(reason)) << name.toStdString();
    }
    EXPECT_THAT(loadError(dir.filePath("missing.bmp")),
                HasSubstr("missing.bmp\": the file does not exist"));
    // A pipe would be read for ever; a folder cannot be read at all.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.bmp")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
    for (const char* name : {"pipe.bmp", "folder.bmp"})
        EXPECT_THAT(loadError(dir.filePath(name)),
                    HasSubstr(std::string(name) + "\": it is not a regular file"));
}

TEST(SaveImage, WritesBmpAndPngAtomicallyAndReportsFailures) {
    QTemporaryDir dir;
    std::mt19937 gen(7);
    const QImage image = test::randomImage(13, 9, gen);
    for (const char* name : {"out.bmp", "out.png"}) {
        saveImage(image, dir.filePath(name));
        EXPECT_TRUE(test::samePixels(loadBitmap(dir.filePath(name)), image)) << name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2)
        << "no temporary file is left behind";
    EXPECT_THROW(saveImage(image, dir.filePath("out.nosuchformat")), ImageError);
    EXPECT_THROW(saveImage(image, dir.filePath("no/such/folder/out.png")), ImageError);
}

}  // namespace
}  // namespace orbisca::gfx
