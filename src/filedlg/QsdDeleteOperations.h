#pragma once

#include "FileSystem.h"
#include "QsdMessenger.h"
#include "QsdTypes.h"

#include <functional>
#include <vector>

// Delete of files and folder trees: the rows of the file list, a folder of
// the tree, and DeleteTree beneath both. A symbolic link is removed as a link;
// nothing behind it is touched.
class QsdDeleteOperations {
  public:
    QsdDeleteOperations(FileSystem& fs, const QsdMessenger& messenger) : fs_(fs), msg_(messenger) {}

    struct Row {
        QString name;
        bool selected = false;
        bool isFolder = false;
    };

    RESULT DeleteTree(const QString& path, bool interactive);
    // Deletes the selected rows of a list showing folder, walking from the
    // last row to the first; removed(index) is called for each row that went.
    // Returns false when nothing was asked (no rows) or the user declined.
    bool DeleteRows(const QString& folder, const std::vector<Row>& rows,
                    const std::function<void(int)>& removed);

    enum class FolderOutcome { Declined, Deleted, Partly, Cancelled, Failed };
    // Deletes a folder chosen in the tree after asking, with its summary messages.
    FolderOutcome DeleteFolder(const QString& folder);

  private:
    RESULT askReadOnly(const QString& path, uint32_t attributes, bool interactive);

    FileSystem& fs_;
    const QsdMessenger& msg_;
};
