#include "data/working_folder.h"

#include <QDir>
#include <QFileInfo>
#include <mutex>

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
