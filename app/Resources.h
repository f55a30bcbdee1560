#pragma once
// The pictures compiled into the program (res/resources.qrc). The GUI code lives in a static
// library, whose resources must be registered by hand before the first use.
#include <QString>

namespace dravik::app {

void EnsureResources();

// The resource path of a picture with words in it ("background.png"), drawn in the interface's
// language when there is such a drawing.
QString Picture(const char* name);

} // namespace dravik::app
