// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/working_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <mutex>

#include "data/atomic_file.h"
#include "data/data_error.h"
#include "data/text_file.h"

namespace orbisca {

WorkingFolder::WorkingFolder() : texts_(std::make_unique<CachedTextFiles>()) {}

WorkingFolder::WorkingFolder(const QString& path, const QString& pack) : WorkingFolder() {
    set(path, pack);
}

WorkingFolder::~WorkingFolder() = default;

void WorkingFolder::set(const QString& path, const QString& pack) {
    std::lock_guard lock(mutex_);
    path_ = QDir(path).absolutePath();
    pack_ = pack.isEmpty() ? QString() : QDir(pack).absolutePath();
    spellings_.clear();
}

QString WorkingFolder::path() const {
    std::lock_guard lock(mutex_);
    return QDir::cleanPath(path_.isEmpty() ? QDir::currentPath() : path_);
}

QString WorkingFolder::pack() const {
    std::lock_guard lock(mutex_);
    return pack_;
}

void WorkingFolder::setLanguage(const QString& code) {
    const QString language = code == QLatin1String("en") ? QString() : code;
    {
        std::lock_guard lock(mutex_);
        if (language == language_) return;
        language_ = language;
        spellings_.clear();
    }
    texts_->files.clear();
}

QString WorkingFolder::language() const {
    std::lock_guard lock(mutex_);
    return language_;
}

QStringList WorkingFolder::roots() const {
    QString pack, language;
    {
        std::lock_guard lock(mutex_);
        pack = pack_;
        language = language_;
    }
    const QString folder = path();
    QStringList roots;
    if (!language.isEmpty()) {
        roots << folder + u'/' + language;
        if (!pack.isEmpty()) roots << pack + u'/' + language;
    }
    roots << folder;
    if (!pack.isEmpty()) roots << pack;
    return roots;
}

namespace {

// An absolute path with its folder as the disk has it (links resolved), the file's own name kept:
// a picture that is a link is still the working folder's picture.
QString onDisk(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.absoluteDir().canonicalPath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                            : folder + u'/' + info.fileName();
}

std::optional<QString> relativeInside(const QString& path, const QString& folder) {
    if (folder.isEmpty()) return std::nullopt;
    const QString root = QFileInfo(folder).canonicalFilePath();
    const QString relative =
        QDir(root.isEmpty() ? QDir::cleanPath(folder) : root).relativeFilePath(onDisk(path));
    if (relative.isEmpty() || relative == u".." || relative.startsWith(QStringLiteral("../")) ||
        QDir::isAbsolutePath(relative) || relative.contains(u'\\'))
        return std::nullopt;
    return relative;
}

}  // namespace

QString scriptFileName(const WorkingFolder& folder, const QString& path) {
    for (const QString& root : {folder.path(), folder.pack()})
        if (std::optional<QString> relative = relativeInside(path, root))
            return relative->replace(u'/', u'\\');
    return path;
}

std::optional<QString> workingFolderProblem(const QString& path) {
    const QFileInfo folder(path);
    if (!folder.exists()) return QStringLiteral("does not exist");
    if (!folder.isDir()) return QStringLiteral("is a file, not a folder");
    // Name filters match without regard to case: "Base.ktx" serves as well.
    if (QDir(path).entryList({QStringLiteral("BASE.KTX")}, QDir::Files).isEmpty())
        return QStringLiteral("holds no BASE.KTX, so it is no working folder of the program");
    return std::nullopt;
}

namespace {

// The spelling of `component` inside `folder`, or the component itself when nothing matches.
QString matchComponent(const QString& folder, const QString& component) {
    if (component == "." || component == ".." || QFileInfo::exists(folder + '/' + component))
        return component;
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(component, Qt::CaseInsensitive) == 0) return entry;
    return component;
}

struct Spelling {
    QString path;
    bool found = false;
};

// `written` (with '/' separators) below `root`, each component spelled as on disk where it
// exists in some letter case.
Spelling findSpelling(const QString& root, const QString& written) {
    QString folder = root == QStringLiteral("/") ? QString() : root;
    bool missing = false;  // below a missing folder nothing can match any more
    for (const QString& component : written.split(u'/', Qt::SkipEmptyParts)) {
        const QString spelled =
            missing ? component : matchComponent(folder.isEmpty() ? "/" : folder, component);
        folder = folder + '/' + spelled;
        if (!missing && !QFileInfo::exists(folder)) missing = true;
    }
    return {QDir::cleanPath(folder.isEmpty() ? root : folder), !missing};
}

bool holdsPack(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/BASE.KTX")).isFile();
}

QString userDataFolder() {
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(configured) ? configured
                                            : QDir::homePath() + QStringLiteral("/.local/share");
}

// Creates the user's folder when needed and gives it each of the pack's kUserFiles that it lacks
// in any letter case. Each copy is written in one step, so an interrupted first start leaves no
// half-copied settings file behind.
void prepareUserFolder(const QString& pack, const QString& own) {
    if (!QDir().mkpath(own))
        throw DataFileError(QStringLiteral("cannot create the working folder \"%1\"").arg(own));
    for (const char* name : kUserFiles) {
        const Spelling shipped = findSpelling(pack, QString::fromLatin1(name));
        if (!shipped.found || findSpelling(own, QString::fromLatin1(name)).found) continue;
        QFile from(shipped.path);
        QString error;
        if (!from.open(QIODevice::ReadOnly) ||
            !writeFileAtomically(own + '/' + QFileInfo(shipped.path).fileName(), from.readAll(),
                                 &error))
            throw DataFileError(
                QStringLiteral("cannot copy \"%1\" into \"%2\"").arg(shipped.path, own));
    }
}

}  // namespace

