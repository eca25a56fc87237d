// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/text_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "data/data_error.h"
#include "data/error_log.h"
#include "data/file_kind.h"
#include "data/working_folder.h"

namespace orbisca {
namespace {

// "cannot be read: permission denied": the system's reason after the verb, in lower case.
QString cannotBeRead(const QString& reason) {
    QString why = reason;
    if (!why.isEmpty()) why[0] = why[0].toLower();
    return QStringLiteral("cannot be read: ") + why;
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
    // Stateless: a sequence cut off at the end is an error, not a wait for more bytes.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder cyrillic("windows-1251");
    return cyrillic.decode(bytes);
}

namespace {

enum class LineBytes { Ascii, Utf8, Other };

LineBytes lineBytes(QByteArrayView line) {
    if (std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; }))
        return LineBytes::Ascii;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(line);
    return utf8.hasError() ? LineBytes::Other : LineBytes::Utf8;
}

const QByteArray kUtf8Bom("\xef\xbb\xbf");

// The first line end decides: a file converted by hand may end in LF where it was not.
bool firstLineEndsInCrLf(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\n');
    return end > 0 && bytes.at(end - 1) == '\r';
}

}  // namespace

std::optional<DecodedText> decodeTextFile(const QByteArray& bytes, QString* error) {
    DecodedText decoded;
    decoded.format.crlf = firstLineEndsInCrLf(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    decoded.text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (bytes.startsWith(kUtf8Bom)) decoded.format.encoding = TextEncoding::Utf8WithBom;
        return decoded;
    }
    // Lines split at LF, which is never part of a UTF-8 sequence: the one that disagrees with the
    // first line beyond ASCII is named.
    int firstWide = 0;
    LineBytes firstKind = LineBytes::Ascii;
    int number = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        ++number;
        const LineBytes kind = lineBytes(line);
        if (kind == LineBytes::Ascii) continue;
        if (firstKind == LineBytes::Ascii) {
            firstKind = kind;
            firstWide = number;
        } else if (kind != firstKind) {
            if (error) {
                auto name = [](LineBytes k) {
                    return k == LineBytes::Utf8 ? QStringLiteral("UTF-8")
                                                : QStringLiteral("not UTF-8 (Windows-1251)");
                };
                *error = QStringLiteral(
                             "line %1 is %2 but line %3 is %4: a file must be in one "
                             "encoding")
                             .arg(number)
                             .arg(name(kind))
                             .arg(firstWide)
                             .arg(name(firstKind));
            }
            return std::nullopt;
        }
    }
    decoded.format.encoding = TextEncoding::Windows1251;
    decoded.text = QStringDecoder("windows-1251").decode(bytes);
    return decoded;
}

QByteArray encodeTextLines(const QStringList& lines, const TextFormat& format) {
    const char* end = format.crlf ? "\r\n" : "\n";
    if (format.encoding == TextEncoding::Windows1251) {
        QStringEncoder cyrillic("windows-1251");
        QByteArray content;
        for (const QString& line : lines) content.append(cyrillic.encode(line)).append(end);
        // A character the code page lacks would come back as another one.
        if (!cyrillic.hasError() && QStringDecoder("windows-1251").decode(content) ==
                                        lines.join(QLatin1String(end)) + QLatin1String(end))
            return content;
    }
    QByteArray content = format.encoding == TextEncoding::Utf8WithBom ? kUtf8Bom : QByteArray();
    for (const QString& line : lines) content.append(line.toUtf8()).append(end);
    return content;
}

std::optional<QString> regularFileProblem(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        return errno == ENOENT ? reason : cannotBeRead(reason);
    }
    if (S_ISDIR(info.st_mode)) return QStringLiteral("is a folder, not a file");
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("is %1, not a regular file").arg(fileKindName(fileKindOf(path)));
    return std::nullopt;
}

