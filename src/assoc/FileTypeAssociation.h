#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class Registry;

// The editor's registration as the program that opens .txt, .htm, .html,
// .xml, .inf, .ini and .mcr files, kept below HKEY_CLASSES_ROOT:
//   <ext>                          default value: the file-type name
//   <type>                         default value: the display name
//   <type>\shell\open\command      default value: "<program>" "%1"
//   <type>\DefaultIcon             default value: <program>,-135
//   <type>\OldEntry                default value: what <ext> named before
class FileTypeAssociation {
  public:
    // Results of CheckOne and CheckAll.
    enum CheckResult : int {
        CheckFine = 0,           // not ours, or ours and naming this program
        CheckMissingProgram = 1, // ours, naming a program file that no longer exists
        CheckOtherProgram = 2,   // ours, naming another existing program file
    };

    static constexpr int kDocumentIconId = 135;

    // programPath: the full path of the running program; empty = currentProgramPath().
    explicit FileTypeAssociation(Registry& registry, QString programPath = QString());

    // The running program's file, as /proc/self/exe names it.
    static QString currentProgramPath();
    // "\"<program>\" \"%1\"" and "<program>,-135".
    static QString commandFor(const QString& programPath);
    static QString iconEntryFor(const QString& programPath);
    // The file-type name of one of the seven extensions, empty for others.
    static QString fileTypeNameFor(const QString& ext);
    // The older spelling with a blank ("Tavlo Text"), empty for unknown types.
    static QString alternativeTypeName(const QString& type);

    const QString& programPath() const { return programPath_; }

    bool Register(const QString& ext, const QString& type, const QString& displayName);
    // The same with the texts taken from the string table; a missing string fails.
    bool Register(uint32_t extId, uint32_t typeId, uint32_t displayNameId);
    bool Unregister(const QString& ext, const QString& type);
    bool Unregister(uint32_t extId, uint32_t typeId);
    bool IsAssociated(const QString& ext, const QString& type, bool checkCommand);
    int CheckOne(const QString& ext, const QString& programPath);
    // The worst CheckOne over the extensions of string 35031; 2 outranks 1.
    int CheckAll();
    bool RepairCommand(const QString& ext, const QString& programPath);
    bool RepairAll();

  private:
    std::optional<QString> defaultValue(const QString& keyPath, uint32_t maxBytes);
    bool setDefaultValue(const QString& keyPath, const QString& value);
    bool keyExists(const QString& keyPath);
    QStringList checkedExtensions() const;

    Registry& registry_;
    QString programPath_;
};
