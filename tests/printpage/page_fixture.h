// A page with stand-ins for the drawing layer that record what they were asked to do, so the
// tests see the interpreter's decisions (positions, phases, filter ranges) directly.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <vector>

#include "printpage/print_page.h"

namespace orbisca::testing {

inline void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "printpage_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = QCoreApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

struct MoonCall {
    int phase, size;
};
struct KeyedCall {
    QPoint at;
    QRgb key;
    QSize size;
};
struct BlurCall {
    QSize image;
    int xFrom, yTo, xTo, yFrom;
};

struct Recorder {
    std::vector<MoonCall> moons;
    std::vector<KeyedCall> pictures;
    std::vector<BlurCall> blurs;
    QStringList messages;
    std::vector<int> gauges;
};

// Pictures are read with Qt; the moon shape is a white square whose grey level tells the phase;
// the filter only records; the mask draw copies the picture where the mask is not black.
inline PageServices recordingServices(Recorder& r, const QString& folder = QString()) {
    PageServices s;
    s.notify = [&r](const QString& text) { r.messages << text; };
    s.progress = [&r](int gauge) { r.gauges.push_back(gauge); };
    s.resolvePath = [folder](const QString& name) {
        QString path = name;
        path.replace(u'\\', u'/');
        return folder.isEmpty() ? path : QDir(folder).filePath(path);
    };
    s.loadPicture = [](const QString& path) {
        QImage image(path);
        if (image.isNull()) throw std::runtime_error("unreadable picture");
        return image.convertToFormat(QImage::Format_RGB888);
    };
    s.drawKeyed = [&r](QImage& target, const QImage& picture, QPoint at, QRgb key) {
        r.pictures.push_back({at, key, picture.size()});
        (void)target;
    };
    s.moonShape = [&r](int phase, int size) {
        r.moons.push_back({phase, size});
        QImage mask(size, size, QImage::Format_RGB888);
        mask.fill(qRgb(255, 255, 255));
        return mask;
    };
    s.blurm = [&r](QImage& image, int xFrom, int yTo, int xTo, int yFrom, const RowProgress& row) {
        r.blurs.push_back({image.size(), xFrom, yTo, xTo, yFrom});
        for (int y = yFrom; y <= yTo && row; ++y) row(y - yFrom, yTo - yFrom);
    };
    s.maskDraw = [](QImage& target, const QImage& picture, const QImage& mask) {
        for (int y = 0; y < target.height(); ++y) {
            uchar* t = target.scanLine(y);
            const uchar* p = picture.constScanLine(y);
            const uchar* m = mask.constScanLine(y);
            for (int i = 0; i < target.width() * 3; i += 3)
                if (m[i] > 0) std::copy(p + i, p + i + 3, t + i);
        }
    };
    return s;
}

// A page of the given size with recording services, the script `lines`.
struct PageTest : ::testing::Test {
    Recorder recorder;
    PrintPageState page;
    QTemporaryDir folder;

    void SetUp() override {
        ensureGuiApplication();
        page.services = recordingServices(recorder, folder.path());
        page.canvasWidth = 200;
        page.canvasHeight = 120;
        setcanvas(page, 200, 120, true);
    }

    bool run(const QStringList& lines) {
        page.script = lines;
        return drawimage(page, page.script);
    }

    // How many pixels of the canvas differ from the background.
    int inkedPixels() const {
        int n = 0;
        for (int y = 0; y < page.canvas.height(); ++y)
            for (int x = 0; x < page.canvas.width(); ++x) n += page.canvas.pixel(x, y) != (page.background | 0xff000000u);
        return n;
    }

    // The leftmost column with ink, or -1.
    int leftmostInk() const {
        for (int x = 0; x < page.canvas.width(); ++x)
            for (int y = 0; y < page.canvas.height(); ++y)
                if (page.canvas.pixel(x, y) != (page.background | 0xff000000u)) return x;
        return -1;
    }

    QString writePicture(const QString& name, QSize size, QRgb corner) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(qRgb(10, 20, 30));
        image.setPixel(0, 0, corner);
        const QString path = QDir(folder.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
};

}  // namespace orbisca::testing
