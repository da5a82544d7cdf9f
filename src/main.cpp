#include "mainwindow/ProgramIcon.h"
#include "mainwindow/ProgramMainBlock.h"
#include "platform/ApplicationIdentity.h"
#include "shell/ShellServices.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    SetApplicationIdentity();
    SetDesktopIdentity();
    ShellServices services;
    return ProgramMainBlock(QApplication::arguments().mid(1), services);
}
