// SPDX-License-Identifier: GPL-3.0-or-later
// A page whose drawing layer is stand-ins that record what they were asked to do, so the tests see
// the interpreter's decisions (positions, phases, filter ranges) directly.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <mutex>
#include <vector>

#include "printpage/print_page.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {

struct Recorder {
    std::vector<std::pair<int, int>> moons;                 // phase, size
    std::vector<std::tuple<QPoint, QRgb, QSize>> pictures;  // where, key colour, size
    std::vector<QRect> blurs;
    std::mutex blurring;
    QStringList messages;
    // The messages up to their reason: "Syntax error at line 3".
    QStringList errorLines() const {
        QStringList lines;
        for (const QString& m : messages) lines << m.section(u':', 0, 0);
        return lines;
    }
    std::vector<int> gauges;
};

// Pictures are read with Qt; the moon shape is a white square; the filter only records; the mask
// draw copies the picture where the mask is not black.
inline PageServices recordingServices(Recorder& r, const QString& folder) {
    PageServices s;
    s.notify = [&r](const QString& text) { r.messages << text; };
    s.progress = [&r](int gauge) { r.gauges.push_back(gauge); };
    s.resolvePath = [folder](QString name) {
        return QDir(folder).filePath(name.replace(u'\\', u'/'));
    };
    s.loadPicture = [](const QString& path) {
        QImage image(path);
        if (image.isNull()) throw std::runtime_error("unreadable picture");
        return image.convertToFormat(QImage::Format_RGB888);
    };
    s.drawKeyed = [&r](QImage&, const QImage& picture, QPoint at, QRgb key) {
        r.pictures.emplace_back(at, key, picture.size());
    };
    s.moonShape = [&r](int phase, int size) {
        r.moons.emplace_back(phase, size);
        QImage mask(size, size, QImage::Format_RGB888);
        mask.fill(qRgb(255, 255, 255));
        return mask;
    };
    s.meanFilter = [&r](QImage&, const QRect& area, const RowProgress& row) {
        const std::lock_guard<std::mutex> lock(r.blurring);  // bands may come from two threads
        r.blurs.push_back(area);
        for (int y = area.top(); y <= area.bottom() && row; ++y)
            row(y - area.top(), area.bottom() - area.top());
    };
    s.maskDraw = [](QImage& target, const QImage& picture, const QImage& mask) {
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x)
                if (qRed(mask.pixel(x, y)) > 0) target.setPixel(x, y, picture.pixel(x, y));
    };
    return s;
}

struct PageTest : ::testing::Test {
    Recorder recorder;
    PrintPageState page;
    QTemporaryDir folder;

    void SetUp() override {
        ensureGuiApplication();
        page.services = recordingServices(recorder, folder.path());
        page.canvasWidth = 200;
        page.canvasHeight = 120;
        setCanvas(page, 200, 120, true);
    }

    bool run(const QStringList& lines) {
        page.script = lines;
        return runScriptLines(page, page.script);
    }

    // How many pixels differ from the background, and the leftmost column of them (-1: none).
    std::pair<int, int> ink() const {
        int n = 0, left = -1;
        for (int x = 0; x < page.canvas.width(); ++x)
            for (int y = 0; y < page.canvas.height(); ++y)
                if (page.canvas.pixel(x, y) != (page.background | 0xff000000u) && n++ == 0)
                    left = x;
        return {n, left};
    }

    void writePicture(const QString& name, QSize size, QRgb corner) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(qRgb(10, 20, 30));
        image.setPixel(0, 0, corner);
        const QString path = QDir(folder.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(image.save(path, "BMP"));
    }
};

}  // namespace orbisca::testing
