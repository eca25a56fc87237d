// SPDX-License-Identifier: GPL-3.0-or-later
#include <QStringEncoder>

#include "data/conf_file.h"
#include "data/day_words.h"
#include "data/language.h"
#include "support/folder_fixture.h"

namespace orbisca::testing {
namespace {

QByteArray cp1251(const QString& text) { return QStringEncoder("windows-1251").encode(text); }

// The user's folder in `home`, the installed pack in home/pack, each with a Russian subfolder.
class Language : public WorkingFolderTest {
protected:
    void SetUp() override {
        WorkingFolderTest::SetUp();
        writeFile("pack/BASE.KTX", "pack English\n");
        writeFile("pack/DAYINFO.ktx", "pack day\n");
        writeFile("pack/ru/BASE.KTX", cp1251(QString::fromUtf8("пакет русский\r\n")));
        writeFile("conf.dat", "user settings\n");
        data.folder.set(home.path(), home.filePath("pack"));
    }
    QString line(const QString& file) { return readDatabaseLine(data.folder, 0, file); }
};

TEST_F(Language, TheLanguagesFoldersComeFirstThenTheFolderThenThePack) {
    EXPECT_EQ(line("BASE.KTX"), "pack English");
    data.folder.setLanguage("ru");
    EXPECT_EQ(line("BASE.KTX"), QString::fromUtf8("пакет русский"));
    EXPECT_EQ(line("Base.ktx"), QString::fromUtf8("пакет русский"));  // any letter case
    // What the language does not replace comes from the folder, then from the pack.
    EXPECT_EQ(line("DAYINFO.ktx"), "pack day");
    EXPECT_EQ(line("conf.dat"), "user settings");
    // A file the program makes goes into the user's folder, never into a language's.
    EXPECT_EQ(data.folder.resolve("new.dat"), home.filePath("new.dat"));
    // The user's own translation of a file stands before the installed one, at once.
    writeFile("ru/BASE.KTX", QString::fromUtf8("свой\n").toUtf8());
    EXPECT_EQ(line("BASE.KTX"), QString::fromUtf8("свой"));
    // Back to English: nothing read in Russian is left in the caches.
    data.folder.setLanguage("en");
    EXPECT_EQ(data.folder.language(), "");
    EXPECT_EQ(line("BASE.KTX"), "pack English");
}

TEST_F(Language, PacksAreListedByTheirOwnNamesAndOnlyATwoLetterCodeNamesOne) {
    writeFile("pack/BASE.KTX", QByteArray("x\n").repeated(base_line::kLanguageName) + "English\n");
    writeFile("pack/ru/BASE.KTX", cp1251(QString("x\r\n").repeated(base_line::kLanguageName) +
                                         QString::fromUtf8("Русский\r\n")));
    writeFile("de/readme.txt", "no BASE.KTX: no pack\n");
    writeFile("graphic/BASE.KTX", "not a code\n");
    writeFile("uk/base.ktx", "\n");  // a pack without its name line is listed by its code
    const std::vector<LanguagePack> packs = languagePacks(data.folder);
    ASSERT_EQ(packs.size(), 3u);
    EXPECT_EQ(packs[0].code, "en");
    EXPECT_EQ(packs[0].name, "English");
    EXPECT_EQ(packs[1].code, "ru");
    EXPECT_EQ(packs[1].name, QString::fromUtf8("Русский"));
    EXPECT_EQ(packs[2].name, "uk");
    EXPECT_EQ(languageCodes(packs), "en, ru, uk");
    for (const char* notAPack : {"de", "graphic", "../pack/ru", "pack", "", "xx"})
        EXPECT_FALSE(hasLanguagePack(data.folder, notAPack)) << notAPack;
}

TEST_F(Language, TheCommandLineStandsBeforeTheSettingAChangeIsAnnouncedOnceAndConfKeepsIt) {
    int changed = 0;
    QObject::connect(&data.texts, &TextsModel::textsChanged, [&changed] { ++changed; });
    data.settings.language = "ru";
    data.commandLineLanguage = "en";
    EXPECT_EQ(languageInForce(data), "en");
    data.commandLineLanguage.clear();
    EXPECT_TRUE(applyLanguage(data));
    EXPECT_FALSE(applyLanguage(data));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(data.folder.language(), "ru");
    // A setting that names no pack falls back as an empty one does.
    data.settings.language = "zz";
    EXPECT_NE(languageInForce(data), "zz");

    // An older conf.dat keeps the language in force. (How line 16 is written after the fifteen,
    // the conf file and configuration dialog tests show.)
    Settings settings;
    settings.language = "ru";
    const QStringList lines = confFileLines(settings);
    writeLines("conf.dat", confFileLines(Settings{}));
    Settings read = settings;
    EXPECT_EQ(readConfFile(data, read), ConfigLoad::Loaded);
    EXPECT_EQ(read.language, "ru");
    EXPECT_EQ(confLanguage(data.folder), std::nullopt);
    writeLines("conf.dat", lines);
    EXPECT_EQ(confLanguage(data.folder), "ru");
}

}  // namespace
}  // namespace orbisca::testing
