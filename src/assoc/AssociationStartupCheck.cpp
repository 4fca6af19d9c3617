#include "AssociationStartupCheck.h"

#include "FileTypeAssociation.h"
#include "MessageService.h"
#include "StringTable.h"

int runAssociationStartupCheck(FileTypeAssociation& association, MessageService& messages,
                               void* owner) {
    const int result = association.CheckAll();
    if (result == FileTypeAssociation::CheckFine)
        return result;

    const QString caption = res::loadString(57344, QStringLiteral("Tavlo TextEditor"));
    const uint32_t questionId = result == FileTypeAssociation::CheckOtherProgram ? 40021 : 40022;
    const QString question = res::loadString(
        questionId, QStringLiteral("The file-type association is wrong.\n\nMake it again?"));
    const int answer = messages.show(question, caption,
                                     mb::MB_YESNO | mb::MB_ICONQUESTION | mb::MB_TOPMOST, owner);
    if (answer != mb::IDYES)
        return result;
    if (!association.RepairAll()) {
        messages.show(res::loadString(40023, QStringLiteral("Error Occured!")), caption,
                      mb::MB_OK | mb::MB_ICONERROR | mb::MB_TOPMOST, owner);
    }
    return result;
}
