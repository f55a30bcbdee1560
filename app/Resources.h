#pragma once
// The pictures compiled into the program (res/resources.qrc). The GUI code lives in a static
// library, whose resources must be registered by hand before the first use.
namespace dravik::app {

void EnsureResources();

} // namespace dravik::app
