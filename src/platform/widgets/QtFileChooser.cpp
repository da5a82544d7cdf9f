#include "platform/widgets/QtFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

QString QtFileChooser::chooseOpenFile(const FileDialogSetup &setup)
{
    return choose(false, setup, m_open);
}

QString QtFileChooser::chooseSaveFile(const FileDialogSetup &setup)
{
    return choose(true, setup, m_save);
}

QString QtFileChooser::choose(bool save, const FileDialogSetup &setup, Memory &memory)
{
    QFileDialog dialog(m_parent, setup.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open picks an existing file; Save names one in an existing folder and asks before
    // overwriting (Qt's default for a save dialog, set here so it cannot be lost).
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    const QStringList filters = FileDialogNameFilters(setup.filter);
    dialog.setNameFilters(filters);
    // The filter index carries over from the dialog's previous use, whatever its list was.
    if (memory.filterIndex >= 0 && memory.filterIndex < filters.size())
        dialog.selectNameFilter(filters.at(memory.filterIndex));
    dialog.setDefaultSuffix(setup.defaultExtension);

    const QFileInfo initial(setup.initialFileName);
    if (!setup.initialFileName.isEmpty() && initial.fileName() != setup.initialFileName) {
        dialog.setDirectory(initial.absolutePath());
    } else if (!memory.folder.isEmpty()) {
        dialog.setDirectory(memory.folder);
    }
    if (!setup.initialFileName.isEmpty())
        dialog.selectFile(initial.fileName());

    const int result = m_runner ? m_runner(dialog) : dialog.exec();
    const int chosenFilter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    if (chosenFilter >= 0)
        memory.filterIndex = chosenFilter;
    if (result != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return {};
    memory.folder = QFileInfo(files.first()).absolutePath();
    return files.first();
}
