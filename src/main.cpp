#include "mainwindow/TForm1.h"
#include "table/TableFile.h"

#include <QApplication>
#include <QStringList>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationName(QStringLiteral("Wexmora"));

    TForm1 window;
    window.InitTree();
    // A table named on the command line is opened as the table.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && !args.at(1).isEmpty())
        LoadConnectionTable(window.doc(), args.at(1), false);
    window.show();
    return QApplication::exec();
}