std::optional<QByteArray> readRegularFile(const QString& path, const QString& label, QString* error,
                                          std::int64_t maxBytes) {
    auto failed = [&](const QString& why) -> std::optional<QByteArray> {
        if (error) *error = QStringLiteral("%1: %2").arg(label, why);
        return std::nullopt;
    };
    auto tooLarge = [&](std::int64_t size) {
        return failed(QStringLiteral("%1 bytes, more than the limit of %2 MB")
                          .arg(size)
                          .arg(maxBytes / kMegabyte));
    };
    if (const std::optional<QString> problem = regularFileProblem(path)) return failed(*problem);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failed(cannotBeRead(file.errorString()));
    if (file.size() > maxBytes) return tooLarge(file.size());
    // Read in chunks up to the end, so that a small file costs a small buffer, and a file that
    // grew since it was looked at is still refused once it passes the limit.
    QByteArray bytes;
    bytes.reserve(file.size());
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0) return failed(cannotBeRead(file.errorString()));
        if (got == 0) break;
        bytes.append(chunk, got);
        if (bytes.size() > maxBytes)
            return tooLarge(std::max<std::int64_t>(bytes.size(), file.size()));
    }
    return bytes;
}

QString escapeControlCharacters(const QString& text, bool keepLineBreaks) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        const bool control = code < 0x20 || (code >= 0x7f && code <= 0x9f);
        if (!control || (keepLineBreaks && code == u'\n')) {
            escaped += c;
        } else if (code == 0) {
            escaped += QLatin1String("\\0");
        } else if (code == u'\t') {
            escaped += QLatin1String("\\t");
        } else if (code == u'\n') {
            escaped += QLatin1String("\\n");
        } else if (code == u'\r') {
            escaped += QLatin1String("\\r");
        } else {
            escaped += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        }
    }
    return escaped;
}

QStringList splitTextLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    // A file converted to CR LF twice ends its lines in CR CR LF: every CR before the LF goes.
    for (QString& line : lines)
        while (line.endsWith(u'\r')) line.chop(1);
    return lines;
}

namespace {

std::optional<FileStamp> stampOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return FileStamp{info.st_dev, info.st_ino, info.st_size,
                     info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec,
                     info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec};
}

}  // namespace

void clearTextCache(const WorkingFolder& folder) { folder.textCache().files.clear(); }

std::optional<TextLines> readTextFile(const WorkingFolder& folder, const QString& name,
                                      QString* error, std::int64_t maxBytes) {
    const QString path = folder.resolve(name);
    CachedTextFiles& cache = folder.textCache();
    const std::optional<FileStamp> stamp = stampOf(path);
    const auto found = cache.files.find(path);
    if (stamp && found != cache.files.end() && found->second.stamp == *stamp)
        return TextLines{found->second.lines, found->second.format};
    const std::optional<QByteArray> bytes = readRegularFile(path, name, error, maxBytes);
    if (!bytes) return std::nullopt;
    QString why;
    const std::optional<DecodedText> decoded = decodeTextFile(*bytes, &why);
    if (!decoded) {
        if (error) *error = QStringLiteral("%1: %2").arg(name, why);
        return std::nullopt;
    }
    TextLines read{splitTextLines(decoded->text), decoded->format};
    if (stamp) cache.files[path] = CachedTextFiles::File{*stamp, read.lines, read.format};
    return read;
}

std::optional<QStringList> readTextLines(const WorkingFolder& folder, const QString& name,
                                         QString* error, std::int64_t maxBytes) {
    std::optional<TextLines> read = readTextFile(folder, name, error, maxBytes);
    if (!read) return std::nullopt;
    return std::move(read->lines);
}

std::optional<QStringList> readSettingsLines(const WorkingFolder& folder, const QString& name,
                                             QString* error) {
    const std::optional<QByteArray> bytes =
        readRegularFile(folder.resolve(name), name, error, kMaxDataFileBytes);
    if (!bytes) return std::nullopt;
    return splitTextLines(decodeText(*bytes));
}

QStringList requireTextLines(const WorkingFolder& folder, const QString& name) {
    QString error;
    std::optional<QStringList> lines = readTextLines(folder, name, &error);
    if (!lines) throw DataFileError(error);
    return *lines;
}

QString readDatabaseLine(const WorkingFolder& folder, std::int32_t line, const QString& fileName) {
    if (line < 0) return QString();
    QString error;
    const std::optional<QStringList> lines = readTextLines(folder, fileName, &error);
    if (!lines)
        throw FatalError(kErrorReadText, kSenderReadText,
                         {QStringLiteral("filename:") + fileName,
                          QStringLiteral("line:") + QString::number(line)},
                         error);
    return line < lines->size() ? lines->at(line) : QString();
}

}  // namespace orbisca
