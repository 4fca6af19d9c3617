#pragma once

#include "FileSystem.h"
#include "QsdMessenger.h"

// Creation of a new folder below a tree folder and renaming of a tree folder
// by label editing.
class QsdFolderOperations {
  public:
    QsdFolderOperations(FileSystem& fs, const QsdMessenger& messenger) : fs_(fs), msg_(messenger) {}

    static constexpr int kNewFolderLimit = 4095;

    // Creates "新規フォルダ(n)" with the first free n; returns its label, or
    // an empty string after the failure or limit message.
    QString NewFolder(const QString& parentFolder);

    enum class RenameOutcome { Unchanged, Renamed, EditAgain, Failed };
    // Ends label editing of a tree folder; newPath receives the renamed path.
    RenameOutcome RenameFolder(const QString& oldPath, const QString& label, QString& newPath);

  private:
    FileSystem& fs_;
    const QsdMessenger& msg_;
};
