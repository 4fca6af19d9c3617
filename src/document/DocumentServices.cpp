#include "DocumentServices.h"

#include "ProfileStore.h"
#include "Settings.h"

DocumentServiceSet::DocumentServiceSet(Settings& settings, Locale locale, qint64 ownHandle,
                                       FileSystem& fileSystem)
    : charSets_([&settings] { return settings.getString(QStringLiteral("UI_LANGUAGE_DLL_PATH")); },
                locale),
      openDocuments_(settings.store().registry(), settings.store().applicationKeyPath(), ownHandle),
      fileSystem_(fileSystem) {}
