#include "platform/widgets/QtFileChooser.h"

#include <QFileDialog>

QString QtFileChooser::chooseOpenFile(const FileDialogSetup &setup)
{
    return choose(false, setup);
}

QString QtFileChooser::chooseSaveFile(const FileDialogSetup &setup)
{
    return choose(true, setup);
}

QString QtFileChooser::choose(bool save, const FileDialogSetup &setup)
{
    QFileDialog dialog(m_parent, setup.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(FileDialogNameFilters(setup.filter));
    dialog.setDefaultSuffix(setup.defaultExtension);
    // A file that is there already is replaced only after the user agreed.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const auto last = m_lastFilter.constFind(setup.title);
    if (last != m_lastFilter.constEnd())
        dialog.selectNameFilter(*last);
    if (!setup.initialFileName.isEmpty())
        dialog.selectFile(setup.initialFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    m_lastFilter.insert(setup.title, dialog.selectedNameFilter());
    return dialog.selectedFiles().constFirst();
}
