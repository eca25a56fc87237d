// SPDX-License-Identifier: GPL-3.0-or-later
// The services of the program's own layers for a page: the notifier, the working folder and the
// drawing layer. The drawing origin is the full-mode window's: its owner sets drawingOrigin.
#pragma once

#include "printpage/print_page.h"

namespace orbisca {

struct DataState;
namespace gfx {
class GlyphFonts;
}

// The services of a program state: its notifier, its folder and its glyph fonts, which must
// outlive the services.
PageServices programPageServices(DataState& data, gfx::GlyphFonts& glyphFonts);

}  // namespace orbisca
