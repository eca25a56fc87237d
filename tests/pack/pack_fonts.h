// The font table of the pack, for measuring texts the way the views draw them.
#pragma once

#include <QFont>

namespace orbisca::packtest {

// Creates the offscreen QGuiApplication that fonts need, once per test program.
void ensureGuiApplication();

// Font `index` (0..8) of the font table that readfonts() built; fails the test when the table
// has no font there.
QFont packFont(int index);

}  // namespace orbisca::packtest
