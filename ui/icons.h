// The program's pictures, drawn at run time: the window icon and the images
// of the buttons, by their resource numbers.
#pragma once

#include <QIcon>

// The icon numbered `id` (130 to 140), in 16 and 32 pixels; a null icon for
// any other number.
QIcon LoadIcon(int id);
