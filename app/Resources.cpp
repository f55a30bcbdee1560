#include "app/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function where it is used, so it must be used at
// global scope, not inside the namespace.
static void RegisterEditorResources() { Q_INIT_RESOURCE(resources); }

namespace dravik::app {

void EnsureResources()
{
    static const bool registered = (RegisterEditorResources(), true);
    (void)registered;
}

} // namespace dravik::app
