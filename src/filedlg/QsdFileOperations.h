#pragma once

#include "CQSDFileClipboard.h"
#include "FileSystem.h"
#include "QsdMessenger.h"
#include "QsdTypes.h"

// Paste (copy or move) of files and folder trees from the file clipboard, with
// the conflict questions, copy naming and skip/stop rules. Every step takes
// an interactive flag; without it no message box is shown and the result code
// comes back at once. Symbolic links are copied and moved as links.
class QsdFileOperations {
  public:
    QsdFileOperations(FileSystem& fs, const QsdMessenger& messenger) : fs_(fs), msg_(messenger) {}

    RESULT PasteAll(CQSDFileClipboard& clipboard, const QString& destination, bool interactive);
    RESULT PasteFile(CQSDFileClipboard& clipboard, const QString& source,
                     const QString& destinationFolder, bool sameFolder, bool interactive);
    RESULT PasteFolder(CQSDFileClipboard& clipboard, const QString& source,
                       const QString& destinationFolder, bool sameFolder, bool interactive);
    RESULT CopyTree(const QString& source, const QString& destination, bool interactive);
    RESULT MoveTree(const QString& source, const QString& destination, bool interactive);
    RESULT CheckDestination(const QString& destination, bool sourceIsFolder, bool interactive);
    // The free copy name for a source pasted into its own folder.
    RESULT CopyName(const QString& source, const QString& folder, bool interactive, QString& name);

    static constexpr int kCopyNameLimit = 4095;

  private:
    enum class Transfer { Copy, Move };
    // Copies or moves every entry of the folder source into the folder
    // destination, sub-folders as whole trees. USER_CANCEL as soon as the user
    // cancels; otherwise USER_NO when any entry was left behind, else SUCCESS.
    RESULT transferEntries(const QString& source, const QString& destination, Transfer transfer,
                           bool interactive);
    RESULT failure(const QString& text, const QString& path, bool interactive, RESULT onOk);
    RESULT moveOneFile(const QString& source, const QString& destination, bool interactive);
    RESULT prepareFolder(const QString& destination, bool interactive);
    RESULT clearReadOnly(const QString& path, uint32_t attributes, bool interactive);

    FileSystem& fs_;
    const QsdMessenger& msg_;
};
