// SPDX-License-Identifier: GPL-3.0-or-later
// The donation reminder's files: the launch counter "strt.dat" and the details table "print.dat".
//
// "strt.dat": line 1 the launch count, line 2 the launches left before the reminder is due
// ("-1": never).
// "print.dat": signed 32-bit little-endian values. A value of 0 or more is the next character of
// the current entry (its code); -1 ends the entry; -2 or less marks the character read last to be
// upper-cased. A finished entry is put back through substituteDetails(.., 'D'), then its marked
// characters are upper-cased (upperCaseMarked).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "data/atomic_file.h"

namespace orbisca {

struct DataState;
class WorkingFolder;

// Counts this launch in "strt.dat" and answers whether the reminder is due. Without the file (the
// first launch), or with lines that are not whole numbers, the reminder is due and nothing is
// written. Otherwise: a count above 20000 restarts at 1, then the count goes up by one; launches
// left above 0 go down by one; when they reach 0 the reminder is due and they become -1. The file
// is rewritten in one step, while the lock file "strt.dat.lock" is held, so that two programs
// started on one folder count both launches; when the lock cannot be had within seconds, this
// launch is not counted and the reminder is not due.
bool countLaunch(DataState& state);

// countLaunch() in two steps, so that a start can count on another thread while it goes on: the
// count itself, which touches only the files and says nothing, and then, on the user-interface
// thread, what it has to say. finishLaunchCount() answers whether the reminder is due.
struct LaunchCount {
    bool due = false;
    bool lockCannotBeMade = false;  // the working folder takes no lock file: nothing was counted
    std::optional<QString> writeError;  // why the new count was not saved
};
LaunchCount countLaunchQuietly(const WorkingFolder& folder, const BeforeRename& beforeRename = {});
bool finishLaunchCount(DataState& state, const LaunchCount& count);

// Writes "strt.dat" with "1" and `launchesLeft` ("5" for "remind me after 5", "-1" for never),
// under the same lock.
bool writeLaunchFile(DataState& state, const QString& launchesLeft);

// The program's reversible character substitution of the details: 'E' encodes, 'D' decodes.
// Characters below U+0020 are kept; every other code has bits 0, 2 and 4 flipped.
QString substituteDetails(const QString& text, char direction);

// Upper-cases the characters whose mask letter is 'U'; the others stay exactly as they are.
QString upperCaseMarked(const QString& text, const QString& mask);

// The entries of print.dat content, read up to the first fault, and that fault in one line naming
// its byte offset (empty when there is none): a value above U+10FFFF, a case mark before the first
// character of its entry, a length that is not a whole number of values, or characters after the
// last -1 (content that does not end its last entry). Empty content holds no entries.
struct DetailsReading {
    QStringList entries;
    QString problem;
};
DetailsReading readDetailsAsFarAsValid(const QByteArray& content);
// The same, all or nothing: a fault throws DataFileError ("print.dat: " + the fault).
QStringList decodeDetails(const QByteArray& content);
// The content that decodeDetails turns back into `entries`: upper-case letters are stored in
// lower case with a mark, so that the substitution only ever sees one case.
QByteArray encodeDetails(const QStringList& entries);

// The donation window's views of the details: option 0..6 (country and currency) starts at a fixed
// index of the entries (0, 20, 40, 56, 59, 62, 65); -1 for any other option.
inline constexpr int kDetailsOptions = 7;
int detailsBaseIndex(int option);
// Entry `line` of the view `option`, or "" where the entries (or the option) do not reach.
QString detailEntry(const QStringList& entries, int option, int line);

// readDonationDetails: the entries of "print.dat" in the working folder; throws DataFileError when
// the file is missing or malformed.
QStringList readDonationDetails(const WorkingFolder& folder);

}  // namespace orbisca
