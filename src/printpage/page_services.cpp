// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/page_services.h"

#include "data/data_state.h"
#include "gfx/blur.h"
#include "gfx/glyph_fonts.h"
#include "gfx/image_io.h"
#include "gfx/mask_draw.h"
#include "gfx/moon.h"

namespace orbisca {

PageServices programPageServices(DataState& data, gfx::GlyphFonts& glyphFonts) {
    PageServices s;
    s.notify = [&data](const QString& text) { data.notifier.notify(text); };
    s.resolvePath = [&data](const QString& name) { return data.folder.resolve(name); };
    s.loadPicture = [](const QString& path) { return gfx::loadBitmap(path); };
    s.drawKeyed = [](QImage& target, const QImage& picture, QPoint at, QRgb key) {
        gfx::drawTransparent(picture, target, at.x(), at.y(), key);
    };
    s.moonShape = [](int phase, int size) {
        // The moon drawing has a working range of sides; smaller discs are stretched from its edge.
        const int side = qBound(int(gfx::kMinMoonSize), size, int(gfx::kMaxMoonSize));
        const QImage disc = gfx::drawMoon(phase, side);
        return side == size ? disc : gfx::stretchImage(disc, size, size);
    };
    s.stretch = [](const QImage& picture, int width, int height) {
        return gfx::stretchImage(picture, width, height);
    };
    s.meanFilter = [](QImage& image, const QRect& area, const RowProgress& row) {
        gfx::meanFilter(image, area, row);
    };
    s.maskDraw = [](QImage& target, const QImage& picture, const QImage& mask) {
        constexpr int kMoonAlpha = 200;  // used by the constant-opacity mode only
        gfx::maskDraw(picture, target, mask, gfx::MaskMode::Mask, kMoonAlpha, 0, 0);
    };
    s.glyphFaceNotice = [&data, &glyphFonts](const QString& face) {
        return glyphFonts.unloadedFaceNotice(data.folder, face);
    };
    return s;
}

}  // namespace orbisca
