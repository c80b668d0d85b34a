#pragma once
// The one command route: every menu item, tool bar button, key and context
// menu entry runs its command through the head target (the main frame), which
// passes it on to the view, the document and the application. A command
// without a handler is disabled, whichever way it comes.
#include "fw/CmdTarget.h"

// The head of the routing; nullptr leaves every command disabled.
void SetCommandRoute(CCmdTarget* pRoot);
CCmdTarget* CommandRoute();
// The enable and check state of a command as its handlers give it.
CCmdUI UpdateCommand(UINT id);
// Runs a command when it is enabled; false when it did not run.
bool RunCommand(UINT id);
