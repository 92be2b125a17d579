// The store's layer reaching up to the engine: the build must refuse it.
#include "protocol/ProtocolEngine.h"
