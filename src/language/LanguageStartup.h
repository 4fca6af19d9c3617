#pragma once

#include "UiLanguage.h"

#include <QString>
#include <functional>

class MessageService;
class Settings;

// What the user answered to the offer of another interface language.
struct LanguageOfferAnswer {
    bool accepted = false;
    bool dontCheckAgain = false;
};

// The interface language at start-up: registers the libraries of the
// language folder, brings back the library the user chose (or offers to
// forget it when it is missing or unusable), and offers the library of the
// system's language when it differs from the current one.
class LanguageStartup {
  public:
    using Offer = std::function<LanguageOfferAnswer(const LanguageLibraryEntry&)>;

    LanguageStartup(UiLanguage& language, Settings& settings, MessageService& messages,
                    Locale locale);

    // Registers the libraries of the language folder and brings back the
    // chosen one; before the main window is made.
    void run(const QString& folder);
    // Offers the system's language through `offer` (dialog 163) when the
    // setting asks for it; true when the interface switched.
    bool offerSystemLanguage(const Offer& offer);

  private:
    void restoreChosenLibrary();
    bool askToForget(uint32_t messageId, const QString& path);

    UiLanguage& language_;
    Settings& settings_;
    MessageService& messages_;
    Locale locale_;
};
