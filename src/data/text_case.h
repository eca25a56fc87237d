// SPDX-License-Identifier: GPL-3.0-or-later
// Per-word letter case of texts read from the text databases.
#pragma once

#include <QString>

namespace orbisca {

// Rewrites the case of each word: a word starts at the first character and at every character
// that follows a blank, and takes the next letter of the pattern: "A" capitalises the word
// (first character upper case, the rest lower case), "B" upper-cases it, "a" lower-cases it.
// Blanks stay; words beyond the pattern, or with another pattern letter, stay as they are.
// Case follows Unicode, so Cyrillic texts are shaped like Latin ones.
QString applyCasePattern(const QString& text, const QString& pattern);

}  // namespace orbisca
