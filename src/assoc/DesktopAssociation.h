#pragma once

#include <QProcessEnvironment>
#include <QString>

class Registry;

// Makes the program the desktop's default application for the MIME type of
// an associated extension, so that file managers open such files with it:
// `xdg-mime default tavlo.desktop <type>` writes the user's mimeapps.list.
// The entry that was the user's default before is kept in the registry,
// below HKEY_CLASSES_ROOT\<file type>\DesktopOldEntry (one value per MIME
// type, as OldEntry keeps the extension's old file type), and is given back
// when the association is cleared; with none kept, our line is removed.
class DesktopAssociation {
  public:
    struct Options {
        // The xdg-mime program; empty: looked up in the environment's PATH.
        QString xdgMime;
        // The file name of the installed desktop entry.
        QString desktopEntry = QStringLiteral("tavlo.desktop");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    };

    explicit DesktopAssociation(Registry& registry);
    DesktopAssociation(Registry& registry, Options options);

    // Empty when the desktop can be changed; otherwise why it can't, in words
    // for the user (xdg-mime missing, desktop entry not installed).
    QString unavailableReason() const;
    // The desktop's MIME type of files with this extension (".txt" gives
    // "text/plain"); empty when the desktop knows none.
    static QString mimeTypeFor(const QString& ext);

    // False when xdg-mime could not be run or failed. An extension without a
    // MIME type has nothing to change and succeeds.
    bool associate(const QString& ext, const QString& type);
    bool dissociate(const QString& ext, const QString& type);

    // The desktop entry the user's mimeapps.list names first as the default
    // for a MIME type; empty for none.
    QString userDefault(const QString& mimeType) const;
    QString mimeAppsListPath() const;

  private:
    QString xdgMimePath() const;
    bool desktopEntryInstalled() const;
    bool runXdgMime(const QString& entry, const QString& mimeType) const;
    bool removeUserDefault(const QString& mimeType) const;

    Registry& registry_;
    Options options_;
};
