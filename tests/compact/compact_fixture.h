// A temporary working folder for the compact window's tests: the data pack's texts and tables
// from the assembled working folder, and small pictures of the right sizes written by the test
// itself, so that the tests do not depend on the picture pack.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <ostream>

#include "calendar/calendar_state.h"
#include "compact/window_links.h"
#include "data/conf_file.h"
#include "data/error_log.h"
#include "data/font_table.h"
#include "data/notifier.h"
#include "data/program_state.h"
#include "data/text_file.h"
#include "data/working_folder.h"
#include "gfx/image_io.h"
#include "../data/data_fixture.h"

namespace orbisca::testing {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "compact_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

inline QImage filled(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// The outline mask: a pyramid of non-black pixels on black, narrower at the top.
inline QImage pyramidMask() {
    QImage mask = filled(600, 450, Qt::black);
    for (int y = 20; y < 450; ++y) {
        const int half = 60 + y * 240 / 450;
        for (int x = 300 - half; x < 300 + half; ++x) mask.setPixelColor(x, y, QColor(130, 20, 60));
    }
    return mask;
}

// Writes every picture the compact window reads into `folder`/graphic.
inline void writeCompactPictures(const QString& folder) {
    const QString dir = folder + "/graphic/";
    QDir().mkpath(dir);
    auto save = [&](const QImage& image, const QString& name) { gfx::SaveImage(image, dir + name, "bmp"); };
    QImage outline = filled(80, 80, Qt::black);
    QPainter(&outline).fillRect(10, 10, 60, 60, QColor(200, 200, 200));
    save(outline, "frame1.bmp");
    save(filled(80, 80, QColor(90, 90, 120)), "frameclr.bmp");
    save(filled(60, 60, QColor(230, 230, 210)), "moon.bmp");
    save(pyramidMask(), "pyrA0.bmp");
    save(filled(600, 450, QColor(20, 20, 60)), "pyr0.bmp");
    for (int n = 0; n < 20; ++n) {
        save(filled(77, 77, QColor(50 + 10 * n, 200, 30)), QString::number(n) + "Y.bmp");
        save(filled(65, 65, QColor(30, 50 + 10 * n, 200)), QString::number(n) + ".bmp");
    }
    save(filled(77, 77, Qt::white), "SBalfa.bmp");
    save(filled(65, 65, Qt::white), "Smalfa.bmp");
    for (int n = 1; n <= 13; ++n) {
        save(filled(72, 36, QColor(240, 10 * n, 10)), "Tone" + QString::number(n) + ".bmp");
        save(filled(72, 36, Qt::white), "ToneAlfa" + QString::number(n) + ".bmp");
    }
    for (int n = 1; n <= 7; ++n) save(filled(59, 59, QColor(10, 10, 30 * n)), QString::number(n) + "X.bmp");
    save(filled(59, 59, Qt::white), "plalfa.bmp");
    save(filled(96, 24, QColor(60, 60, 90)), "btnExpand.bmp");
    save(filled(96, 24, QColor(90, 60, 60)), "btnClose.bmp");
}

// Copies the texts and tables of the assembled working folder (not its pictures).
inline void copyPackTexts(const QString& to) {
    const QDir from(QStringLiteral(ORBISCA_HOME_DIR));
    for (const QFileInfo& file : from.entryInfoList(QDir::Files)) QFile::copy(file.filePath(), to + "/" + file.fileName());
}

inline void resetAllStates() {
    resetDataStates();
    resetConfigModel();
    resetWindowLinks();
    resetFontTableState();
}

class CompactFolderTest : public ::testing::Test {
protected:
    // Before any member of a derived fixture: widgets need the application.
    CompactFolderTest() { testApplication(); }
    void SetUp() override {
        testApplication();
        ASSERT_TRUE(home.isValid());
        resetAllStates();
        copyPackTexts(home.path());
        writeCompactPictures(home.path());
        setWorkingFolder(home.path());
        ASSERT_TRUE(QDir(home.path()).mkdir("program"));
        errorLogState().programFolder = home.filePath("program");
    }
    void TearDown() override { resetAllStates(); }

    QStringList fileLines(const QString& name) const {
        QFile file(home.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    void removePicture(const QString& name) { ASSERT_TRUE(QFile::remove(home.filePath("graphic/" + name))); }
    // Replaces line n (from 0) of BASE.KTX.
    void setBaseLine(int n, const QString& text) {
        QFile file(home.filePath("BASE.KTX"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        file.close();
        ASSERT_LT(n, lines.size());
        lines[n] = text;
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n').toUtf8());
        file.close();
        clearTextCache();
    }

    QTemporaryDir home;
};

}  // namespace orbisca::testing
