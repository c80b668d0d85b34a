#pragma once
// Command routing by command id: each target says whether it handles a
// command and, before a menu opens or when the program is idle, whether the
// command is enabled or checked. A command that no target handles is disabled.
//
// A target declares its commands once, in one table of {id, handler, enable
// rule, check rule} (CCommandTable below), and may pass what its table lacks
// on to other targets, in an order of its choosing (SetCommandChain). The
// base class walks the chain and the tables; no target inspects ids itself.
#include <initializer_list>
#include <span>
#include <vector>

#include "fw/Types.h"

struct CCmdUI {
    UINT m_nID = 0;
    bool m_bEnabled = true;
    int m_nCheck = 0;
    void Enable(bool b = true) { m_bEnabled = b; }
    void SetCheck(int n = 1) { m_nCheck = n; }
};

// One command of a target of class T. A rule left null means: always
// enabled, and no check state.
template <class T> struct CCommand {
    UINT id;
    void (*run)(T&);
    bool (*enabled)(T&) = nullptr;
    int (*checked)(T&) = nullptr;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Runs the command through the chain: the first table that has it runs
    // it when its rule enables it (a disabled command is handled by doing
    // nothing, however it is reached). False when no table has it.
    virtual bool OnCmdMsg(UINT id);
    // Fills the enable and check state from the first table that has the
    // command; false when none has it.
    virtual bool OnUpdateCmdUI(CCmdUI& cmdUI);
    // Whether the chain handles id and it may run now.
    bool IsEnabled(UINT id);

protected:
    // The targets asked in turn; where the chain names this target, its own
    // table is asked. Null entries are skipped. Without a chain, the own
    // table alone is asked.
    void SetCommandChain(std::initializer_list<CCmdTarget*> chain) { m_chain = chain; }

private:
    // Looks the command up in this target's own table only: false when it is
    // not there; otherwise fills cmdUI and, when run is set and the command
    // is enabled, runs it.
    virtual bool DispatchOwn(CCmdUI& /*cmdUI*/, bool /*run*/) { return false; }
    bool Dispatch(CCmdUI& cmdUI, bool run);

    std::vector<CCmdTarget*> m_chain;
};

// The base of a target with a table: T declares
//     static std::span<const CCommand<T>> Commands();
// and this class dispatches through it.
template <class T> class CCommandTable : public CCmdTarget {
protected:
    using Command = CCommand<T>;

private:
    bool DispatchOwn(CCmdUI& cmdUI, bool run) final {
        for (const Command& c : T::Commands()) {
            if (c.id != cmdUI.m_nID)
                continue;
            T& self = static_cast<T&>(*this);
            cmdUI.Enable(!c.enabled || c.enabled(self));
            if (c.checked)
                cmdUI.SetCheck(c.checked(self));
            if (run && cmdUI.m_bEnabled)
                c.run(self);
            return true;
        }
        return false;
    }
};
