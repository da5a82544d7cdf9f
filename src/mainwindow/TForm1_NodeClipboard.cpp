// Cut, copy and paste of the tree's branches through the node clipboard.
#include "mainwindow/TForm1.h"

void TForm1::cutNodes()
{
}

void TForm1::copyNodes()
{
}

void TForm1::pasteNodes()
{
}
