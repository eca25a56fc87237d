#include "gfx/glyph_fonts.h"

#include <QDir>
#include <QFontDatabase>

#include "data/working_folder.h"

namespace orbisca::gfx {

GlyphFontState& glyphFontState() {
    static GlyphFontState state;
    return state;
}

void resetGlyphFontState() {
    for (const auto& [file, id] : glyphFontState().registered)
        QFontDatabase::removeApplicationFont(id);
    glyphFontState() = GlyphFontState{};
}

namespace {

// The families of one font file, registering it unless that was done before; empty on failure.
QStringList familiesOf(const QString& file) {
    GlyphFontState& state = glyphFontState();
    const auto known = state.registered.find(file);
    if (known != state.registered.end())
        return QFontDatabase::applicationFontFamilies(known->second);
    const int id = QFontDatabase::addApplicationFont(file);
    if (id < 0) return {};
    state.registered[file] = id;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    for (const QString& family : families)
        if (!state.families.contains(family)) state.families << family;
    return families;
}

}  // namespace

QStringList registerGlyphFonts(const std::function<void(const QString&)>& report) {
    const QString folder = resolvePath(kGlyphFontFolder);
    const QDir dir(folder);
    if (!dir.exists()) {
        report(QStringLiteral("glyph fonts: the folder \"%1\" does not exist; glyph pages will "
                              "show plain letters")
                   .arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    const QStringList files =
        dir.entryList({QStringLiteral("*.ttf")}, QDir::Files | QDir::Readable, QDir::Name);
    if (files.isEmpty()) {
        report(QStringLiteral("glyph fonts: \"%1\" holds no *.ttf font; glyph pages will show "
                              "plain letters")
                   .arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    QStringList families;
    for (const QString& name : files) {
        const QString file = dir.absoluteFilePath(name);
        const QStringList found = familiesOf(file);
        if (found.isEmpty())
            report(QStringLiteral("glyph fonts: \"%1\" is no font that can be used")
                       .arg(QDir::toNativeSeparators(file)));
        for (const QString& family : found)
            if (!families.contains(family)) families << family;
    }
    return families;
}

}  // namespace orbisca::gfx
