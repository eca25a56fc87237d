// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/text_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QStringDecoder>
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
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder cyrillic("windows-1251");
    return cyrillic.decode(bytes);
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

std::optional<QStringList> readTextLines(const WorkingFolder& folder, const QString& name,
                                         QString* error, std::int64_t maxBytes) {
    const QString path = folder.resolve(name);
    CachedTextFiles& cache = folder.textCache();
    const std::optional<FileStamp> stamp = stampOf(path);
    const auto found = cache.files.find(path);
    if (stamp && found != cache.files.end() && found->second.stamp == *stamp)
        return found->second.lines;
    const std::optional<QByteArray> bytes = readRegularFile(path, name, error, maxBytes);
    if (!bytes) return std::nullopt;
    QStringList lines = splitTextLines(decodeText(*bytes));
    if (stamp) cache.files[path] = CachedTextFiles::File{*stamp, lines};
    return lines;
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
