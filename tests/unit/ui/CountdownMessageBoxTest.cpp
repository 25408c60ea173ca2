// CountdownMessageBox: the countdown, the result codes and the label buttons' tags and looks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/CountdownMessageBox.h"

namespace plenvik {
namespace {

TEST(CountdownMessageBoxTest, ACountdownOfTenShowsNineAtOnceAndCancelsAfterTheTenthTick) {
    CountdownMessageBox form;
    int changes = 0;
    form.setChangeHandler([&] { ++changes; });
    EXPECT_EQ(form.Result(), kMsgBoxOpen);
    form.initialize("Aufl\u00F6sung", "Neue Aufl\u00F6sung behalten?\r\nZeile 2", 10);
    form.Show();
    EXPECT_EQ(form.Caption(), "Aufl\u00F6sung");
    EXPECT_EQ(form.lblTitle(), "Aufl\u00F6sung");
    EXPECT_EQ(form.txtMessage(), "Neue Aufl\u00F6sung behalten?\r\nZeile 2");
    EXPECT_EQ(form.lblInfo(), "Maske schlie\u00DFt in 9 Sek. ...");
    EXPECT_TRUE(form.TimerEnabled());
    EXPECT_GT(changes, 0);

    std::vector<std::string> texts;
    int ticks = 0;
    while (form.Visible() && ticks < 100) {
        form.timerFired();
        ++ticks;
        if (form.Visible()) texts.push_back(form.lblInfo());
    }
    EXPECT_EQ(ticks, 10) << "the window closes about ten seconds after it opened";
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts.front(), "Maske schlie\u00DFt in 8 Sek. ...");
    EXPECT_EQ(texts.back(), "Maske schlie\u00DFt in 0 Sek. ...");
    EXPECT_EQ(form.Result(), kMsgBoxCancelled);
    EXPECT_FALSE(form.TimerEnabled());
}

TEST(CountdownMessageBoxTest, WithoutTimeoutNothingCountsDown) {
    CountdownMessageBox form;
    form.initialize("T", "M", 0);
    form.Show();
    EXPECT_FALSE(form.TimerEnabled());
    EXPECT_EQ(form.lblInfo(), "");
    EXPECT_EQ(form.Result(), kMsgBoxOpen);
    EXPECT_TRUE(form.Visible());

    CountdownMessageBox longOne;
    longOne.initialize("T", "M", 1000);
    EXPECT_EQ(longOne.lblInfo(), "Maske schlie\u00DFt in 254 Sek. ...") << "at most 255 seconds";
}

TEST(CountdownMessageBoxTest, TheLabelButtonsActOnReleaseOverThemselves) {
    struct Case {
        bool ok;
        int result;
    };
    for (const Case c : {Case{true, kMsgBoxConfirmed}, Case{false, kMsgBoxCancelled}}) {
        CountdownMessageBox form;
        form.initialize("T", "M", 5);
        form.Show();
        c.ok ? form.okMouseDown() : form.cancelMouseDown();
        const MsgBoxButton& button = c.ok ? form.lblCmdOk() : form.lblCmdCancel();
        EXPECT_EQ(button.Tag, "DOWN");
        EXPECT_TRUE(button.pressed);
        EXPECT_TRUE(form.Visible());
        c.ok ? form.okMouseUp(true) : form.cancelMouseUp(true);
        EXPECT_EQ(button.Tag, "RUN");
        EXPECT_FALSE(button.pressed) << "the flat look comes back";
        EXPECT_EQ(form.Result(), c.result);
        EXPECT_FALSE(form.Visible());
        EXPECT_FALSE(form.TimerEnabled());
        form.timerFired();  // a tick already on its way
        EXPECT_EQ(form.Result(), c.result);
        form.queryUnload();
        EXPECT_EQ(form.Result(), c.result) << "the close box keeps an answer";
    }
}

TEST(CountdownMessageBoxTest, AReleaseElsewhereOrWithoutPressDoesNothing) {
    CountdownMessageBox form;
    form.initialize("T", "M", 0);
    form.Show();
    form.okMouseUp(true);
    EXPECT_EQ(form.Result(), kMsgBoxOpen) << "not marked";
    form.okMouseDown();
    form.okMouseUp(false);
    EXPECT_EQ(form.Result(), kMsgBoxOpen);
    EXPECT_EQ(form.lblCmdOk().Tag, "");
    EXPECT_FALSE(form.lblCmdOk().pressed);
    EXPECT_TRUE(form.Visible());
}

TEST(CountdownMessageBoxTest, TheCloseBoxCancels) {
    CountdownMessageBox form;
    form.initialize("T", "M", 3);
    form.Show();
    form.queryUnload();
    EXPECT_EQ(form.Result(), kMsgBoxCancelled);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.TimerEnabled());
}

}  // namespace
}  // namespace plenvik
