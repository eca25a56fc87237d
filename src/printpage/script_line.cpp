// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpage/script_line.h"

#include <QRegularExpression>
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

bool isWord(const QString& field, const char* word) {
    return field.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// A number whose magnitude is at most kMaxImageSide; a font that large already fills any canvas.
int boundedNumber(const QString& field, const char* what) {
    const int v = scriptNumber(field, what);
    if (v < -kMaxImageSide || v > kMaxImageSide)
        throw ScriptSyntaxError(std::string(what) + " is out of range: " + quotedForMessage(field));
    return v;
}

int sideNumber(const QString& field, const char* what, int largest) {
    const int v = scriptNumber(field, what);
    if (v < 1 || v > largest)
        throw ScriptSyntaxError(std::string(what) + " must be 1 to " + std::to_string(largest) +
                                ", not " + quotedForMessage(field));
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

ScriptLineKind recogniseScriptLine(const QString& line) {
    if (line.startsWith(u'/')) return ScriptLineKind::Comment;
    if (line.startsWith(u'[')) return ScriptLineKind::Header;
    if (line.size() < 5) return ScriptLineKind::Ignored;
    const QString word = line.left(4).toUpper();
    if (word == u"FONT") return ScriptLineKind::Font;
    if (word == u"TEXT") return ScriptLineKind::Text;
    if (word == u"PICT") return ScriptLineKind::Pict;
    if (word == u"MOON") return ScriptLineKind::Moon;
    if (word == u"YEAR") return ScriptLineKind::Year;
    return ScriptLineKind::Ignored;
}

ScriptArguments splitScriptArguments(const QString& line, int leadingFields) {
    ScriptArguments args;
    qsizetype pos = kArgumentsStart;
    for (int i = 0; i < leadingFields; ++i) {
        if (pos > line.size())
            throw ScriptSyntaxError("field " + std::to_string(i + 1) + " is missing");
        qsizetype end = line.indexOf(u' ', pos);
        if (end < 0) end = line.size();
        // An empty field inside the line (two blanks) is read as empty: a number refuses it
        // when it is converted, a word (an empty alignment) takes its default.
        if (pos >= line.size())
            throw ScriptSyntaxError("field " + std::to_string(i + 1) + " is missing");
        args.fields << line.mid(pos, end - pos);
        pos = end + 1;
    }
    if (pos > line.size()) throw ScriptSyntaxError("the end of the line is missing");
    args.tail = line.mid(pos);
    return args;
}

int scriptNumber(const QString& field, const char* what) {
    bool ok = false;
    const qlonglong v = field.toLongLong(&ok, 10);
    // toLongLong also takes "+5" and blanks around digits; the language takes only [-]digits.
    bool plain = !field.isEmpty();
    for (qsizetype i = 0; i < field.size() && plain; ++i)
        plain = field.at(i).isDigit() ? field.at(i).unicode() < 128
                                      : (i == 0 && field.at(i) == u'-' && field.size() > 1);
    if (!ok || !plain)
        throw ScriptSyntaxError(std::string(what) + " must be a whole number, not " +
                                quotedForMessage(field));
    if (v < INT_MIN || v > INT_MAX)
        throw ScriptSyntaxError(std::string(what) + " is out of range: " + quotedForMessage(field));
    return static_cast<int>(v);
}

QString unquoteTail(const QString& tail) {
    return tail.size() <= 2 ? QString() : tail.mid(1, tail.size() - 2);
}

QRgb scriptColour(int red, int green, int blue) {
    return qRgb(red & 0xff, green & 0xff, blue & 0xff);
}

void readMoonFill(const QString& tail, MoonCommand& moon) {
    moon.image = tail.compare(u"IMAGE", Qt::CaseInsensitive) == 0;
    moon.fill = qRgb(255, 255, 255);
    if (moon.image) return;
    const QStringList parts = tail.split(u' ');
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = i < parts.size() ? parts[i].toInt(&ok) : 0;
        if (!ok || rgb[i] < 0) return;  // a component left unset or negative: white
    }
    moon.fill = scriptColour(rgb[0], rgb[1], rgb[2]);
}

ScriptCommand parseScriptLine(const QString& line) {
    switch (recogniseScriptLine(line)) {
        case ScriptLineKind::Font: {
            const ScriptArguments a = splitScriptArguments(line, 7);
            FontCommand f;
            f.size = boundedNumber(a.fields[0], "the font size");
            f.height = boundedNumber(a.fields[1], "the font height");
            f.colour =
                scriptColour(scriptNumber(a.fields[2], "red"), scriptNumber(a.fields[3], "green"),
                             scriptNumber(a.fields[4], "blue"));
            f.bold = isWord(a.fields[5], "BLD");
            f.italic = isWord(a.fields[6], "ITL");
            f.face = a.tail;
            return f;
        }
        case ScriptLineKind::Text: {
            const ScriptArguments a = splitScriptArguments(line, 3);
            TextCommand t;
            t.x = scriptNumber(a.fields[0], "x");
            t.y = scriptNumber(a.fields[1], "y");
            t.centred = isWord(a.fields[2], "CNT");
            t.content = a.tail;
            return t;
        }
        case ScriptLineKind::Pict: {
            const ScriptArguments a = splitScriptArguments(line, 6);
            PictCommand p;
            p.x = scriptNumber(a.fields[0], "x");
            p.y = scriptNumber(a.fields[1], "y");
            p.transparent =
                scriptColour(scriptNumber(a.fields[2], "red"), scriptNumber(a.fields[3], "green"),
                             scriptNumber(a.fields[4], "blue"));
            p.centred = isWord(a.fields[5], "CNT");
            readPictTail(a.tail, p);
            return p;
        }
        case ScriptLineKind::Moon: {
            const ScriptArguments a = splitScriptArguments(line, 4);
            MoonCommand m;
            m.x = scriptNumber(a.fields[0], "x");
            m.y = scriptNumber(a.fields[1], "y");
            m.size = sideNumber(a.fields[2], "the moon size", kMaxMoonSize);
            m.phase = scriptNumber(a.fields[3], "the moon phase");
            readMoonFill(a.tail, m);
            return m;
        }
        case ScriptLineKind::Year: {
            const ScriptArguments a = splitScriptArguments(line, 2);
            YearCommand y;
            y.x = scriptNumber(a.fields[0], "x");
            y.y = scriptNumber(a.fields[1], "y");
            y.scale = a.tail;
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
