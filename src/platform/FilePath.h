#pragma once

#include <QString>

// Path helpers of this platform: "/" separated paths, folders written with
// or without their trailing "/".
namespace filepath {

// Folder of a path with its trailing "/" ("/" for a path at the root).
QString folderOf(const QString& path);
// Last component of a path (without a trailing "/").
QString nameOf(const QString& path);
// The folder with a trailing "/".
QString withSlash(const QString& folder);
// The path without a trailing "/" (the root stays "/").
QString withoutSlash(const QString& path);
// The last extension with its dot, or empty when the name has no ".".
QString lastExtension(const QString& name);
// The name without its last extension.
QString withoutExtension(const QString& name);
// Collapses ".", ".." and repeated separators of an absolute path.
QString normalize(const QString& path);
// Whether two paths name the same place, compared as this file system does:
// by their canonical paths (exactly, when one can't be resolved).
bool samePath(const QString& a, const QString& b);
// Whether path lies inside folder (folder given with its trailing "/").
bool isInside(const QString& path, const QString& folder);

// A relative path joined to the current folder (read as its bytes); an
// absolute or empty path as it is.
QString absolutePath(const QString& path);
// The absolute path with "." and ".." resolved and symbolic links followed;
// for a path that doesn't exist yet, its existing folder part is resolved and
// the rest appended. Empty for an empty path.
QString canonicalPath(const QString& path);
// The user's documents folder (XDG), else the home folder; no trailing "/".
QString myDocumentsPath();
// The editor's own paths to this platform's: "\My Documents\" (any case) at
// the start becomes the documents folder, every "\" becomes "/".
QString toNativePath(const QString& editorPath);

} // namespace filepath
