// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/donation_details.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "data/atomic_file.h"
#include "data/data_state.h"
#include "data/donation_files.h"
#include "data/text_file.h"
#include "data/working_folder.h"

namespace orbisca {

namespace {

constexpr int kFirstLabelSection = 3;
constexpr int kBlankLinesAfterBlock = 4;
// The views of "Donation info.txt" as (country, currency) pairs, in their order.
constexpr std::array<std::pair<int, int>, 7> kDetailsFileChoices = {
    {{1, 0}, {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}}};

QStringList section(const DonationTexts& texts, int n) { return texts.sections.value(n); }

}  // namespace

QList<QStringList> splitSections(const QStringList& lines) {
    QList<QStringList> sections;
    QStringList current;
    for (const QString& line : lines) {
        if (line == kSectionEnd) {
            sections << current;
            current.clear();
        } else {
            current << line;
        }
    }
    if (!current.isEmpty()) sections << current;
    return sections;
}

std::optional<QString> donationTextProblem(const QStringList& lines) {
    for (int i = 0; i < lines.size(); ++i) {
        const bool control = std::any_of(lines[i].begin(), lines[i].end(), [](QChar c) {
            return c != u'\t' && (c.unicode() < 0x20 || c.unicode() == 0x7f);
        });
        if (control)
            return QStringLiteral("%1 line %2: a control character; the file is no text")
                .arg(kDonationTextFile)
                .arg(i + 1);
    }
    const qsizetype ends = lines.count(kSectionEnd);
    if (ends >= kDonationSections) return std::nullopt;
    return QStringLiteral(
               "%1 line %2: the file ends after %3 sections; its %4 sections each end "
               "with a line \"%5\"")
        .arg(kDonationTextFile)
        .arg(lines.size() + 1)
        .arg(ends)
        .arg(kDonationSections)
        .arg(kSectionEnd);
}

DonationTexts readDonationTexts(const WorkingFolder& folder) {
    DonationTexts texts;
    QString error;
    if (const std::optional<QStringList> lines = readTextLines(folder, kDonationTextFile, &error)) {
        if (const std::optional<QString> problem = donationTextProblem(*lines))
            texts.problems << *problem;
        else
            texts.sections = splitSections(*lines);
    } else {
        texts.problems << error;
    }
    const std::optional<QByteArray> content =
        readRegularFile(folder.resolve(kDonationDetailsFile), kDonationDetailsFile, &error);
    if (!content) {
        texts.problems << error;
        return texts;
    }
    DetailsReading details = readDetailsAsFarAsValid(*content);
    texts.details = std::move(details.entries);
    if (!details.problem.isEmpty())
        texts.problems << kDonationDetailsFile + QStringLiteral(": ") + details.problem;
    return texts;
}

QStringList greetingLines(const DonationTexts& texts) {
    return section(texts, 0) + section(texts, 2);
}

int detailsView(int country, int currency) {
    if (country < 0 || country >= kCountries || currency < 0 || currency >= kCurrencies) return -1;
    if (currency >= 2) return currency + 1;
    if (country == 1) return 2;
    return currency == 0 ? 1 : 0;
}

bool isRefusedChoice(int country, int currency) { return country == 1 && currency == 1; }

QStringList detailsLines(const DonationTexts& texts, int view) {
    QStringList lines;
    if (view < 0) return lines;
    const QStringList labels = section(texts, kFirstLabelSection + view);
    for (int i = 0; i < labels.size(); ++i)
        lines << labels[i] + u' ' + detailEntry(texts.details, view, i);
    return lines;
}

QStringList detailsFileLines(const DonationTexts& texts) {
    QStringList lines;
    for (const auto& [country, currency] : kDetailsFileChoices) {
        lines << detailsLines(texts, detailsView(country, currency));
        for (int i = 0; i < kBlankLinesAfterBlock; ++i) lines << QStringLiteral(" ");
    }
    return lines;
}

bool writeDetailsFileOnce(DataState& state, const DonationTexts& texts) {
    const QString path = state.folder.resolve(kDonationInfoFile);
    // Details that could not be read whole are not written: the file is written only once, and a
    // mended pack must still get its turn.
    if (!texts.problems.isEmpty() || QFileInfo::exists(path)) return false;
    QString error;
    if (writeFileAtomically(path, textFileContent(detailsFileLines(texts)), &error)) return true;
    state.notifier.notify(QStringLiteral("The donation details could not be saved. ") + error);
    return false;
}

DetailsPrintOut detailsPrintOut(const QStringList& lines) {
    constexpr int kLineStep = 15;
    DetailsPrintOut out;
    out.script << QStringLiteral("FONT 12 -16 0 0 0 bld nrm Arial");
    for (int i = 0; i < lines.size(); ++i)
        out.script << QStringLiteral("TEXT 20 ") + QString::number(kLineStep * i) +
                          QStringLiteral(" rgt '") + lines[i] + u'\'';
    out.canvas = QSize(670, kLineStep * int(lines.size()) + 40);
    return out;
}

bool remindAfter(DataState& state, int launches) {
    if (std::find(kRemindAfterChoices.begin(), kRemindAfterChoices.end(), launches) ==
        kRemindAfterChoices.end())
        return false;
    return writeLaunchFile(state, QString::number(launches));
}

bool neverRemind(DataState& state) { return writeLaunchFile(state, QStringLiteral("-1")); }

}  // namespace orbisca
