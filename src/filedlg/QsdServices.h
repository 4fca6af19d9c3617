#pragma once

#include "Clock.h"
#include "FileSystem.h"
#include "MessageService.h"
#include "QsdSelectLogic.h"
#include "QsdShortcut.h"

// The services a file select dialog works with, injected by its caller.
struct QsdServices {
    FileSystem& fs;
    MessageService& messages;
    const Clock& clock;
    QsdCommonSettings& common; // the process's `common mode` values
    // Decodes ".lnk" texts (the ANSI code page); empty: the locale's encoding.
    QsdShortcutReader::Decoder lnkDecoder = {};
};
