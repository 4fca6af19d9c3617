#pragma once

#include <QString>
#include <functional>

class Registry;

// The open-documents key: every running editor names the file it holds in
// ...\Tavlo Text Editor\OpenDocs, one REG_SZ value per instance, named by the
// instance's process id (the window handle of the device). Registry failures
// are silent: the file then counts as not open elsewhere, nothing is
// registered or removed.
class OpenDocuments {
  public:
    using IsAlive = std::function<bool(qint64 handle)>;

    // applicationKeyPath: "Software\Orvane\Tavlo Text Editor". ownHandle: this
    // instance's handle (the process id); isAlive says whether a handle still
    // belongs to a running instance.
    OpenDocuments(Registry& registry, QString applicationKeyPath, qint64 ownHandle,
                  IsAlive isAlive = &OpenDocuments::processExists);

    static constexpr const char* kKeyName = "OpenDocs";

    // Writes this instance's value with the path; ownWindowHandle receives the
    // handle written.
    void RegisterOpenDocument(const QString& path, qint64* ownWindowHandle);
    // True when another live instance has registered the same file. Values of
    // instances that no longer run are removed on the way.
    bool IsOpenElsewhere(const QString& path, qint64* ownWindowHandle);
    // Removes the value named by ownWindowHandle (nothing when it is 0).
    bool UnregisterOpenDocument(qint64 ownWindowHandle);

    qint64 ownHandle() const { return ownHandle_; }
    QString keyPath() const;

    // Whether a process with this id runs (a process of another user counts).
    static bool processExists(qint64 pid);
    // Two registered paths name the same file: the same text, or the same
    // file once links and "." / ".." are resolved.
    static bool isSamePath(const QString& a, const QString& b);

  private:
    Registry& registry_;
    QString appKeyPath_;
    qint64 ownHandle_;
    IsAlive isAlive_;
};
