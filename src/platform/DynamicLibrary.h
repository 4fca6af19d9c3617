#pragma once

#include <QString>

// A loaded shared object (dlopen), unloaded when the object goes away.
class DynamicLibrary {
  public:
    DynamicLibrary() = default;
    explicit DynamicLibrary(const QString& path) { load(path); }
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Unloads what was loaded before. Symbols are bound at once (RTLD_NOW) and
    // kept local to the library.
    bool load(const QString& path);
    void unload();
    bool isLoaded() const { return handle_ != nullptr; }
    const QString& path() const { return path_; }

    // nullptr when the library is not loaded or lacks the symbol.
    void* symbol(const char* name);
    template <typename F> F function(const char* name) { return reinterpret_cast<F>(symbol(name)); }

    // The loader's text for the last failure, empty after a success.
    const QString& errorString() const { return error_; }

  private:
    void* handle_ = nullptr;
    QString path_;
    QString error_;
};
