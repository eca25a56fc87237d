// The data pack under share/, read where it is committed and never written.
#pragma once

#include <QFont>
#include <vector>

#include "../data/data_fixture.h"
#include "calendar/oracle.h"

namespace orbisca::packtest {

QString packPath(const QString& name);

// The lines of a pack file (UTF-8, LF); fails the calling test when it is missing or not UTF-8.
QStringList packLines(const QString& name);

// A line of "BASE.KTX" that the program reads. An ending is glued to the word before it and may
// be empty in a language without endings.
struct MappedLine {
    int line = 0;
    bool ending = false;
};
std::vector<MappedLine> baseLineMap();

// The files that the build copies into the working folder.
QStringList packFileNames();

// Font `index` of the table that readfonts() built; fails the test when it has none there.
QFont packFont(int index);

// A temporary working folder holding the pack as the build assembles it (share/ and the encoded
// "print.dat"), with the data layer's state reset when it is made and when it goes.
class PackWorkingFolder {
public:
    PackWorkingFolder();
    ~PackWorkingFolder() { testing::resetDataStates(); }

private:
    QTemporaryDir dir_;
};

}  // namespace orbisca::packtest
