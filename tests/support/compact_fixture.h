// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary working folder for the tests of the compact window and its panel: the data pack's
// texts and tables from the assembled working folder, and small pictures of the right sizes
// written by the test itself, so that the tests do not depend on the picture pack.
#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "data/conf_file.h"
#include "gfx/font_table.h"
#include "gfx/image_io.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {

inline QApplication& ensureTestApplication() {
    static int argc = 1;
    static char name[] = "compact_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);  // before any QGuiApplication
    return *app;
}

// A mouse move sent to `widget` itself, as the pointer moves over it with `held` pressed.
inline void sendMouseMove(QWidget* widget, QPointF at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline QImage filled(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// The outline mask: a stepped shape of non-black pixels on black.
inline QImage pyramidMask() {
    QImage mask = filled(600, 450, Qt::black);
    QPainter(&mask).fillRect(10, 150, 580, 300, QColor(130, 20, 60));
    QPainter(&mask).fillRect(200, 20, 200, 130, QColor(130, 20, 60));
    return mask;
}

// The colour of the test's big sign picture n: what area A2 shows when sign n is drawn.
inline QColor signColour(int n) { return QColor(50 + 10 * n, 200, 30); }

// Writes every picture the compact window reads into `folder`/graphic.
inline void writeCompactPictures(const QString& folder) {
    const QString dir = folder + "/graphic/";
    QDir().mkpath(dir);
    auto save = [&](const QImage& image, const QString& name) {
        gfx::saveImage(image, dir + name, "bmp");
    };
    QImage outline = filled(80, 80, Qt::black);
    QPainter(&outline).fillRect(10, 10, 60, 60, QColor(200, 200, 200));
    save(outline, "frame1.bmp");
    save(filled(80, 80, QColor(90, 90, 120)), "frameclr.bmp");
    save(filled(60, 60, QColor(230, 230, 210)), "moon.bmp");
    save(pyramidMask(), "pyrA0.bmp");
    save(filled(600, 450, QColor(20, 20, 60)), "pyr0.bmp");
    for (int n = 0; n < 20; ++n) {
        save(filled(77, 77, signColour(n)), QString::number(n) + "Y.bmp");
        save(filled(65, 65, QColor(30, 50 + 10 * n, 200)), QString::number(n) + ".bmp");
    }
    save(filled(77, 77, Qt::white), "SBalfa.bmp");
    save(filled(65, 65, Qt::white), "Smalfa.bmp");
    for (int n = 1; n <= 13; ++n) {
        save(filled(72, 36, QColor(240, 10 * n, 10)), "Tone" + QString::number(n) + ".bmp");
        save(filled(72, 36, Qt::white), "ToneAlfa" + QString::number(n) + ".bmp");
    }
    for (int n = 0; n <= 7; ++n)  // 0X.bmp: the socket's picture on the day out of time
        save(filled(59, 59, QColor(10, 10, 30 * n)), QString::number(n) + "X.bmp");
    save(filled(59, 59, Qt::white), "plalfa.bmp");
    save(filled(96, 24, QColor(60, 60, 90)), "btnExpand.bmp");
    save(filled(96, 24, QColor(90, 60, 60)), "btnClose.bmp");
}

class CompactFolderTest : public WorkingFolderTest {
protected:
    // Before any member of a derived fixture: widgets need the application.
    CompactFolderTest() { ensureTestApplication(); }
    void SetUp() override {
        WorkingFolderTest::SetUp();
        copyPackFiles(home.path());  // the texts and tables, not the pictures
        writeCompactPictures(home.path());
        // The donation reminder switched off, so that starting the program's windows does not
        // wait for its answer; its own tests write "strt.dat" as they need it.
        writeLines("strt.dat", {"1", "-1"});
    }
    QStringList fileLines(const QString& name) const {
        return QString::fromUtf8(readFile(name)).split('\n', Qt::SkipEmptyParts);
    }
    void removePicture(const QString& name) {
        ASSERT_TRUE(QFile::remove(home.filePath("graphic/" + name)));
    }
    // Replaces line n (from 0) of BASE.KTX.
    void setBaseLine(int n, const QString& text) {
        QStringList lines = QString::fromUtf8(readFile("BASE.KTX")).split('\n');
        lines[n] = text;
        writeFile("BASE.KTX", lines.join('\n').toUtf8());
        clearTextCache(data.folder);
    }
};

}  // namespace orbisca::testing
