#pragma once

#include "SafeSave.h"
#include "Subcommand.h"

#include <QByteArray>
#include <QString>

// Where convert's bytes go: standard output ("-"), or OUT through
// textfile::SafeSave, so that OUT appears or is replaced whole only when every
// byte was written and keeps what the old file carried. OUT must be a regular
// file or missing, after its symbolic links are followed (a link is written
// through to its target); a folder, a device, a pipe, a link loop or a
// read-only file is refused with the reason and left as it is; a read-only
// one is replaced only when `replaceReadOnly` asks for it, even for root.
// When OUT is IN itself, its old bytes are the user's only copy: the new
// bytes are then on the disk before they replace them.
class OutputFile {
  public:
    OutputFile(const QString& path, const QString& inputPath, bool replaceReadOnly, CliIo& io)
        : path_(path), inputPath_(inputPath), replaceReadOnly_(replaceReadOnly), io_(io) {}
    ~OutputFile() { cancel(); }

    bool open();
    bool write(const char* data, qsizetype size);
    bool commit();
    void cancel();

  private:
    bool refuse(const QString& why);
    bool fail(int error);

    QString path_;
    QString inputPath_;
    bool replaceReadOnly_;
    CliIo& io_;
    textfile::SafeSave save_;
    bool toFile_ = false;
    bool inPlace_ = false;
};
