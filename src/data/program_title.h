// SPDX-License-Identifier: GPL-3.0-or-later
// The program's name and version as its windows and messages show them ("Orbisca v1.2"); the
// version is the project's, set in the top CMakeLists.txt.
#pragma once

#include <QString>

namespace orbisca {

inline QString programVersion() { return QStringLiteral(ORBISCA_VERSION); }
inline QString programTitle() { return QStringLiteral("Orbisca v" ORBISCA_VERSION); }
// The project's web address, set once in the top CMakeLists.txt.
inline QString programHomepage() { return QStringLiteral(ORBISCA_HOMEPAGE); }

}  // namespace orbisca
