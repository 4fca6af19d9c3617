#include "SettingsPages.h"

#include "CPPageColor.h"
#include "CPPageCustomize.h"
#include "CPPageEdit.h"
#include "CPPageFile.h"
#include "CPPageFont.h"
#include "CPPageInsertString.h"
#include "CPPageLanguage.h"
#include "CPPageMenu.h"
#include "CPPageTap.h"

std::vector<std::unique_ptr<SettingsPage>> settingsPages(SettingsContext& context) {
    std::vector<std::unique_ptr<SettingsPage>> pages;
    pages.push_back(std::make_unique<CPPageEdit>(context));
    pages.push_back(std::make_unique<CPPageFile>(context));
    pages.push_back(std::make_unique<CPPageTap>(context));
    pages.push_back(std::make_unique<CPPageFont>(context));
    pages.push_back(std::make_unique<CPPageColor>(context));
    pages.push_back(std::make_unique<CPPageMenu>(context));
    pages.push_back(std::make_unique<CPPageCustomize>(context));
    pages.push_back(std::make_unique<CPPageInsertString>(context));
    if (context.uiLanguage)
        pages.push_back(std::make_unique<CPPageLanguage>(context));
    return pages;
}
