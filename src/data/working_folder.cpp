#include "data/working_folder.h"

#include <QDir>
#include <QFileInfo>

namespace orbisca {

WorkingFolderState& workingFolderState() {
    static WorkingFolderState state;
    return state;
}

void resetWorkingFolderState() { workingFolderState() = WorkingFolderState{}; }

void setWorkingFolder(const QString& path) { workingFolderState().path = QDir(path).absolutePath(); }

QString workingFolder() {
    const QString& path = workingFolderState().path;
    return QDir::cleanPath(path.isEmpty() ? QDir::currentPath() : path);
}

namespace {

// The spelling of `component` inside `folder`, or the component itself when nothing matches.
QString matchComponent(const QString& folder, const QString& component) {
    if (component == "." || component == ".." || QFileInfo::exists(folder + '/' + component)) return component;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                           QDir::NoDotAndDotDot,
                                                       QDir::Name);
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

    QString folder = absolute ? QString() : base;
    bool missing = false;  // below a missing folder nothing can match any more
    for (const QString& component : written.split(u'/', Qt::SkipEmptyParts)) {
        const QString spelled = missing ? component : matchComponent(folder.isEmpty() ? "/" : folder, component);
        folder = folder + '/' + spelled;
        if (!missing && !QFileInfo::exists(folder)) missing = true;
    }
    return QDir::cleanPath(folder.isEmpty() ? base : folder);
}

}  // namespace orbisca
