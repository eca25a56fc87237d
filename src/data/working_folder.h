// SPDX-License-Identifier: GPL-3.0-or-later
// The working folder that holds every data file, and the resolver for the names the program uses.
//
// Names are written as the program writes them: "graphic\0Y.bmp", "BASE.KTX", "Base.ktx".
// WorkingFolder::resolve() turns backslashes into separators and matches each component without
// regard to case, so all three spellings of the text database find the one file on a case-sensitive
// disk.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace orbisca {

struct CachedTextFiles;

// One working folder: where its files are found, and the text files read from it so far. Two
// folders in one process are two objects that share nothing.
class WorkingFolder {
public:
    WorkingFolder();  // the process's current folder
    explicit WorkingFolder(const QString& path, const QString& pack = QString());
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // Works in `path`. A name that `path` does not hold is read from `pack` when it is given, so
    // the user's folder needs only the files the user writes or replaces.
    void set(const QString& path, const QString& pack = QString());
    // The folder as an absolute path without a trailing separator.
    QString path() const;
    // The read-only folder behind it, or an empty string.
    QString pack() const;

    // The language of the texts: "" for the folder's own texts (English), else the code of a
    // language pack ("ru"), a subfolder of the folder or of the pack that holds the texts that
    // differ by language. A change forgets the spellings found and the texts read, which belong
    // to the old language.
    void setLanguage(const QString& code);
    QString language() const;

    // The absolute path of a data file. Relative names are taken from the folder, or from the
    // pack behind it when only the pack holds them (so a new file is always made in the folder);
    // with a language chosen, the language's subfolder of the folder and then of the pack come
    // first.
    // Each component that exists in some letter case takes the spelling found on disk (the exact
    // spelling first, else the first match in name order); components that do not exist are
    // kept as written, so the result also names a file that is about to be created. A spelling
    // found once is kept while that file exists, so repeated reads do not list the folder again;
    // a file put into the folder in the exact spelling replaces the pack's at once. Safe on any
    // thread.
    QString resolve(const QString& name) const;

    // The text files read so far (text_file.h reads through them); used on the user-interface
    // thread only.
    CachedTextFiles& textCache() const { return *texts_; }

private:
    struct Found {
        QString path;
        std::size_t root = 0;  // of the folders searched, in their order
    };
    QStringList roots() const;  // the folders a relative name is looked for in, in order

    QString path_;
    QString pack_;
    QString language_;
    mutable std::mutex mutex_;
    mutable std::map<QString, Found> spellings_;  // written path -> path found on disk
    std::unique_ptr<CachedTextFiles> texts_;
};

// The name a script gives a file the user chose: relative to the working folder (or to the pack
// behind it), with backslashes as the program writes its own names ("graphic\\sun.bmp"), when
// the file lies inside that folder; else the path as given, so a script keeps working when the
// working folder moves.
QString scriptFileName(const WorkingFolder& folder, const QString& path);

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
void useDefaultWorkingFolder(WorkingFolder& folder, const QString& programFolder);

}  // namespace orbisca
