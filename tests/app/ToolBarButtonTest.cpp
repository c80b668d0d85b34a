// Each tool-bar button shows the image of the command it runs, whatever the
// order of the buttons: images are found by command id, not by position.
#include <utility>
#include <vector>

#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "res/ToolBarImages.h"

namespace {

// What the button on screen shows at scale 1.
QImage Shown(QToolBar* bar, QAction* action) {
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    if (!button)
        return QImage();
    return button->icon().pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool ShowsItsOwnImage(QToolBar* bar, QAction* action) {
    const QImage own = ToolBarImage(action->data().toUInt());
    return !own.isNull() && Shown(bar, action) == own;
}

TEST(ToolBarButtons, EachShowsItsOwnCommandsImage) {
    AppFixture f;
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    QToolBar* bar = f.Frame().ToolBar();
    std::vector<QAction*> buttons;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        EXPECT_TRUE(ShowsItsOwnImage(bar, action)) << action->data().toUInt();
        buttons.push_back(action);
    }
    ASSERT_EQ(buttons.size(), 22u);

    // Two buttons that traded images are caught, whichever two they are.
    for (std::size_t i = 0; i < buttons.size(); ++i)
        for (std::size_t j = i + 1; j < buttons.size(); ++j)
            EXPECT_NE(Shown(bar, buttons[i]), Shown(bar, buttons[j]))
                << buttons[i]->data().toUInt() << " and " << buttons[j]->data().toUInt();
    QAction* undo = buttons[3];
    QAction* redo = buttons[4];
    const QIcon undoIcon = undo->icon();
    undo->setIcon(redo->icon());
    redo->setIcon(undoIcon);
    EXPECT_FALSE(ShowsItsOwnImage(bar, undo));
    EXPECT_FALSE(ShowsItsOwnImage(bar, redo));
}

} // namespace
