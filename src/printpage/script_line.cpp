// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/script_line.h"

#include <QRegularExpression>
#include <array>
#include <climits>

#include "data/input_limits.h"
#include "data/text_file.h"

namespace orbisca {

std::string quotedForMessage(const QString& text) {
    std::string quoted(1, '"');
    quoted += escapeControlCharacters(text).toStdString();
    quoted += '"';
    return quoted;
}

namespace {

constexpr int kArgumentsStart = 5;  // index of the sixth character
constexpr int kMostFields = 7;      // FONT's

bool isWord(QStringView field, const char* word) {
    return field.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// A number whose magnitude is at most kMaxImageSide; a font that large already fills any canvas.
int boundedNumber(QStringView field, const char* what) {
    const int v = scriptNumber(field, what);
    if (v < -kMaxImageSide || v > kMaxImageSide)
        throw ScriptSyntaxError(std::string(what) +
                                " is out of range: " + quotedForMessage(field.toString()));
    return v;
}

int sideNumber(QStringView field, const char* what, int largest) {
    const int v = scriptNumber(field, what);
    if (v < 1 || v > largest)
        throw ScriptSyntaxError(std::string(what) + " must be 1 to " + std::to_string(largest) +
                                ", not " + quotedForMessage(field.toString()));
    return v;
}

// The leading fields and the tail of a command line, as views into the line.
struct ArgumentViews {
    std::array<QStringView, kMostFields> fields;
    QStringView tail;
};

ArgumentViews argumentViews(QStringView line, int leadingFields) {
    ArgumentViews args;
    qsizetype pos = kArgumentsStart;
    for (int i = 0; i < leadingFields; ++i) {
        // An empty field inside the line (two blanks) is read as empty: a number refuses it
        // when it is converted, a word (an empty alignment) takes its default.
        if (pos >= line.size())
            throw ScriptSyntaxError("field " + std::to_string(i + 1) + " is missing");
        qsizetype end = pos;
        while (end < line.size() && line[end] != u' ') ++end;
        args.fields[i] = line.sliced(pos, end - pos);
        pos = end + 1;
    }
    if (pos > line.size()) throw ScriptSyntaxError("the end of the line is missing");
    args.tail = line.sliced(pos);
    return args;
}

// A MOON colour component as QString::toInt reads it; plain digits are read here directly.
int componentNumber(QStringView part, bool& ok) {
    if (part.isEmpty() || part.size() > 9) return part.toInt(&ok);
    int v = 0;
    for (const QChar c : part) {
        const unsigned digit = unsigned(c.unicode()) - u'0';
        if (digit >= 10) return part.toInt(&ok);
        v = v * 10 + int(digit);
    }
    ok = true;
    return v;
}

// A PICT tail: 'file', or 'file' width height. A tail that ends in its quote is read as it always
// was, whatever it holds, so older scripts keep their meaning.
void readPictTail(const QString& tail, PictCommand& p) {
    static const QRegularExpression sized(QStringLiteral("^'(.*)' (-?\\d+) (-?\\d+)$"));
    const QRegularExpressionMatch match =
        tail.endsWith(u'\'') ? QRegularExpressionMatch() : sized.match(tail);
    if (!match.hasMatch()) {
        p.file = unquoteTail(tail);
        return;
    }
    p.file = match.captured(1);
    p.size = QSize(sideNumber(match.captured(2), "the picture width", kMaxImageSide),
                   sideNumber(match.captured(3), "the picture height", kMaxImageSide));
    if (const std::optional<QString> problem = pictureSizeProblem(p.size.width(), p.size.height()))
        throw ScriptSyntaxError("the picture size is too large: " + problem->toStdString());
}

}  // namespace

ScriptLineKind recogniseScriptLine(QStringView line) {
    if (line.startsWith(u'/')) return ScriptLineKind::Comment;
    if (line.startsWith(u'[')) return ScriptLineKind::Header;
    if (line.size() < 5) return ScriptLineKind::Ignored;
    char16_t ascii[4];
    bool plain = true;
    for (int i = 0; i < 4 && plain; ++i) {
        const char16_t c = line[i].unicode();
        plain = c < 128;
        ascii[i] = c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
    }
    // Other characters go through Unicode's upper case, where for example a dotless i is an I.
    const QString upper = plain ? QString() : line.first(4).toString().toUpper();
    const QStringView word = plain ? QStringView(ascii, 4) : QStringView(upper);
    if (word == u"FONT") return ScriptLineKind::Font;
    if (word == u"TEXT") return ScriptLineKind::Text;
    if (word == u"PICT") return ScriptLineKind::Pict;
    if (word == u"MOON") return ScriptLineKind::Moon;
    if (word == u"YEAR") return ScriptLineKind::Year;
    return ScriptLineKind::Ignored;
}

ScriptArguments splitScriptArguments(const QString& line, int leadingFields) {
    const ArgumentViews views = argumentViews(line, leadingFields);
    ScriptArguments args;
    for (int i = 0; i < leadingFields; ++i) args.fields << views.fields[i].toString();
    args.tail = views.tail.toString();
    return args;
}

int scriptNumber(QStringView field, const char* what) {
    // Only [-]digits: no plus sign, no blanks, no digits of other scripts. A magnitude beyond 64
    // bits is no number at all, one beyond 32 bits is out of range.
    const bool negative = field.startsWith(u'-');
    const quint64 largest = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    quint64 magnitude = 0;
    bool plain = field.size() > (negative ? 1 : 0);
    for (qsizetype i = negative ? 1 : 0; i < field.size() && plain; ++i) {
        const char16_t c = field[i].unicode();
        const unsigned digit = unsigned(c) - u'0';
        plain = digit < 10 && magnitude <= (largest - digit) / 10;
        magnitude = magnitude * 10 + digit;
    }
    if (!plain)
        throw ScriptSyntaxError(std::string(what) + " must be a whole number, not " +
                                quotedForMessage(field.toString()));
    if (magnitude > (negative ? quint64(-qint64(INT_MIN)) : quint64(INT_MAX)))
        throw ScriptSyntaxError(std::string(what) +
                                " is out of range: " + quotedForMessage(field.toString()));
    return negative ? int(-qint64(magnitude)) : int(magnitude);
}

QString unquoteTail(QStringView tail) {
    return tail.size() <= 2 ? QString() : tail.sliced(1, tail.size() - 2).toString();
}

QRgb scriptColour(int red, int green, int blue) {
    return qRgb(red & 0xff, green & 0xff, blue & 0xff);
}

void readMoonFill(QStringView tail, MoonCommand& moon) {
    moon.image = tail.compare(u"IMAGE", Qt::CaseInsensitive) == 0;
    moon.fill = qRgb(255, 255, 255);
    if (moon.image) return;
    // Three blank-separated numbers; only the first three parts count.
    int rgb[3];
    qsizetype pos = 0;
    for (int i = 0; i < 3; ++i) {
        qsizetype end = pos;
        while (end < tail.size() && tail[end] != u' ') ++end;
        bool ok = pos <= tail.size();
        rgb[i] = ok ? componentNumber(tail.sliced(pos, end - pos), ok) : 0;
        if (!ok || rgb[i] < 0) return;  // a component left unset or negative: white
        pos = end + 1;
    }
    moon.fill = scriptColour(rgb[0], rgb[1], rgb[2]);
}

ScriptCommand parseScriptLine(const QString& line) {
    const int leadingFields[] = {0, 0, 0, 7, 3, 6, 4, 2};
    const ScriptLineKind kind = recogniseScriptLine(line);
    const int fieldCount = leadingFields[int(kind)];
    const ArgumentViews a = fieldCount > 0 ? argumentViews(line, fieldCount) : ArgumentViews();
    switch (kind) {
        case ScriptLineKind::Font: {
            FontCommand f;
            f.size = boundedNumber(a.fields[0], "the font size");
            f.height = boundedNumber(a.fields[1], "the font height");
            f.colour =
                scriptColour(scriptNumber(a.fields[2], "red"), scriptNumber(a.fields[3], "green"),
                             scriptNumber(a.fields[4], "blue"));
            f.bold = isWord(a.fields[5], "BLD");
            f.italic = isWord(a.fields[6], "ITL");
            f.face = a.tail.toString();
            return f;
        }
        case ScriptLineKind::Text: {
            TextCommand t;
            t.x = scriptNumber(a.fields[0], "x");
            t.y = scriptNumber(a.fields[1], "y");
            t.centred = isWord(a.fields[2], "CNT");
            t.content = a.tail.toString();
            return t;
        }
        case ScriptLineKind::Pict: {
            PictCommand p;
            p.x = scriptNumber(a.fields[0], "x");
            p.y = scriptNumber(a.fields[1], "y");
            p.transparent =
                scriptColour(scriptNumber(a.fields[2], "red"), scriptNumber(a.fields[3], "green"),
                             scriptNumber(a.fields[4], "blue"));
            p.centred = isWord(a.fields[5], "CNT");
            readPictTail(a.tail.toString(), p);
            return p;
        }
        case ScriptLineKind::Moon: {
            MoonCommand m;
            m.x = scriptNumber(a.fields[0], "x");
            m.y = scriptNumber(a.fields[1], "y");
            m.size = sideNumber(a.fields[2], "the moon size", kMaxMoonSize);
            m.phase = scriptNumber(a.fields[3], "the moon phase");
            readMoonFill(a.tail, m);
            return m;
        }
        case ScriptLineKind::Year: {
            YearCommand y;
            y.x = scriptNumber(a.fields[0], "x");
            y.y = scriptNumber(a.fields[1], "y");
            y.scale = a.tail.toString();
            return y;
        }
        case ScriptLineKind::Ignored:
        case ScriptLineKind::Comment:
        case ScriptLineKind::Header:
            break;
    }
    return std::monostate{};
}

}  // namespace orbisca
