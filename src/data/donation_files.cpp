// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/donation_files.h"

#include <QLockFile>
#include <QtEndian>
#include <optional>
#include <utility>

#include "data/atomic_file.h"
#include "data/data_error.h"
#include "data/data_state.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {

const QString kLaunchFile = QStringLiteral("strt.dat");
const QString kLaunchLockFile = QStringLiteral("strt.dat.lock");
constexpr std::int32_t kCountLimit = 20000;

std::optional<std::int32_t> wholeNumber(const QString& text) {
    bool ok = false;
    const std::int32_t value = text.trimmed().toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

const QString kCounterNotSaved = QStringLiteral("The launch counter could not be saved. ");

// The two lines written in one step; why not, or nothing.
std::optional<QString> writeLaunchLines(const WorkingFolder& folder, const QString& count,
                                        const QString& left, const BeforeRename& beforeRename) {
    QString error;
    if (writeFileAtomically(folder.resolve(kLaunchFile), textFileContent({count, left}), &error,
                            beforeRename))
        return std::nullopt;
    return error;
}

// Two programs started on one working folder would both read the old count and write the same
// new one: the read and the write happen while this lock file is held. A lock left by a program
// that died is taken over (its process is gone, or it is older than the stale time).
class LaunchFileLock {
public:
    explicit LaunchFileLock(const WorkingFolder& folder) : lock_(folder.resolve(kLaunchLockFile)) {
        lock_.setStaleLockTime(kStaleLockMs);
    }
    bool acquire() { return lock_.tryLock(kLockWaitMs); }
    // The lock could not even be made (a read-only working folder), rather than being held.
    bool cannotBeMade() const { return lock_.error() != QLockFile::LockFailedError; }

private:
    static constexpr int kLockWaitMs = 3000;
    static constexpr int kStaleLockMs = 10000;
    QLockFile lock_;
};

// The lines of strt.dat as they are on disk now, never from a cache: another program may have
// written it a moment ago.
std::optional<QStringList> launchFileLines(const WorkingFolder& folder) {
    const std::optional<QByteArray> bytes =
        readRegularFile(folder.resolve(kLaunchFile), kLaunchFile, nullptr);
    if (!bytes) return std::nullopt;
    return splitTextLines(decodeText(*bytes));
}
// Characters below U+0020 are stored as they are; every other code has bits 0, 2 and 4 flipped
// (which keeps a code within its plane, a surrogate a surrogate).
char32_t substituteCharacter(char32_t c) { return c >= 0x20 ? c ^ 0x15 : c; }

void appendValue(QByteArray& out, std::int32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

}  // namespace

LaunchCount countLaunchQuietly(const WorkingFolder& folder, const BeforeRename& beforeRename) {
    LaunchCount result;
    LaunchFileLock lock(folder);
    if (!lock.acquire()) {
        // Held by another program for seconds: this start is not counted.
        result.lockCannotBeMade = lock.cannotBeMade();
        return result;
    }
    result.due = true;
    const std::optional<QStringList> lines = launchFileLines(folder);
    if (!lines) return result;
    std::optional<std::int32_t> count = wholeNumber(lines->value(0));
    std::optional<std::int32_t> left = wholeNumber(lines->value(1));
    if (!count || !left) return result;  // a damaged counter counts as a first launch
    if (*count > kCountLimit) count = 1;
    *count += 1;
    if (*left > 0) *left -= 1;
    result.due = *left == 0;
    if (result.due) left = -1;
    result.writeError =
        writeLaunchLines(folder, QString::number(*count), QString::number(*left), beforeRename);
    return result;
}

bool finishLaunchCount(DataState& state, const LaunchCount& count) {
    // A folder that takes no file counts no start at all, which is said once a run.
    if (count.lockCannotBeMade && !std::exchange(state.launchCountRefusalSaid, true))
        state.notifier.notify(QStringLiteral("The launches are not counted: the working folder "
                                             "\"%1\" cannot be written.")
                                  .arg(state.folder.path()));
    if (count.writeError) state.notifier.notify(kCounterNotSaved + *count.writeError);
    return count.due;
}

bool countLaunch(DataState& state) {
    return finishLaunchCount(state, countLaunchQuietly(state.folder, state.beforeRename));
}

bool writeLaunchFile(DataState& state, const QString& launchesLeft) {
    LaunchFileLock lock(state.folder);
    if (!lock.acquire()) {
        state.notifier.notify(
            QStringLiteral("The launch counter could not be saved: another Orbisca holds %1.")
                .arg(state.folder.resolve(kLaunchLockFile)));
        return false;
    }
    const std::optional<QString> error =
        writeLaunchLines(state.folder, QStringLiteral("1"), launchesLeft, state.beforeRename);
    if (error) state.notifier.notify(kCounterNotSaved + *error);
    return !error;
}

QString substituteDetails(const QString& text, char /*direction*/) {
    // Flipping the same bits twice gives the character back, so both directions are one mapping.
    QString result = text;
    for (QChar& c : result) c = QChar(static_cast<char16_t>(substituteCharacter(c.unicode())));
    return result;
}

QString upperCaseMarked(const QString& text, const QString& mask) {
    QString result = text;
    for (qsizetype i = 0; i < result.size() && i < mask.size(); ++i)
        if (mask.at(i) == u'U') result[i] = result.at(i).toUpper();
    return result;
}

namespace {

// One entry as it is read: its characters and, for each, whether a case mark follows it.
struct EntryInProgress {
    QList<char32_t> characters;
    QList<bool> marked;

    QString finish() const {
        QString text;
        for (qsizetype i = 0; i < characters.size(); ++i) {
            char32_t c = substituteCharacter(characters[i]);
            if (marked[i]) c = QChar::toUpper(c);
            // Values up to U+FFFF are UTF-16 units (the halves of a wide character come one by
            // one); a wider value is a whole character.
            if (c > 0xFFFF)
                text += QString::fromUcs4(&c, 1);
            else
                text += QChar(static_cast<char16_t>(c));
        }
        return text;
    }
};

}  // namespace

DetailsReading readDetailsAsFarAsValid(const QByteArray& content) {
    DetailsReading read;
    EntryInProgress entry;
    qsizetype entryStart = 0;
    const qsizetype whole = content.size() - content.size() % 4;
    for (qsizetype offset = 0; offset < whole; offset += 4) {
        const std::int32_t value = qFromLittleEndian<std::int32_t>(content.constData() + offset);
        if (value > 0x10FFFF) {
            read.problem = QStringLiteral(
                               "value %1 at byte %2 is not a character: the file is not a "
                               "print.dat (values must be -1, -2 or a character code)")
                               .arg(value)
                               .arg(offset);
            return read;
        }
        if (value >= 0) {
            entry.characters << char32_t(value);
            entry.marked << false;
        } else if (value == -1) {
            read.entries << entry.finish();
            entry = {};
            entryStart = offset + 4;
        } else if (entry.marked.isEmpty()) {
            read.problem = QStringLiteral(
                               "the case mark at byte %1 follows no character of its "
                               "entry")
                               .arg(offset);
            return read;
        } else {
            entry.marked.last() = true;
        }
    }
    if (whole != content.size())
        read.problem = QStringLiteral(
                           "the value at byte %1 is cut short (%2 bytes are not a whole "
                           "number of 4-byte values)")
                           .arg(whole)
                           .arg(content.size());
    else if (entryStart != content.size())
        read.problem =
            QStringLiteral(
                "the entry at byte %1 is not ended by -1 at the end of the file (byte %2)")
                .arg(entryStart)
                .arg(content.size());
    return read;
}

QStringList decodeDetails(const QByteArray& content) {
    DetailsReading read = readDetailsAsFarAsValid(content);
    if (!read.problem.isEmpty()) throw DataFileError(QStringLiteral("print.dat: ") + read.problem);
    return read.entries;
}

int detailsBaseIndex(int option) {
    static constexpr int kBase[kDetailsOptions] = {0, 20, 40, 56, 59, 62, 65};
    return option >= 0 && option < kDetailsOptions ? kBase[option] : -1;
}

QString detailEntry(const QStringList& entries, int option, int line) {
    const int base = detailsBaseIndex(option);
    if (base < 0 || line < 0) return QString();
    return entries.value(base + line);
}

QByteArray encodeDetails(const QStringList& entries) {
    QByteArray out;
    for (const QString& entry : entries) {
        QString plain;
        QString mask;
        for (QChar c : entry) {
            const QChar lower = c.toLower();
            const bool marked = lower != c && lower.toUpper() == c;
            plain += marked ? lower : c;
            mask += marked ? u'U' : u'a';
        }
        const QString stored = substituteDetails(plain, 'E');
        for (qsizetype i = 0; i < stored.size(); ++i) {
            appendValue(out, stored.at(i).unicode());
            if (mask.at(i) == u'U') appendValue(out, -2);
        }
        appendValue(out, -1);
    }
    return out;
}

QStringList readDonationDetails(const WorkingFolder& folder) {
    QString error;
    const std::optional<QByteArray> content = readRegularFile(
        folder.resolve(QStringLiteral("print.dat")), QStringLiteral("print.dat"), &error);
    if (!content) throw DataFileError(error);
    return decodeDetails(*content);
}

}  // namespace orbisca
