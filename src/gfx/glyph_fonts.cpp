// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/glyph_fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

#include "data/file_kind.h"
#include "data/working_folder.h"

namespace orbisca::gfx {

GlyphFonts::~GlyphFonts() {
    if (!QGuiApplication::instance()) return;  // the database went with the application
    for (const auto& [file, id] : registered_) QFontDatabase::removeApplicationFont(id);
}

// The families of one font file, registering it unless that was done before; empty on failure.
QStringList GlyphFonts::familiesOf(const QString& file) {
    const auto known = registered_.find(file);
    if (known != registered_.end()) return QFontDatabase::applicationFontFamilies(known->second);
    const int id = QFontDatabase::addApplicationFont(file);
    if (id < 0) return {};
    registered_[file] = id;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    for (const QString& family : families)
        if (!families_.contains(family)) families_ << family;
    return families;
}

namespace {

// A folder that is there but cannot be listed (no read or search permission).
bool folderUnreadable(const QString& folder) {
    const QFileInfo info(folder);
    return !info.isReadable() || !info.isExecutable();
}

// Why `file` of the fonts folder gave no font.
QString whyNoFont(const QString& file) {
    const QString folder = QFileInfo(file).absolutePath();
    const QString shown = QDir::toNativeSeparators(file);
    if (fileKindOf(folder) != FileKind::Folder)
        return QStringLiteral("the folder \"%1\" does not exist")
            .arg(QDir::toNativeSeparators(folder));
    if (folderUnreadable(folder))
        return QStringLiteral("the folder \"%1\" cannot be read: permission denied")
            .arg(QDir::toNativeSeparators(folder));
    const FileKind kind = fileKindOf(file);
    if (kind == FileKind::Missing) return QStringLiteral("\"%1\" does not exist").arg(shown);
    if (kind != FileKind::Regular)
        return QStringLiteral("\"%1\" is %2, not a regular file").arg(shown, fileKindName(kind));
    if (!QFileInfo(file).isReadable())
        return QStringLiteral("\"%1\" cannot be read: permission denied").arg(shown);
    return QStringLiteral("\"%1\" is no font that can be used").arg(shown);
}

}  // namespace

std::optional<QString> GlyphFonts::unloadedFaceNotice(const WorkingFolder& folder,
                                                      const QString& family) {
    for (const GlyphFace& face : kGlyphFaces) {
        const QString name = QString::fromLatin1(face.family);
        if (family.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (families_.contains(name, Qt::CaseInsensitive) || unloadedFaces_.contains(name))
            return std::nullopt;
        unloadedFaces_ << name;
        if (unloadedFaces_.size() > 1) return std::nullopt;  // one notice a run is enough
        const QString file = QDir(folder.resolve(kGlyphFontFolder)).filePath(face.file);
        return QStringLiteral("the glyph face \"%1\" is not loaded: %2; its signs cannot be drawn")
            .arg(name, whyNoFont(file));
    }
    return std::nullopt;
}

QStringList GlyphFonts::registerFolder(const WorkingFolder& workingFolder,
                                       const std::function<void(const QString&)>& report) {
    const QString folder = workingFolder.resolve(kGlyphFontFolder);
    const QDir dir(folder);
    if (!dir.exists()) {
        report(QStringLiteral("glyph fonts: the folder \"%1\" does not exist; glyph pages will "
                              "show plain letters")
                   .arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    if (folderUnreadable(folder)) {
        report(QStringLiteral("glyph fonts: the folder \"%1\" cannot be read: permission denied; "
                              "glyph pages will show plain letters")
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
