// Access to the data pack under share/ for the pack tests: the files are read where they are
// committed, never written.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "calendar/calendar.h"

namespace orbisca::packtest {

// Absolute path of a file of the pack.
QString packPath(const QString& name);

// The lines of a pack file (UTF-8, LF); a line end after the last line starts no further line.
// Fails the calling test when the file is missing or not valid UTF-8.
QStringList packLines(const QString& name);

// One entry of the line map of "BASE.KTX": a line that the program reads. An ending is a
// grammatical ending written directly after a word; languages without endings leave it empty.
struct MappedLine {
    int line = 0;
    bool ending = false;
};
std::vector<MappedLine> baseLineMap();

// The position fields that the affirmation reads (kin, sign, tone) for one kin.
MayanDate positionOfKin(int kin);

// The files that the build copies into the working folder, by name.
QStringList packFileNames();

// A temporary working folder holding the pack as the build assembles it: the files of share/ and
// the "print.dat" that the build encodes. The program's readers work on it while it lives; the
// data layer's state is reset when it is made and when it goes.
class PackWorkingFolder {
public:
    PackWorkingFolder();
    ~PackWorkingFolder();
    PackWorkingFolder(const PackWorkingFolder&) = delete;
    PackWorkingFolder& operator=(const PackWorkingFolder&) = delete;
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

}  // namespace orbisca::packtest
