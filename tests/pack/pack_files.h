// SPDX-License-Identifier: GPL-3.0-or-later
// The data pack under share/, read where it is committed and never written: the English pack and
// each language pack, a subfolder of share/ holding the files that differ by language.
#pragma once

#include <QFont>
#include <optional>
#include <vector>

#include "calendar/oracle.h"
#include "support/folder_fixture.h"

namespace orbisca::packtest {

// A language of the pack, and what its texts say where a test looks for particular words.
struct PackLanguage {
    const char* code;        // "en": share/ itself; else the subfolder share/<code>/
    const char* encoding;    // the encoding its text files are written in
    const char* sampleWord;  // marks the sample donation details
    // The first words of the telectonon board's hints (Fieldhlp.ktx) for each kind of field.
    const char* dayHint;      // "%1" is the day of the moon, followed by a blank
    const char* sealHint;     // "%1" is the seal, followed by its name
    const char* pyramidHint;  // "%1" is the seal
    const char* cubeHint;     // followed by the cube's caption
    const char* signDialHint;
    const char* moonDialHint;
};
const std::vector<PackLanguage>& packLanguages();
inline void PrintTo(const PackLanguage& language, std::ostream* out) { *out << language.code; }
// Names a parameterised test after the language.
std::string languageName(const ::testing::TestParamInfo<PackLanguage>& info);

// The file of the pack that a program in `language` reads: the language pack's own, else the
// English pack's.
QString packPath(const QString& name, const PackLanguage& language = packLanguages().front());

// The lines of a pack file (LF); fails the calling test when it is missing or not in the
// language's encoding.
QStringList packLines(const QString& name, const PackLanguage& language = packLanguages().front());

// A line of "BASE.KTX" that the program reads. An ending is glued to the word before it and may
// be empty in a language without endings.
struct MappedLine {
    int line = 0;
    bool ending = false;
};
std::vector<MappedLine> baseLineMap();

// The files that the build copies into the working folder, those that a language pack replaces,
// and those the build makes there.
QStringList packFileNames();
QStringList languageFileNames(const PackLanguage& language);
QStringList generatedFileNames();

// The working folder that the build assembles, with the language pack laid over it.
void assemblePack(const QString& folder, const PackLanguage& language);

// A temporary working folder holding the pack in `language` as the build assembles it (share/
// and the files it makes), with a program state of its own working in it.
class PackWorkingFolder {
public:
    explicit PackWorkingFolder(const PackLanguage& language = packLanguages().front());

private:
    QTemporaryDir dir_;

public:
    ProgramState program;
    DataState& data = program.data;
};

// A test run once for each language of the pack.
class PackTest : public ::testing::TestWithParam<PackLanguage> {
protected:
    const PackLanguage& language() const { return GetParam(); }
    QStringList textOf(const QString& name) const { return packLines(name, language()); }
};

// The pack in a working folder with its font table loaded, and the lines of "BASE.KTX".
class PackFontsTest : public PackTest {
protected:
    static void SetUpTestSuite() { testing::ensureGuiApplication(); }
    void SetUp() override {
        program.fonts.load(data.folder);
        EXPECT_TRUE(data.notifier.messages.isEmpty()) << data.notifier.messages.join('\n');
    }
    // Font `index` of the pack's table; fails the test when the table has none there.
    QFont packFont(int index) const {
        EXPECT_TRUE(program.fonts.fonts.at(static_cast<std::size_t>(index)).has_value())
            << "fdb.dat has no font " << index;
        return program.fonts.font(index).font;
    }
    const QStringList base = textOf("BASE.KTX");

    PackWorkingFolder pack{language()};
    ProgramState& program = pack.program;
    DataState& data = pack.data;
};

#define ORBISCA_FOR_EACH_PACK_LANGUAGE(suite) \
    INSTANTIATE_TEST_SUITE_P(Languages, suite, ::testing::ValuesIn(packLanguages()), languageName)

}  // namespace orbisca::packtest
