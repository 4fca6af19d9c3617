#pragma once

class FileTypeAssociation;
class MessageService;

// Checked at every start of the first instance, once the main window shows:
// when an extension names us but the command names another program file
// (message 40021) or one that no longer exists (message 40022), the user is
// asked whether to make the association again; a failed repair gives 40023.
// Returns the CheckAll result.
int runAssociationStartupCheck(FileTypeAssociation& association, MessageService& messages,
                               void* owner = nullptr);
