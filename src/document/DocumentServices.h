#pragma once

#include "CharSetServices.h"
#include "FileSystem.h"
#include "OpenDocuments.h"

#include <QtGlobal>

class Settings;

// The services the document operations work with, owned by whoever builds the
// view (the application, or a test) and handed in.
struct DocumentServices {
    OpenDocuments& openDocuments;
    CharSetServices& charSets;
    FileSystem& fileSystem;
};

// One set of the document's services over the settings: the open-documents
// key of the settings' registry under this instance's handle, the character
// set services of the configured language library, and the file system it is
// given. Must outlive every view it is handed to.
class DocumentServiceSet {
  public:
    DocumentServiceSet(Settings& settings, Locale locale, qint64 ownHandle, FileSystem& fileSystem);

    DocumentServices services() { return DocumentServices{openDocuments_, charSets_, fileSystem_}; }

  private:
    CharSetServices charSets_;
    OpenDocuments openDocuments_;
    FileSystem& fileSystem_;
};
