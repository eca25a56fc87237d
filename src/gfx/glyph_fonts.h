// The glyph fonts of the working folder: exported pages draw their calendar elements with letters
// of fonts that the program brings along in "fonts/" (every "*.ttf" there), registered with the
// application's font database at start so that scripts can name their families.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>

namespace orbisca::gfx {

// The folder of the working folder that holds the glyph fonts.
inline const QString kGlyphFontFolder = QStringLiteral("fonts");

struct GlyphFontState {
    std::map<QString, int> registered;  // absolute font file -> application font id
    QStringList families;               // every family registered so far
};

GlyphFontState& glyphFontState();
// Removes the registered fonts from the font database again and forgets them (tests).
void resetGlyphFontState();

// Registers every "*.ttf" of the working folder's fonts/ (a file registered before is skipped)
// and returns the families that the folder's fonts hold. Needs a QGuiApplication. Each failure,
// a missing folder, a folder without fonts or a file that is no usable font, is handed to
// `report` as one line that names the folder or the file.
QStringList registerGlyphFonts(const std::function<void(const QString&)>& report);

}  // namespace orbisca::gfx
