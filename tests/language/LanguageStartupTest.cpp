#include "LanguageStartup.h"
#include "MessageService.h"
#include "StringTable.h"
#include "TempProfile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kPath = QStringLiteral("UI_LANGUAGE_DLL_PATH");
const QString kCheck = QStringLiteral("UI_LANGUAGE_CHECK_SYSTEM_UI");

class LanguageStartupTest : public testing::Test {
  protected:
    void TearDown() override { res::setResourceSource(nullptr); }

    // Runs the start-up for a user of `system` with the English library in
    // the language folder; returns the names offered.
    QStringList run(LANGID system, LanguageOfferAnswer answer = {}, UiLanguage* ui = nullptr) {
        QStringList offered;
        LanguageStartup startup(ui ? *ui : language, profile.settings(), messages,
                                Locale(system, system));
        startup.run(folder());
        startup.offerSystemLanguage([&](const LanguageLibraryEntry& entry) {
            offered << entry.name;
            return answer;
        });
        return offered;
    }
    QString folder() {
        const QString path = QDir(profile.folder()).filePath(QStringLiteral("language"));
        if (QDir().mkpath(path))
            QFile::copy(QStringLiteral(TAVLO_EN_LIBRARY), path + QStringLiteral("/tavlo-en.so"));
        return path;
    }

    TempProfile profile;
    UiLanguage language{profile.settings()};
    ScriptedMessageService messages;
};

struct ChosenCase {
    const char* path;
    const char16_t* firstLine;
};

class ChosenLibraryTest : public LanguageStartupTest,
                          public testing::WithParamInterface<ChosenCase> {};

TEST_P(ChosenLibraryTest, AnUnusableChoiceIsOfferedToBeForgotten) {
    const QString path = QString::fromUtf8(GetParam().path);
    profile.settings().writeString(kPath, path);
    messages.queueAnswer(mb::IDYES);
    run(0x0411);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              QString::fromUtf16(GetParam().firstLine) +
                  QStringLiteral("\n言語ライブラリの設定を解除しますか？\n\n") + path);
    EXPECT_EQ(messages.shown()[0].style, mb::MB_YESNO | mb::MB_ICONQUESTION);
    EXPECT_EQ(profile.settings().getString(kPath), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ChosenLibraryTest,
    testing::Values(
        ChosenCase{"/nonexistent/tavlo-xx.so", u"下記言語ライブラリが見つかりません。"},
        ChosenCase{TAVLO_V583_LIBRARY,
                   u"下記言語ライブラリのバージョンが現在のTavloテキストエディタのバージョンと一致しません。"},
        ChosenCase{TAVLO_NOT_A_LIBRARY,
                   u"下記言語ライブラリはTavloテキストエディタ用の言語ライブラリではありません。"}));

TEST_F(LanguageStartupTest, KeepsTheChoiceWhenTheUserSaysNo) {
    profile.settings().writeString(kPath, QStringLiteral("/nonexistent/tavlo-xx.so"));
    messages.queueAnswer(mb::IDNO);
    run(0x0411);
    EXPECT_EQ(profile.settings().getString(kPath), u"/nonexistent/tavlo-xx.so");
}

TEST_F(LanguageStartupTest, OffersTheSystemLanguageAndSwitchesWhenAccepted) {
    EXPECT_EQ(run(0x0409, {true, false}), QStringList{u"English"_qs});
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(language.currentLanguageId(), 0x0409);
    EXPECT_TRUE(profile.settings().getString(kPath).endsWith(u"/language/tavlo-en.so"));
    EXPECT_EQ(res::loadString(35030), u"Encoding");
    EXPECT_EQ(profile.settings().getInt(kCheck), 1);

    res::setResourceSource(nullptr);
    UiLanguage next(profile.settings());
    EXPECT_TRUE(run(0x0409, {}, &next).isEmpty()) << "the next start brings the choice back";
    EXPECT_EQ(next.currentLanguageId(), 0x0409);
}

TEST_F(LanguageStartupTest, DeclinedOfferCanBeSilencedForGood) {
    EXPECT_EQ(run(0x0409, {false, true}).size(), 1);
    EXPECT_EQ(language.currentLanguageId(), 0x0411);
    EXPECT_EQ(profile.settings().getString(kPath), QString());
    EXPECT_EQ(profile.settings().getInt(kCheck), 0);
    EXPECT_TRUE(run(0x0409).isEmpty());
}

TEST_F(LanguageStartupTest, NoOfferWhenTheSystemSpeaksTheCurrentLanguageOrNoLibraryMatches) {
    EXPECT_TRUE(run(0x0411).isEmpty());
    EXPECT_TRUE(run(0x0407).isEmpty());
}

} // namespace
