// The same library including its own header: proves the probe itself builds.
#include "core/ItemTable.h"
