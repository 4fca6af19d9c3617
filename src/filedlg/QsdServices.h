#pragma once

#include "Clock.h"
#include "MessageService.h"
#include "QsdFileSystem.h"
#include "QsdSelectLogic.h"
#include "QsdShortcut.h"

// The services a file select dialog works with, injected by its caller.
struct QsdServices {
    QsdFileSystem& fs;
    MessageService& messages;
    const Clock& clock;
    QsdCommonSettings& common; // the process's `common mode` values
    // Decodes ".lnk" texts (the ANSI code page); empty: the locale's encoding.
    QsdShortcutReader::Decoder lnkDecoder = {};
};
