// Creating the window from the options, closing it and saving the options.
#include "mainwindow/TForm1.h"

void TForm1::FormClose()
{
}
