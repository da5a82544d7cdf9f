// The File menu's table commands and the close question.
#include "mainwindow/TForm1.h"

bool TForm1::FormCloseQuery()
{
    return true;
}
