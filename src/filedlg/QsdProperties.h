#pragma once

#include "FileSystem.h"
#include "QsdMessenger.h"

// The values of the file properties dialog and its attribute change, free of widgets.
struct QsdProperties {
    QString folder; // the folder (for a folder: its own path)
    QString name;   // the file name; empty for a folder
    uint32_t attributes = 0;
    uint64_t lastWriteTime = 0;
    uint64_t size = 0;

    // The attribute bits the dialog's check boxes edit.
    static constexpr uint32_t kEditable = 0x1 | 0x2 | 0x4 | 0x20 | 0x100;

    bool isFolder() const { return name.isEmpty() && (attributes & 0x10); }
    // The path attributes are applied to.
    QString path() const;

    // "1,234,567 バイト": the full 64-bit size with thousands separators.
    static QString sizeText(uint64_t size);
    // "2009年 3月 5日 14時07分09秒" in local time.
    static QString timeText(uint64_t lastWriteTime);
    // The old attributes with the editable bits taken from the boxes.
    static uint32_t combine(uint32_t old, uint32_t boxes);

    // Applies changed attributes; false after the failure message.
    bool apply(FileSystem& fs, const QsdMessenger& messenger, uint32_t boxes);
    // From a path found on disk (the tree's folder): a folder or a file record.
    static std::optional<QsdProperties> fromPath(const FileSystem& fs, const QString& path);
};
