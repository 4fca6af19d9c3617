#include "LanguageStartup.h"

#include "MessageService.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QFileInfo>

namespace {
const QString kPathName = QStringLiteral("UI_LANGUAGE_DLL_PATH");
const QString kAutoRegisterName = QStringLiteral("UI_LANGUAGE_AUTO_REGIST_DLL");
const QString kCheckName = QStringLiteral("UI_LANGUAGE_CHECK_SYSTEM_UI");
constexpr LANGID kBuiltinLanguage = 0x0411;
} // namespace

LanguageStartup::LanguageStartup(UiLanguage& language, Settings& settings,
                                 MessageService& messages, Locale locale)
    : language_(language), settings_(settings), messages_(messages), locale_(locale) {}

void LanguageStartup::run(const QString& folder) {
    if (settings_.getInt(kAutoRegisterName) != 0)
        language_.autoRegister(folder);
    restoreChosenLibrary();
}

bool LanguageStartup::askToForget(uint32_t messageId, const QString& path) {
    const QString text = res::loadString(messageId, QString()) + QStringLiteral("\n\n") + path;
    const QString caption = res::loadString(sid::AFX_IDS_APP_TITLE, QString());
    return messages_.show(text, caption, mb::MB_YESNO | mb::MB_ICONQUESTION) == mb::IDYES;
}

void LanguageStartup::restoreChosenLibrary() {
    const QString path = settings_.getString(kPathName).trimmed();
    if (path.isEmpty())
        return;
    uint32_t problem = 0;
    if (!QFileInfo(path).isFile()) {
        problem = sid::IDS_LANGUAGE_LIBRARY_MISSING;
    } else {
        const language::Validation v = language::Validate(path, locale_.userDefaultLangId());
        if (v.result != language::RESULT_OK)
            problem = sid::IDS_LANGUAGE_LIBRARY_INVALID;
        else if (v.version != language::kAcceptedVersion)
            problem = sid::IDS_LANGUAGE_LIBRARY_VERSION;
        else if (!language_.SwitchTo(path, false))
            problem = sid::IDS_LANGUAGE_LIBRARY_INVALID;
    }
    if (problem != 0 && askToForget(problem, path))
        settings_.writeString(kPathName, QString());
}

bool LanguageStartup::offerSystemLanguage(const Offer& offer) {
    const LANGID system = locale_.userDefaultLangId();
    if (settings_.getInt(kCheckName) == 0 || system == language_.currentLanguageId())
        return false;
    for (const LanguageLibraryEntry& entry : language_.ListRegistered(system)) {
        const bool builtin = entry.path.isEmpty();
        if ((builtin ? kBuiltinLanguage : entry.languageId) != system)
            continue;
        const LanguageOfferAnswer answer = offer(entry);
        if (answer.dontCheckAgain)
            settings_.writeInt(kCheckName, 0);
        if (!answer.accepted || !language_.SwitchTo(entry.path, true))
            return false;
        settings_.writeString(kPathName, entry.path);
        return true;
    }
    return false;
}
