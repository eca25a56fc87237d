// The services of the program's own layers for a page: the notifier, the working folder, the
// drawing origin of the full-mode window and the drawing layer.
#pragma once

#include "printpage/print_page.h"

namespace orbisca {

PageServices ProgramPageServices();

}  // namespace orbisca
