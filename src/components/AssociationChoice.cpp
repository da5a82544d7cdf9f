#include "components/AssociationChoice.h"

#include "components/TMILAssociate.h"
#include "platform/Prompter.h"

#include <QFileInfo>

void SetUpProgramAssociation(TMILAssociate &association, const QString &programPath)
{
    association.setKeyName(QFileInfo(programPath).completeBaseName());
    association.setPathToApp(programPath);
    association.setIconPath(programPath);
    association.setShell(programPath + QLatin1String(" \"%1\""));
    association.setTypeName(QStringLiteral("Wexmora File"));
}

bool ApplyAssociationChoice(TMILAssociate &association, bool associate, Prompter &prompter)
{
    const QString ext = QStringLiteral(".QDZ");
    // Both steps run: each stands on its own, and the box shows whatever came of them.
    bool ok = true;
    if (associate) {
        ok &= association.RegisterFileType();
        ok &= association.Associate(ext);
    } else {
        ok &= association.Unassociate(ext);
        ok &= association.UnregisterFileType();
    }
    if (!ok) {
        prompter.error(QStringLiteral(
            "The association of QDZ files with Wexmora could not be changed completely: the "
            "registry or the desktop's file type settings refused a write."));
    }
    return association.IsAssociated(ext);
}
