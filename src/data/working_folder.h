// SPDX-License-Identifier: GPL-3.0-or-later
// The working folder that holds every data file, and the resolver for the names the program uses.
//
// Names are written as the program writes them: "graphic\0Y.bmp", "BASE.KTX", "Base.ktx".
// resolvePath() turns backslashes into separators and matches each component without regard to
// case, so all three spellings of the text database find the one file on a case-sensitive disk.
#pragma once

#include <QString>
#include <array>
#include <map>
#include <optional>

namespace orbisca {

struct WorkingFolderState {
    QString path;  // absolute; empty means the process's current folder
    QString pack;  // read-only folder behind `path` (an installed pack); empty: none
    std::map<QString, QString>
        spellings;  // written path -> path found on disk, checked at each use
};

WorkingFolderState& workingFolderState();
void resetWorkingFolderState();

// Works in `path`. A name that `path` does not hold is read from `pack` when it is given, so the
// user's folder needs only the files the user writes or replaces.
void setWorkingFolder(const QString& path, const QString& pack = QString());
// The working folder as an absolute path without a trailing separator.
QString workingFolder();
// The read-only folder behind the working folder, or an empty string.
QString packFolder();

// The name a script gives a file the user chose: relative to the working folder (or to the pack
// behind it), with backslashes as the program writes its own names ("graphic\\sun.bmp"), when
// the file lies inside that folder; else the path as given, so a script keeps working when the
// working folder moves.
QString scriptFileName(const QString& path);

// The files an installed program writes that its pack brings with first contents: each is copied
// into the user's folder when that folder has no file of its name.
inline constexpr std::array<const char*, 4> kUserFiles = {"conf.dat", "WindWHP.dat", "strt.dat",
                                                          "~last.spt"};

// Why `path` cannot be a working folder ("does not exist", "is a file, not a folder", "holds no
// BASE.KTX"); nothing when it is a folder with the text database in any letter case.
std::optional<QString> workingFolderProblem(const QString& path);

// Sets the working folder used when none is given, for a program in `programFolder`: the folder
// the build assembles beside it ("<build>/bin" -> "<build>/home"); else, for an installed program
// ("<prefix>/bin" with "<prefix>/share/orbisca"), the user's own folder "$XDG_DATA_HOME/orbisca"
// (by default "~/.local/share/orbisca") in front of the installed pack, created when missing and
// given the kUserFiles it lacks, never overwriting one; else the current folder. Throws
// DataFileError when the user's folder cannot be made.
void useDefaultWorkingFolder(const QString& programFolder);

// The absolute path of a data file. Relative names are taken from the working folder, or from the
// pack behind it when only the pack holds them (so a new file is always made in the working
// folder). Each component that exists in some letter case takes the spelling found on disk (the
// exact spelling first, else the first match in name order); components that do not exist are
// kept as written, so the result also names a file that is about to be created. A spelling found
// once is kept while that file exists, so repeated reads do not list the folder again; a file
// put into the working folder in the exact spelling replaces the pack's at once. Safe on any
// thread.
QString resolvePath(const QString& name);

}  // namespace orbisca
