#include "DynamicLibrary.h"

#include <QFile>

#include <dlfcn.h>
#include <utility>

DynamicLibrary::~DynamicLibrary() {
    unload();
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), path_(std::move(other.path_)),
      error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        unload();
        handle_ = std::exchange(other.handle_, nullptr);
        path_ = std::move(other.path_);
        error_ = std::move(other.error_);
    }
    return *this;
}

bool DynamicLibrary::load(const QString& path) {
    unload();
    if (path.isEmpty()) {
        error_ = QStringLiteral("no library path given");
        return false;
    }
    ::dlerror();
    handle_ = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* text = ::dlerror();
        error_ = text ? QString::fromLocal8Bit(text) : QStringLiteral("cannot load %1").arg(path);
        return false;
    }
    path_ = path;
    error_.clear();
    return true;
}

void DynamicLibrary::unload() {
    if (handle_)
        ::dlclose(handle_);
    handle_ = nullptr;
    path_.clear();
}

void* DynamicLibrary::symbol(const char* name) {
    if (!handle_) {
        error_ = QStringLiteral("no library loaded");
        return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(handle_, name);
    const char* text = ::dlerror();
    if (text || !address) {
        error_ = text ? QString::fromLocal8Bit(text)
                      : QStringLiteral("%1: no such symbol").arg(QLatin1String(name));
        return nullptr;
    }
    error_.clear();
    return address;
}
