// Every command the user can reach — menus, the context menu, the tool bar
// and the keys — has its entry in the command table and a handler on the one
// route of the running editor, unless it is listed below as waiting for its
// feature. A feature that lands must take its ids off the list.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "fw/CommandRoute.h"
#include "res/CommandTable.h"

namespace {

// Shown, but disabled until the feature behind them exists. Every command of
// the menus, bars and keys has its feature now; a command added to them
// before its handler goes here until the handler lands.
const std::set<UINT> kWaitingForTheirFeature = {};

// Keys of the window rather than commands: with one pane there is nothing to
// move to, so they have no table entry and no handler.
const std::set<UINT> kPaneKeys = {ID_NEXT_PANE, ID_PREV_PANE};

struct Source {
    const char* name;
    std::vector<UINT> (*ids)();
};

std::vector<UINT> MenuBarIds() {
    std::vector<UINT> ids;
    for (const CMenuPopup& popup : MenuBarTable())
        for (const CMenuItem& item : popup.items)
            ids.push_back(item.id);
    return ids;
}

std::vector<UINT> ContextMenuIds() {
    std::vector<UINT> ids;
    for (const CMenuItem& item : ContextMenuTable())
        ids.push_back(item.id);
    return ids;
}

std::vector<UINT> ToolBarIds() {
    return ToolBarTable();
}

std::vector<UINT> AcceleratorIds() {
    std::vector<UINT> ids;
    for (const CAccelerator& a : AcceleratorTable())
        ids.push_back(a.id);
    return ids;
}

class CommandCoverage : public ::testing::TestWithParam<Source> {};

TEST_P(CommandCoverage, EveryIdHasAnEntryAndAHandlerOrIsListedAsWaiting) {
    AppFixture f;
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    CCmdTarget* route = CommandRoute();
    ASSERT_NE(route, nullptr);
    int commands = 0;
    for (UINT id : GetParam().ids()) {
        if (id == ID_SEPARATOR)
            continue;
        ++commands;
        CCmdUI ui;
        ui.m_nID = id;
        const bool handled = route->OnUpdateCmdUI(ui);
        if (kPaneKeys.count(id)) {
            EXPECT_FALSE(handled) << id << " now has a handler: take it off the pane keys";
            continue;
        }
        EXPECT_NE(FindCommand(id), nullptr) << id << " has no prompt in the command table";
        if (kWaitingForTheirFeature.count(id)) {
            EXPECT_FALSE(handled) << id << " has a handler now: take it off the waiting list";
            EXPECT_FALSE(UpdateCommand(id).m_bEnabled) << id;
        } else {
            EXPECT_TRUE(handled) << id << " has no handler on the route";
        }
    }
    EXPECT_GT(commands, 0);
}

INSTANTIATE_TEST_SUITE_P(Sources, CommandCoverage,
                         ::testing::Values(Source{"MenuBar", MenuBarIds},
                                           Source{"ContextMenu", ContextMenuIds},
                                           Source{"ToolBar", ToolBarIds},
                                           Source{"Accelerators", AcceleratorIds}),
                         [](const auto& info) { return std::string(info.param.name); });

// The lists name only ids the user can reach, so none lingers once its
// command is gone from every menu, bar and key.
TEST(CommandCoverageLists, NameOnlyReachableIds) {
    std::set<UINT> reachable;
    for (auto ids : {MenuBarIds, ContextMenuIds, ToolBarIds, AcceleratorIds})
        for (UINT id : ids())
            reachable.insert(id);
    for (UINT id : kWaitingForTheirFeature)
        EXPECT_TRUE(reachable.count(id)) << id;
    for (UINT id : kPaneKeys)
        EXPECT_TRUE(reachable.count(id)) << id;
}

} // namespace
