#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's own icons by resource number: 128 the program, 338/346 and 343/348 the
// schedule buttons, 339/341/347 the lamps, 362..369 the line commands. A number without an
// image gives a null pixmap.
QPixmap LoadResourceIcon(int id);
// The resource file of such an icon; "" for a number without one.
QString ResourceIconFile(int id);

// The program's own bitmaps by resource number: 372 and 373 the two frames of the measuring
// animation (180 x 61, opaque). A number without an image gives a null image.
QImage LoadResourceBitmap(int id);

// The toolbar image of a frame command; null when the command has none.
QIcon ToolbarIcon(int commandId);

// The program icon at every size drawn for it.
QIcon ProgramIcon();
