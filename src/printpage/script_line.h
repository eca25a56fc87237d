// SPDX-License-Identifier: GPL-3.0-or-later
// The printing-script language: recognising a line and reading its arguments.
//
// A command line is at least five characters long and starts with one of the words FONT, TEXT,
// PICT, MOON, YEAR in any case; the fifth character is the separator and is never looked at.
// Arguments start at the sixth character: a command has N leading fields, each ended by a single
// blank, and then a tail that runs to the end of the line as written. Lines starting with "/"
// are comments, lines starting with "[" are headers; every other line is ignored.
#pragma once

#include <QRgb>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <stdexcept>
#include <string>
#include <variant>

#include "gfx/image_io.h"

namespace orbisca {

// The message of a line that cannot be read ("TEXT needs a number for x, not \"ab\"").
class ScriptSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest side of a canvas, a moon disc or a picture, in pixels (the largest picture the
// drawing layer loads); the smallest is 1.
inline constexpr int kMaxImageSide = static_cast<int>(gfx::kMaxImageSide);
// The largest moon side a script may ask for: a moon is drawn through three pictures of its size.
inline constexpr int kMaxMoonSize = 4096;

// `text` in double quotes for a message, its control characters escaped ("\0", "\t").
std::string quotedForMessage(const QString& text);

enum class ScriptLineKind { Ignored, Comment, Header, Font, Text, Pict, Moon, Year };

inline const QString kSyntaxErrorStartMarker = QStringLiteral("///Syntax error:\\\\\\");
inline const QString kSyntaxErrorEndMarker = QStringLiteral("///Syntax error END\\\\\\");
// Lines from older versions that are deleted before a line runs.
inline const QString kOldSyntaxErrorLine = QStringLiteral("Syntax error:");
inline const QString kOldSyntaxErrorMarker = QStringLiteral("///Syntax error\\\\\\");

ScriptLineKind recogniseScriptLine(QStringView line);

// The N leading fields and the tail of a command line.
struct ScriptArguments {
    QStringList fields;
    QString tail;
};

// Splits the arguments after the command word. A missing field, or a line that ends before its
// tail, is a ScriptSyntaxError; an empty field (two blanks) is returned empty, for the number
// reader to refuse and a word to take its default.
ScriptArguments splitScriptArguments(const QString& line, int leadingFields);

// A decimal integer with an optional minus sign, within 32 bits; otherwise a ScriptSyntaxError
// naming `what`.
int scriptNumber(QStringView field, const char* what);

// The tail without its first and last character (the quotes, which are not checked).
QString unquoteTail(QStringView tail);

// A colour from three numbers, each reduced to its low byte.
QRgb scriptColour(int red, int green, int blue);

struct FontCommand {
    int size = 0;    // points, at most kMaxImageSide either way
    int height = 0;  // font height value: negative = character height in pixels; at most
                     // kMaxImageSide either way
    QRgb colour = 0;
    bool bold = false;
    bool italic = false;
    QString face;
};

struct TextCommand {
    int x = 0, y = 0;
    bool centred = false;
    QString content;  // the tail as written: a quoted literal or a variable name
};

struct PictCommand {
    int x = 0, y = 0;
    QRgb transparent = 0;
    bool centred = false;
    QString file;  // unquoted
    QSize size;    // the size to draw it at; empty: its own size
};

struct MoonCommand {
    int x = 0, y = 0;
    int size = 0;          // 1..kMaxMoonSize
    int phase = 0;         // as written; drawing clamps it into 0..100
    bool image = false;    // the moon picture instead of a flat colour
    QRgb fill = 0xffffff;  // white unless three non-negative numbers are given
};

struct YearCommand {
    int x = 0, y = 0;
    QString scale;  // carried along and rescaled, no effect on drawing
};

using ScriptCommand =
    std::variant<std::monostate, FontCommand, TextCommand, PictCommand, MoonCommand, YearCommand>;

// Reads one line: std::monostate for comments, headers and ignored lines, a command otherwise.
// Throws ScriptSyntaxError for a command line whose arguments cannot be read.
ScriptCommand parseScriptLine(const QString& line);

// The fill of a MOON line: "IMAGE" in any case, or red green blue.
void readMoonFill(QStringView tail, MoonCommand& moon);

// Formats a script number the way the writers do.
inline QString scriptInt(int v) { return QString::number(v); }

}  // namespace orbisca
