#include "mainwindow/ProgramMainBlock.h"
#include "shell/ShellServices.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(QStringLiteral("Wexmora"));
    ShellServices services;
    return ProgramMainBlock(QApplication::arguments().mid(1), services);
}
