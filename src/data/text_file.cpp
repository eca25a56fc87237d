#include "data/text_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>
#include <map>

#include "data/data_error.h"
#include "data/error_log.h"
#include "data/working_folder.h"

namespace orbisca {

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder cyrillic("windows-1251");
    return cyrillic.decode(bytes);
}

std::optional<QByteArray> readRegularFile(const QString& path, const QString& label,
                                          QString* error) {
    auto failed = [&](const QString& why) -> std::optional<QByteArray> {
        if (error) *error = QStringLiteral("%1: %2").arg(label, why);
        return std::nullopt;
    };
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(info.st_mode))
        return failed(S_ISDIR(info.st_mode) ? QStringLiteral("is a folder, not a file")
                                            : QStringLiteral("is not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failed(file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return failed(file.errorString());
    return bytes;
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

// What identifies one version of a file: replaced files get a new inode, edited ones a new
// modification time or size.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    long long ctimeNs = 0;
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return FileStamp{info.st_dev, info.st_ino, info.st_size,
                     info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec,
                     info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec};
}

struct CachedFile {
    FileStamp stamp;
    QStringList lines;
};

// Read on the user-interface thread only.
struct TextCache {
    std::map<QString, CachedFile> files;
};

TextCache& textCache() {
    static TextCache cache;
    return cache;
}

}  // namespace

void clearTextCache() { textCache().files.clear(); }

std::optional<QStringList> readTextLines(const QString& name, QString* error) {
    const QString path = resolvePath(name);
    TextCache& cache = textCache();
    const std::optional<FileStamp> stamp = stampOf(path);
    const auto found = cache.files.find(path);
    if (stamp && found != cache.files.end() && found->second.stamp == *stamp)
        return found->second.lines;
    const std::optional<QByteArray> bytes = readRegularFile(path, name, error);
    if (!bytes) return std::nullopt;
    QStringList lines = splitTextLines(decodeText(*bytes));
    if (stamp) cache.files[path] = CachedFile{*stamp, lines};
    return lines;
}

QStringList requireTextLines(const QString& name) {
    QString error;
    std::optional<QStringList> lines = readTextLines(name, &error);
    if (!lines) throw DataFileError(error);
    return *lines;
}

QString readDatabaseLine(std::int32_t line, const QString& fileName) {
    if (line < 0) return QString();
    QString error;
    const std::optional<QStringList> lines = readTextLines(fileName, &error);
    if (!lines)
        throw FatalError(kErrorReadText, QStringLiteral("readtext in orbisca"),
                         {QStringLiteral("filename:") + fileName,
                          QStringLiteral("line:") + QString::number(line)},
                         error);
    return line < lines->size() ? lines->at(line) : QString();
}

}  // namespace orbisca
