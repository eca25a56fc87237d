// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph fonts of the working folder: exported pages draw their calendar elements with letters
// of fonts that the program brings along in "fonts/" (every "*.ttf" there), registered with the
// application's font database at start so that scripts can name their families.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

namespace orbisca {
class WorkingFolder;
}

namespace orbisca::gfx {

// The folder of the working folder that holds the glyph fonts.
inline const QString kGlyphFontFolder = QStringLiteral("fonts");

// The glyph faces the program brings along, each with the file of fonts/ that holds it.
struct GlyphFace {
    const char* family;
    const char* file;
};
inline constexpr GlyphFace kGlyphFaces[] = {{"Orbisca Glyphs", "OrbiscaGlyphs.ttf"},
                                            {"RUNES2", "Runes2.ttf"},
                                            {"URRUNE", "Urrune.ttf"},
                                            {"The 7777 game", "The7777Game.ttf"},
                                            {"MAYANVINALS", "MayanVinals.ttf"}};

// The glyph fonts one program state has registered with the application's font database; they
// are removed from it again when the object goes.
class GlyphFonts {
public:
    GlyphFonts() = default;
    ~GlyphFonts();
    GlyphFonts(const GlyphFonts&) = delete;
    GlyphFonts& operator=(const GlyphFonts&) = delete;

    // Registers every "*.ttf" of the folder's fonts/ (a file registered before is skipped) and
    // returns the families that the folder's fonts hold. Needs a QGuiApplication. Each failure,
    // a missing folder, a folder without fonts or a file that is no usable font, is handed to
    // `report` as one line that names the folder or the file.
    QStringList registerFolder(const WorkingFolder& folder,
                               const std::function<void(const QString&)>& report);

    // When `family` names one of the glyph faces and no registered font holds it, for the first
    // such face (the others are only added to unloadedFaces()): "the glyph face "RUNES2" is not
    // loaded: ".../fonts/Runes2.ttf" is a pipe, not a regular file; its signs cannot be drawn".
    // Without the face, every sign would be drawn as a plain letter of some other font.
    std::optional<QString> unloadedFaceNotice(const WorkingFolder& folder, const QString& family);

    const QStringList& families() const { return families_; }            // registered so far
    const QStringList& unloadedFaces() const { return unloadedFaces_; }  // asked for, not there
    std::size_t registeredFiles() const { return registered_.size(); }

private:
    QStringList familiesOf(const QString& file);

    std::map<QString, int> registered_;  // absolute font file -> application font id
    QStringList families_;
    QStringList unloadedFaces_;
};

}  // namespace orbisca::gfx
