// The scripted user interface answers dialogs in the user's place: only the
// class it was given an answer for, the latest answer, and any other dialog
// is shown as it would be without a script.
#include <gtest/gtest.h>

#include "fw/UserInterface.h"

namespace {

// A dialog that, when shown, counts it and gives its own answer.
struct CountingDialog : CModalDialog {
    int shown = 0;
    int answer = IDCANCEL;
    int ShowModal() override {
        ++shown;
        return answer;
    }
};
struct OtherDialog : CountingDialog {};

TEST(ScriptedDialogs, AnswerOnlyTheirOwnClassAndShowEveryOther) {
    CScriptedUserInterface ui;
    int asked = 0;
    ui.AnswerDialogs<CountingDialog>([&](CountingDialog& d) {
        ++asked;
        d.answer = 42; // what the user would have filled in
        return IDOK;
    });
    CountingDialog answered;
    EXPECT_EQ(ui.DoModal(answered), IDOK);
    EXPECT_EQ(answered.shown, 0);
    EXPECT_EQ(answered.answer, 42);
    EXPECT_EQ(asked, 1);

    // A class derived from the answered one is a dialog of its own.
    OtherDialog other;
    other.answer = IDOK;
    EXPECT_EQ(ui.DoModal(other), IDOK);
    EXPECT_EQ(other.shown, 1);
    EXPECT_EQ(asked, 1);
}

TEST(ScriptedDialogs, ALaterAnswerReplacesTheEarlierOne) {
    CScriptedUserInterface ui;
    ui.AnswerDialogs<CountingDialog>([](CountingDialog&) { return IDOK; });
    ui.AnswerDialogs<CountingDialog>([](CountingDialog&) { return IDCANCEL; });
    CountingDialog d;
    EXPECT_EQ(ui.DoModal(d), IDCANCEL);
    EXPECT_EQ(d.shown, 0);
}

TEST(ScriptedDialogs, WithoutAnyAnswerTheDialogShows) {
    CScriptedUserInterface ui;
    CountingDialog d;
    d.answer = IDOK;
    EXPECT_EQ(ui.DoModal(d), IDOK);
    EXPECT_EQ(d.shown, 1);
    // The interface in force when none was set behaves the same way.
    EXPECT_EQ(AfxGetUserInterface().DoModal(d), IDOK);
    EXPECT_EQ(d.shown, 2);
}

} // namespace