void useDefaultWorkingFolder(WorkingFolder& folder, const QString& programFolder) {
    const QString built = QDir::cleanPath(programFolder + QStringLiteral("/../home"));
    if (holdsPack(built)) return folder.set(built);
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/orbisca"));
    if (holdsPack(installed)) {
        const QString own = userDataFolder() + QStringLiteral("/orbisca");
        prepareUserFolder(installed, own);
        return folder.set(own, installed);
    }
    folder.set(QDir::currentPath());
}

QString WorkingFolder::resolve(const QString& name) const {
    QString written = name;
    written.replace(u'\\', u'/');
    if (QDir::isAbsolutePath(written)) {
        const QString full = QDir::cleanPath(written);
        return QFileInfo::exists(full) ? full : findSpelling(QStringLiteral("/"), written).path;
    }
    const QStringList searched = roots();
    const QString full = QDir::cleanPath(path() + '/' + written);
    std::optional<Found> known;
    {
        std::lock_guard lock(mutex_);
        if (const auto it = spellings_.find(full); it != spellings_.end()) known = it->second;
    }
    // The common case: spelled as on disk in the first folder. A spelling found before stands
    // while it exists and no folder in front of it has the file in the exact spelling.
    const auto exactIn = [&](qsizetype root) {
        return QDir::cleanPath(searched[root] + '/' + written);
    };
    if (QFileInfo::exists(exactIn(0))) return exactIn(0);
    if (known && QFileInfo::exists(known->path)) {
        qsizetype root = 1;
        while (root < qsizetype(known->root) && !QFileInfo::exists(exactIn(root))) ++root;
        if (root >= qsizetype(known->root)) return known->path;
    }
    for (qsizetype root = 0; root < searched.size(); ++root) {
        const Spelling found = findSpelling(searched[root], written);
        if (!found.found) continue;
        std::lock_guard lock(mutex_);
        spellings_[full] = Found{found.path, std::size_t(root)};
        return found.path;
    }
    return findSpelling(path(), written).path;
}

}  // namespace orbisca
