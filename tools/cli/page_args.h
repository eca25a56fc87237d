// SPDX-License-Identifier: GPL-3.0-or-later
// What the commands that run printing scripts share: page sizes from the command line and a
// print page with the program's services.
#pragma once

#include <QSize>
#include <string>

#include "printpage/print_page.h"

namespace orbisca::cli {

// "WxH" with both sides 1..maxSide; a UsageError naming `what` otherwise.
QSize parseSize(const std::string& text, const std::string& what, long long maxSide);
// A size to draw a picture in: both sides 1..16384 and within the picture limits as a whole.
QSize parsePictureSize(const std::string& text, const std::string& what);

// The print page reset, with the program's services; its messages are kept for printNotices().
PrintPageState& preparePage(CommandContext& context);
// The messages kept since preparePage(), on stderr.
void printNotices(const CommandContext& context);

}  // namespace orbisca::cli
