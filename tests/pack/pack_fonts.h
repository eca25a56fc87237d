// The font table of the pack, for measuring texts the way the views draw them.
#pragma once

#include <QFont>

namespace orbisca::packtest {

// Creates the offscreen QGuiApplication that fonts need, once per test program.
void ensureGuiApplication();

// Font `index` (0..8) of the pack's "fdb.dat".
QFont packFont(int index);

}  // namespace orbisca::packtest
