#include "shell/AppState.h"

AppStateRecord AppState;
