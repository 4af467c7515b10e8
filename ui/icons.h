// The program's pictures, drawn at run time: the window icon and the images
// of the buttons, by their resource numbers.
#pragma once

#include <QIcon>
#include <QPixmap>

// The icon numbered `id` (130 to 140), in 16 and 32 pixels; a null icon for
// any other number.
QIcon LoadIcon(int id);

// The icon numbered `id` drawn at `size` x `size` device pixels (a null
// pixmap for an unknown number).
QPixmap RenderIcon(int id, int size);
