// SPDX-License-Identifier: GPL-3.0-or-later
// The pack as the build assembles it loads through the program's own readers without an error or
// a message.
#include "data/donation_files.h"
#include "data/print_window_file.h"
#include "pack_files.h"

namespace orbisca::packtest {
namespace {

TEST(PackLoad, TheBuildAssemblesEveryFileIntoTheWorkingFolder) {
    for (const QString& name : packFileNames() + generatedFileNames())
        EXPECT_TRUE(QFile::exists(ORBISCA_HOME_DIR "/" + name)) << name;
    // A language pack goes into its subfolder, beside its own print.dat.
    for (const PackLanguage& language : packLanguages()) {
        if (language.code == std::string("en")) continue;
        for (const QString& name : languageFileNames(language) + QStringList{"print.dat"}) {
            const QString path = QString(ORBISCA_HOME_DIR "/%1/").arg(language.code) + name;
            EXPECT_TRUE(QFile::exists(path)) << path;
        }
    }
}

// The settings files load without a message (what conf.dat sets, orbisca-cli's config show
// test prints); the print manager's form starts at its defaults.
TEST(PackLoad, SettingsLoadWithoutAMessage) {
    PackWorkingFolder pack;
    DataState& data = pack.data;
    ASSERT_EQ(loadSettings(data), ConfigLoad::Loaded) << data.notifier.messages.join('\n');
    EXPECT_EQ(loadPrintWindowFiles(data).values, PrintWindowValues{});
    EXPECT_TRUE(data.notifier.messages.isEmpty()) << data.notifier.messages.join('\n');
}

// Each view of the donation details takes its lines from a fixed place in the list; every view
// has details at its place, all plainly marked as samples.
using PackDonation = PackTest;

TEST_P(PackDonation, DetailsStandAtTheirPlaces) {
    PackWorkingFolder pack(language());
    DataState& data = pack.data;
    QStringList details;
    ASSERT_NO_THROW(details = readDonationDetails(data.folder));
    EXPECT_EQ(details, textOf("donation_details.txt"));
    std::vector<QStringList> sections(1);
    for (const QString& line : textOf("donation.ktx")) {
        if (line == "%%%%")
            sections.emplace_back();
        else
            sections.back() << line;
    }
    ASSERT_EQ(sections.size(), 11u) << "ten sections, each ended by %%%%";
    EXPECT_TRUE(sections.back().isEmpty()) << "text after the last section";
    for (int option = 0; option < kDetailsOptions; ++option) {
        const QStringList& labels = sections[option + 3];
        ASSERT_FALSE(labels.isEmpty()) << "option " << option;
        const QStringList entries = details.mid(detailsBaseIndex(option), labels.size());
        EXPECT_EQ(entries.size(), labels.size()) << "option " << option;
        EXPECT_FALSE(entries.contains("")) << "option " << option;
        EXPECT_FALSE(entries.filter(QString::fromUtf8(language().sampleWord)).isEmpty())
            << "option " << option << " is not marked as sample details";
    }
}

ORBISCA_FOR_EACH_PACK_LANGUAGE(PackDonation);

}  // namespace
}  // namespace orbisca::packtest
