#pragma once

#include "FileSystem.h"

#include <QByteArrayView>
#include <QStringList>
#include <functional>

// Reads the editor's shortcuts: ".lnk" text files (a count, "#", the target
// path, in the ANSI code page) and symbolic links, this platform's own shortcuts.
class QsdShortcutReader {
  public:
    using Decoder = std::function<QString(QByteArrayView)>;

    explicit QsdShortcutReader(const FileSystem& fs, Decoder decoder = {});

    struct Target {
        QString path; // empty when the shortcut is invalid
        uint32_t attributes = 0xFFFFFFFF;
        bool valid() const { return !path.isEmpty(); }
        bool isFolder() const;
    };

    // True for a name whose last extension is ".lnk" (any case).
    static bool isLnkName(const QString& name);
    // Resolves a ".lnk" file or a symbolic link; anything else is invalid.
    Target resolve(const QString& path) const;
    Target readLnk(const QString& path) const;
    Target readSymlink(const QString& path) const;

    void setDecoder(Decoder decoder) {
        if (decoder)
            decoder_ = std::move(decoder);
    }
    // Folders tried for a relative ".exe" target, in order.
    void setProgramFolders(QStringList folders) { programFolders_ = std::move(folders); }

  private:
    Target targetOf(const QString& path) const;

    const FileSystem& fs_;
    Decoder decoder_;
    QStringList programFolders_{QStringLiteral("/Windows/"), QStringLiteral("/")};
};
