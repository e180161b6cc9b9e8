// The program under test: one app, made when first asked for, torn down as a process end would.
#pragma once

#include "shell/app.h"

App& Program();
// The windows go, dialogs first and the shell window last; the next Program() is a new app.
void EndProgram();
