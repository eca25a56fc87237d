// SPDX-License-Identifier: GPL-3.0-or-later
// The services of the program's own layers for a page: the notifier, the working folder and the
// drawing layer. The drawing origin is the full-mode window's: its owner sets drawingOrigin.
#pragma once

#include "printpage/print_page.h"

namespace orbisca {

PageServices ProgramPageServices();

}  // namespace orbisca
