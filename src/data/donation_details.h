// SPDX-License-Identifier: GPL-3.0-or-later
// What the donation reminder shows and writes, without a window: the greeting and the labels of
// "donation.ktx", the details of "print.dat" for a country and a currency, the file "Donation
// info.txt", the lines handed to the print manager, and the answers that go into "strt.dat".
//
// "donation.ktx" is a text of sections, each ended by a line "%%%%": section 0 and section 2 are
// the greeting (section 1 is not shown), sections 3 to 9 the labels of the seven views of the
// details. Line i of a view is its label i, a blank, and the entry detailsBaseIndex(view) + i.
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace orbisca {

struct DataState;
class WorkingFolder;

inline const QString kDonationTextFile = QStringLiteral("donation.ktx");
inline const QString kDonationDetailsFile = QStringLiteral("print.dat");
inline const QString kDonationInfoFile = QStringLiteral("Donation info.txt");
inline const QString kSectionEnd = QStringLiteral("%%%%");

// The sections of a text; lines after the last "%%%%" make a last section of their own.
QList<QStringList> splitSections(const QStringList& lines);
// The sections "donation.ktx" holds: the greeting's three and the labels of seven views.
inline constexpr int kDonationSections = 10;
// Why the lines are no "donation.ktx" (a control character: other data; fewer than ten sections
// ended by "%%%%"), naming the file and the line; nothing when they have its shape.
std::optional<QString> donationTextProblem(const QStringList& lines);

// Both files as far as they could be read, and why not further (one line per file; empty when
// both were read whole). Missing parts read as empty sections and empty entries.
struct DonationTexts {
    QList<QStringList> sections;
    QStringList details;
    QStringList problems;
};
// Reads "donation.ktx" and "print.dat" from the working folder. Never throws.
DonationTexts readDonationTexts(const WorkingFolder& folder);

// The greeting: section 0, then section 2.
QStringList greetingLines(const DonationTexts& texts);

// The lists of the details panel: two countries and six currencies.
inline constexpr int kCountries = 2;
inline constexpr int kCurrencies = 6;
// The view (0..6) of a country and a currency: for the first country the second currency is view 0
// and the first view 1; for the second country the first two currencies are both view 2; the
// others are currency + 1. -1 outside the lists.
int detailsView(int country, int currency);
// The second country cannot take the second currency (a payment that works only at home).
bool isRefusedChoice(int country, int currency);
// The lines of a view: label i, a blank, entry base + i; one line per label.
QStringList detailsLines(const DonationTexts& texts, int view);

// "Donation info.txt": the second country with the first currency, then the first country with
// each currency in turn (views 2, 1, 0, 3, 4, 5, 6), each block followed by four lines of one
// blank.
QStringList detailsFileLines(const DonationTexts& texts);
// Writes "Donation info.txt" in the working folder unless it exists or the texts were not read
// whole. True when it was written now; a failure is shown through the notifier.
bool writeDetailsFileOnce(DataState& state, const DonationTexts& texts);

// The details as a printing script and the canvas that holds them whole.
struct DetailsPrintOut {
    QStringList script;  // "FONT 12 -16 0 0 0 bld nrm Arial", then "TEXT 20 <15 i> rgt '<line i>'"
    QSize canvas;        // 670 x (15 x lines + 40)
    bool easyMode = true;
};
DetailsPrintOut detailsPrintOut(const QStringList& lines);

// "Remind me after": the launches the list offers, and its first choice.
inline constexpr std::array<int, 8> kRemindAfterChoices = {2, 5, 10, 20, 30, 40, 60, 80};
inline constexpr int kRemindAfterDefault = 5;
// Writes "strt.dat" so that the reminder is due after `launches` more starts; only the numbers of
// the list are taken (false otherwise, nothing written).
bool remindAfter(DataState& state, int launches);
// Writes "strt.dat" so that the reminder never comes again.
bool neverRemind(DataState& state);

}  // namespace orbisca
