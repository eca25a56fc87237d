// The working folder that holds every data file, and the resolver for the names the program uses.
//
// Names are written as the program writes them: "graphic\0Y.bmp", "BASE.KTX", "Base.ktx".
// resolvePath() turns backslashes into separators and matches each component without regard to
// case, so all three spellings of the text database find the one file on a case-sensitive disk.
#pragma once

#include <QString>
#include <map>
#include <optional>

namespace orbisca {

struct WorkingFolderState {
    QString path;  // absolute; empty means the process's current folder
    std::map<QString, QString>
        spellings;  // written path -> path found on disk, checked at each use
};

WorkingFolderState& workingFolderState();
void resetWorkingFolderState();

void setWorkingFolder(const QString& path);
// The working folder as an absolute path without a trailing separator.
QString workingFolder();

// Why `path` cannot be a working folder ("does not exist", "is a file, not a folder", "holds no
// BASE.KTX"); nothing when it is a folder with the text database in any letter case.
std::optional<QString> workingFolderProblem(const QString& path);

// The working folder used when none is given, for a program in `programFolder`: the folder the
// build assembles beside it ("<build>/bin" -> "<build>/home"); else, for an installed program
// ("<prefix>/bin" with "<prefix>/share/orbisca"), the user's own copy of the pack in
// "$XDG_DATA_HOME/orbisca" (by default "~/.local/share/orbisca"), made at the first start and
// never overwritten; else the current folder. A copy that cannot be made throws DataFileError.
QString defaultWorkingFolder(const QString& programFolder);

// The absolute path of a data file. Relative names are taken from the working folder. Each
// component that exists in some letter case takes the spelling found on disk (the exact spelling
// first, else the first match in name order); components that do not exist are kept as written,
// so the result also names a file that is about to be created. A spelling found once is kept
// while that file exists, so repeated reads do not list the folder again. Safe on any thread.
QString resolvePath(const QString& name);

}  // namespace orbisca
