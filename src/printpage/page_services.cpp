#include "printpage/page_services.h"

#if __has_include("data/notifier.h") && __has_include("data/working_folder.h")
#define ORBISCA_PAGE_HAS_DATA 1
#include "data/notifier.h"
#include "data/working_folder.h"
#endif

#if __has_include("gfx/blur.h")
#define ORBISCA_PAGE_HAS_GFX 1
#include "gfx/blur.h"
#include "gfx/image_io.h"
#include "gfx/mask_draw.h"
#include "gfx/moon.h"
#endif

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <stdexcept>

namespace orbisca {

bool UsePageWorkingFolder(const QString& folder) {
#ifdef ORBISCA_PAGE_HAS_DATA
    setWorkingFolder(folder);
    return true;
#else
    (void)folder;
    return false;
#endif
}

void SavePageImage(const QImage& image, const QString& path) {
#ifdef ORBISCA_PAGE_HAS_GFX
    gfx::SaveImage(image, path);
#else
    QSaveFile file(path);
    QImageWriter writer(&file, QFileInfo(path).suffix().toLatin1());
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit())
        throw std::runtime_error("cannot write \"" + path.toStdString() + "\": " +
                                 (file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString())
                                     .toStdString());
#endif
}

PageServices ProgramPageServices() {
    PageServices s;
#ifdef ORBISCA_PAGE_HAS_DATA
    s.notify = [](const QString& text) { notify(text); };
    s.resolvePath = [](const QString& name) { return resolvePath(name); };
#endif
#ifdef ORBISCA_PAGE_HAS_GFX
    s.loadPicture = [](const QString& path) { return gfx::LoadBitmap(path); };
    s.drawKeyed = [](QImage& target, const QImage& picture, QPoint at, QRgb key) {
        gfx::DrawTransparent(picture, target, at.x(), at.y(), key);
    };
    s.moonShape = [](int phase, int size) {
        // The moon drawing has a working range of sides; other sizes are stretched from its edge.
        const int side = qBound(int(gfx::kMinMoonSize), size, int(gfx::kMaxMoonSize));
        const QImage disc = gfx::DrawMoon(phase, side);
        return side == size ? disc : gfx::StretchImage(disc, size, size);
    };
    s.stretch = [](const QImage& picture, int width, int height) { return gfx::StretchImage(picture, width, height); };
    s.blurm = [](QImage& image, int xFrom, int yTo, int xTo, int yFrom, const RowProgress& row) {
        gfx::blurm(image, xFrom, yTo, xTo, yFrom, row);
    };
    s.maskDraw = [](QImage& target, const QImage& picture, const QImage& mask) {
        constexpr int kMoonAlpha = 200;
        gfx::MaskDraw(picture, target, mask, gfx::MaskMode::Mask, kMoonAlpha, 0, 0);
    };
#endif
    return s;
}

}  // namespace orbisca
