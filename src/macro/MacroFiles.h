#pragma once

#include "Locale.h"
#include "Macro.h"

#include <QDate>
#include <QString>
#include <optional>

class Clock;
class MacroFileChooser;
class MessageService;

// What loading and saving a macro file need from around them.
struct MacroFileServices {
    MessageService& messages;
    Locale locale;
    const Clock& clock;
    // Runs the file dialog when no path is given; without one such a call
    // behaves as if the user cancelled.
    MacroFileChooser* chooser = nullptr;
    // The window that owns message boxes (a QWidget*), or nullptr.
    void* owner = nullptr;
};

namespace macrotext {
// "マクロファイルの読み込みでエラーが発生しました。\n\n%s"
QString readError(const QString& path);
// "マクロファイルの書き込み中にエラーが発生しました。\n\n%s"
QString writeError(const QString& path);
} // namespace macrotext

// Clears the macro, asks for a file when no path is given, and reads the file
// into the macro. Returns false when the user cancelled the dialog or the file
// could not be read (the message is shown); true otherwise, also when lines
// were rejected: the macro's report and has error tell.
bool MacroLoad(Macro& macro, const std::optional<QString>& path, const MacroFileServices& services);

// Writes the macro to the path, or to a file chosen in the save dialog when no
// path is given. The file is replaced only once it was written completely; on
// failure the message is shown, an old file stays as it was and false returns.
bool MacroSave(Macro& macro, const std::optional<QString>& path, const MacroFileServices& services);

// The writing part of MacroSave, without messages. On failure errorString
// tells why.
bool writeMacroFile(const Macro& macro, const QString& path, const QDate& date,
                    QString* errorString = nullptr);
