#pragma once

#include <QString>
#include <cstdint>

// The state of the open file, apart from its text (which the edit buffer
// holds): where it came from, how its bytes are written back, whether it
// differs from the file, and what the macro recorder and player are doing
// with it. The view, the document operations and the macro commands read and
// write this one object.
struct DocumentState {
    // The full path of the open file; empty for a new document.
    QString currentPath;
    // The folder the Open and Save As dialogs start in.
    QString lastFolder;
    // The character set (charset:: values) and line ending (lineending::
    // values) the next save writes.
    int charSet = -1;
    int lineEnding = 0;
    // The text, its set or its line ending changed since the last load or
    // save; the edit control's modified flag is kept apart from this.
    bool textChanged = false;
    // The file's last-write time when it was read or written (100 ns units).
    uint64_t fileTime = 0;
    // The name of this instance's value in the open-documents key; 0 when
    // nothing is registered.
    qint64 ownWindowHandle = 0;
    bool macroPlaying = false;
    bool macroRecording = false;
    // The file type chosen last in the Open and Save As dialogs (1-based).
    int filterIndex = 1;
};
