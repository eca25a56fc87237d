#include "data/working_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <mutex>

#include "data/data_error.h"

namespace orbisca {

namespace {
std::mutex& spellingsMutex() {
    static std::mutex mutex;
    return mutex;
}
}  // namespace

WorkingFolderState& workingFolderState() {
    static WorkingFolderState state;
    return state;
}

void resetWorkingFolderState() {
    std::lock_guard lock(spellingsMutex());
    workingFolderState() = WorkingFolderState{};
}

void setWorkingFolder(const QString& path) {
    std::lock_guard lock(spellingsMutex());
    workingFolderState().path = QDir(path).absolutePath();
    workingFolderState().spellings.clear();
}

QString workingFolder() {
    std::lock_guard lock(spellingsMutex());
    const QString path = workingFolderState().path;
    return QDir::cleanPath(path.isEmpty() ? QDir::currentPath() : path);
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

bool holdsPack(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/BASE.KTX")).isFile();
}

QString userDataFolder() {
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(configured) ? configured
                                            : QDir::homePath() + QStringLiteral("/.local/share");
}

// Copies the pack into a new folder beside `target`, then renames it into place, so that an
// interrupted first start leaves no half-filled working folder behind.
void copyPack(const QString& pack, const QString& target) {
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent))
        throw DataFileError(QStringLiteral("cannot create the folder \"%1\"").arg(parent));
    QTemporaryDir staging(target + QStringLiteral(".new-XXXXXX"));
    if (!staging.isValid())
        throw DataFileError(QStringLiteral("cannot create a folder in \"%1\"").arg(parent));
    QDirIterator files(pack, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString from = files.next();
        const QString to = staging.filePath(QDir(pack).relativeFilePath(from));
        if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !QFile::copy(from, to))
            throw DataFileError(QStringLiteral("cannot copy \"%1\" into \"%2\"").arg(from, target));
        QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner);
    }
    if (!QDir().rename(staging.path(), target))
        throw DataFileError(QStringLiteral("cannot create the working folder \"%1\"").arg(target));
    staging.setAutoRemove(false);
}

}  // namespace

QString defaultWorkingFolder(const QString& programFolder) {
    const QString built = QDir::cleanPath(programFolder + QStringLiteral("/../home"));
    if (holdsPack(built)) return built;
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/orbisca"));
    if (holdsPack(installed)) {
        const QString own = userDataFolder() + QStringLiteral("/orbisca");
        if (!QFileInfo(own).isDir()) copyPack(installed, own);
        return own;
    }
    return QDir::currentPath();
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

}  // namespace

QString resolvePath(const QString& name) {
    QString written = name;
    written.replace(u'\\', u'/');
    const bool absolute = QDir::isAbsolutePath(written);
    const QString base = absolute ? QStringLiteral("/") : workingFolder();
    QString full = QDir::cleanPath(base + '/' + written);
    if (QFileInfo::exists(full)) return full;  // the common case: spelled as on disk
    {
        std::lock_guard lock(spellingsMutex());
        auto& spellings = workingFolderState().spellings;
        const auto known = spellings.find(full);
        if (known != spellings.end() && QFileInfo::exists(known->second)) return known->second;
    }

    QString folder = absolute ? QString() : base;
    bool missing = false;  // below a missing folder nothing can match any more
    for (const QString& component : written.split(u'/', Qt::SkipEmptyParts)) {
        const QString spelled =
            missing ? component : matchComponent(folder.isEmpty() ? "/" : folder, component);
        folder = folder + '/' + spelled;
        if (!missing && !QFileInfo::exists(folder)) missing = true;
    }
    const QString found = QDir::cleanPath(folder.isEmpty() ? base : folder);
    if (!missing) {
        std::lock_guard lock(spellingsMutex());
        workingFolderState().spellings[full] = found;
    }
    return found;
}

}  // namespace orbisca
