#include "base/AppState.h"

AppStateRecord AppState;
