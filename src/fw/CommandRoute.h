#pragma once
// The one command route: every menu item, tool bar button, key and context
// menu entry runs its command through the head target (the main frame), which
// passes it on to the view, the document and the application. A command
// without a handler is disabled, whichever way it comes.
#include <functional>
#include <string>

#include "fw/CmdTarget.h"

// The head of the routing; nullptr leaves every command disabled.
void SetCommandRoute(CCmdTarget* pRoot);
CCmdTarget* CommandRoute();
// The enable and check state of a command as its handlers give it.
CCmdUI UpdateCommand(UINT id);
// Runs a command when it is enabled; false when it did not run.
bool RunCommand(UINT id);

// What puts things right when a command fails: an exception that leaves a
// command (no memory left, input beyond the memory budget, anything else)
// stops at the command's edge, so the program keeps running. Begin marks
// where the document stands before a command; after a command failed,
// Restore returns the document there and Tell shows the message (UTF-8).
class CCommandGuard {
public:
    virtual ~CCommandGuard() = default;
    virtual void Begin() = 0;
    virtual void Restore() = 0;
    virtual void Tell(const std::string& message) = 0;
};
// nullptr: failures are still caught, and nothing is put right.
void SetCommandGuard(CCommandGuard* pGuard);
// Runs a command's body at a command's edge (a command run from within
// another runs as part of that one); false when it failed.
bool GuardCommand(const std::function<void()>& body);
