// The forms runtime, driven through the scripted host: window lifetime,
// option groups, slider notifications, modal display, unloading from inside
// a window's own handlers, the error policy and message boxes.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "tests/forms/test_window.h"
#include "tests/support/scripted_host.h"

namespace movarin_test {
namespace {

using forms::FormState;
using Events = std::vector<std::string>;

class FormsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(host.scriptErrors(), std::vector<std::string>{});
  }

  // Shows the main window and clicks its Command1, whose handler shows the
  // dialog modally, then records "modal returned"; steps are the user's part
  // while the dialog shows. True when the program ended.
  bool ClickToShowDialog(std::initializer_list<std::function<void()>> steps) {
    main.hooks["Command1_Click"] = [&] {
      dialog.ShowModal();
      main.events.push_back("modal returned");
    };
    for (const auto& step : steps) host.Then(step);
    main.Show();
    return host.RunUntilEnd([&] { main.Command(1).UserClick(); });
  }

  ScriptedHost host;
  forms::Application app{host};
  TestWindow main{app, kMainDesign, /*endsProgramOnClose=*/true};
  TestWindow dialog{app, kDialogDesign, /*endsProgramOnClose=*/false};
};

// ------------------------------------------------------------- lifetime --

TEST_F(FormsTest, AReferenceToAControlLoadsTheWindowHiddenOnce) {
  EXPECT_EQ(main.State(), FormState::kNotLoaded);
  EXPECT_EQ(main.hWnd(), 0u);

  EXPECT_EQ(main.Label1().Caption(), "Label");
  EXPECT_EQ(main.State(), FormState::kHidden);
  main.Text1();
  EXPECT_EQ(main.events, Events{"Form_Load"});
  EXPECT_EQ(host.viewLog(), Events{});  // loaded, never shown
  EXPECT_NE(main.hWnd(), 0u);
}

TEST_F(FormsTest, HideKeepsValuesUnloadDiscardsThem) {
  main.Show();
  main.Text1().SetText("game.exe");
  main.Slider1().SetValue(200);
  main.Option(1).SetValue(true);
  main.Label1().SetEnabled(false);

  main.Hide();
  EXPECT_EQ(main.State(), FormState::kHidden);
  EXPECT_EQ(main.Text1().Text(), "game.exe");
  EXPECT_EQ(main.Slider1().Value(), 200);
  EXPECT_TRUE(main.Option(1).Value());
  EXPECT_FALSE(main.Label1().Enabled());

  main.Unload();
  EXPECT_EQ(main.State(), FormState::kNotLoaded);
  EXPECT_EQ(main.hWnd(), 0u);

  EXPECT_EQ(main.Text1().Text(), "exemple.exe");
  EXPECT_EQ(main.Slider1().Value(), 175);
  EXPECT_FALSE(main.Option(1).Value());
  EXPECT_TRUE(main.Label1().Enabled());
  EXPECT_EQ(main.Count("Form_Load"), 2);
}

TEST_F(FormsTest, ViewFollowsStateAndIsToldOnlyOfRealChanges) {
  main.Show();
  main.Label1().SetCaption("Label");  // unchanged: nothing
  main.Label1().SetCaption("Other");
  main.Text1().SetText("x");
  main.Command(1).SetForeColor(0xFF0000);
  main.Command(1).SetForeColor(0xFF0000);
  main.Command(1).SetEnabled(false);
  main.Hide();
  main.Unload();
  main.Unload();  // not loaded: nothing
  EXPECT_EQ(host.viewLog(),
            (Events{"Main show", "Main.Label1", "Main.Text1", "Main.Command1",
                    "Main.Command1", "Main hide"}));
}

TEST_F(FormsTest, ReferencesFromFormLoadDoNotLoadAgain) {
  main.hooks["Form_Load"] = [&] { main.Slider1().SetValue(190); };
  main.Show();
  EXPECT_EQ(main.events, (Events{"Form_Load", "Slider1_Change"}));
  EXPECT_EQ(main.Slider1().Value(), 190);
}

// ---------------------------------------------------------- option group --

TEST_F(FormsTest, UserSelectsOneEnabledOptionOfItsContainer) {
  main.Show();
  main.Option(4).SetValue(true);  // another container
  main.events.clear();

  main.Option(1).UserClick();
  main.Option(3).UserClick();
  EXPECT_FALSE(main.Option(1).Value());
  EXPECT_TRUE(main.Option(3).Value());
  EXPECT_TRUE(main.Option(4).Value());
  EXPECT_EQ(main.events, (Events{"Option1_Click", "Option3_Click"}));

  main.Option(3).UserClick();  // reopens what it opens
  EXPECT_EQ(main.Count("Option3_Click"), 2);
  EXPECT_TRUE(main.Option(3).Value());

  main.Option(2).UserClick();  // disabled
  EXPECT_FALSE(main.Option(2).Value());
  EXPECT_TRUE(main.Option(3).Value());
  EXPECT_EQ(main.Count("Option2_Click"), 0);
  main.Option(2).SetEnabled(true);
  main.Option(2).UserClick();
  EXPECT_TRUE(main.Option(2).Value());
  EXPECT_FALSE(main.Option(3).Value());
}

TEST_F(FormsTest, AssignedOptionValueRaisesClickOnlyWhenItSelects) {
  main.Option(1).SetValue(true);
  main.Option(1).SetValue(true);
  EXPECT_EQ(main.Count("Option1_Click"), 1);

  main.Option(3).SetValue(true);
  EXPECT_FALSE(main.Option(1).Value());

  main.Option(3).SetValue(false);  // neither selected now, no event
  EXPECT_FALSE(main.Option(3).Value());
  EXPECT_FALSE(main.Option(1).Value());
  EXPECT_EQ(main.events,
            (Events{"Form_Load", "Option1_Click", "Option3_Click"}));
}

// ---------------------------------------------------------------- slider --

TEST_F(FormsTest, AssignmentRunsChangeInsideItOnlyWhenTheValueDiffers) {
  main.hooks["Slider1_Change"] = [&] {
    main.events.push_back("sees " + std::to_string(main.Slider1().Value()));
  };
  main.Slider1().SetValue(182);
  main.events.push_back("next statement");
  main.Slider1().SetValue(182);
  EXPECT_EQ(main.events, (Events{"Form_Load", "Slider1_Change", "sees 182",
                                 "next statement"}));
}

struct SliderCase {
  const char* what;
  std::int32_t start;
  std::function<void(forms::Slider&)> act;
  std::int32_t expected;
};

TEST_F(FormsTest, SliderStaysInItsRange) {
  const SliderCase cases[] = {
      {"drag beyond the maximum", 190,
       [](forms::Slider& s) { s.UserMoveTo(500); }, 210},
      {"drag below the minimum", 190,
       [](forms::Slider& s) { s.UserMoveTo(INT32_MIN); }, 175},
      {"drag onto the same value", 190,
       [](forms::Slider& s) { s.UserMoveTo(190); }, 190},
      {"assigned above the range: the nearest end", 190,
       [](forms::Slider& s) { s.SetValue(1000); }, 210},
      {"assigned below the range: the nearest end", 190,
       [](forms::Slider& s) { s.SetValue(-5); }, 175},
      {"assigned below the range at the minimum", 175,
       [](forms::Slider& s) { s.SetValue(0); }, 175},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    main.Unload();
    main.Slider1().SetValue(c.start);
    main.events.clear();
    c.act(main.Slider1());
    EXPECT_EQ(main.Slider1().Value(), c.expected);
    EXPECT_EQ(main.Count("Slider1_Change"), c.start == c.expected ? 0 : 1);
  }
}

// ----------------------------------------------------------------- input --

TEST_F(FormsTest, DisabledControlsIgnoreClicksAndMouseMoves) {
  main.Command(5).UserClick();
  main.Command(5).UserMouseMove();
  main.UserMouseMove();
  main.Text1().UserClick();
  main.Frame1().UserMouseMove();
  main.Text1().UserEdit("typed");  // no event
  EXPECT_EQ(main.events, (Events{"Form_Load", "Form_MouseMove", "Text1_Click",
                                 "Frame1_MouseMove"}));
}

TEST_F(FormsTest, CloseBoxEndsTheProgramOnTheMainWindowOnly) {
  dialog.Show();
  dialog.Text1().SetText("kept?");
  dialog.UserClose();
  EXPECT_EQ(dialog.State(), FormState::kNotLoaded);
  EXPECT_FALSE(host.ended());

  main.Show();
  EXPECT_TRUE(host.RunUntilEnd([&] { main.UserClose(); }));
  EXPECT_TRUE(host.ended());
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{});
}

// ----------------------------------------------------------------- modal --

TEST_F(FormsTest, ModalShowReturnsInsideTheHandlerOnceHidden) {
  dialog.hooks["Command1_Click"] = [&] { dialog.Hide(); };
  EXPECT_FALSE(ClickToShowDialog({[&] { dialog.Text1().UserEdit("game.exe"); },
                                  [&] {
                                    EXPECT_FALSE(app.AcceptsInput(main));
                                    dialog.Command(1).UserClick();
                                  }}));
  EXPECT_EQ(main.events,
            (Events{"Form_Load", "Command1_Click", "modal returned"}));
  EXPECT_EQ(dialog.State(), FormState::kHidden);
  EXPECT_EQ(dialog.Text1().Text(), "game.exe");
  EXPECT_EQ(host.stepsLeft(), 0u);
}

TEST_F(FormsTest, WhileADialogIsModalTheOtherWindowTakesNoInput) {
  EXPECT_FALSE(ClickToShowDialog({[&] {
    main.Command(4).UserClick();
    main.Option(1).UserClick();
    main.Slider1().UserMoveTo(200);
    main.Text1().UserEdit("x");
    main.UserMouseMove();
    main.Label1().UserMouseMove();
    main.UserClose();  // would end the program
    dialog.UserClose();
  }}));
  EXPECT_EQ(main.events,
            (Events{"Form_Load", "Command1_Click", "modal returned"}));
  EXPECT_EQ(main.Slider1().Value(), 175);
  EXPECT_EQ(main.Text1().Text(), "exemple.exe");
  EXPECT_FALSE(main.Option(1).Value());
}

TEST_F(FormsTest, InputAfterHideInTheSameStepReachesTheOtherWindow) {
  dialog.hooks["Command1_Click"] = [&] { dialog.Hide(); };
  ClickToShowDialog({[&] {
    dialog.Command(1).UserClick();
    main.Command(4).UserClick();
  }});
  EXPECT_EQ(main.Count("Command4_Click"), 1);
}

// ------------------------------------------ unloading inside own handlers --

// Each handler unloads its own window, then still reads and sets the
// control that raised it: it keeps its values until the next load, and
// takes no input.
struct UnloadCase {
  const char* what;
  const char* handler;
  std::function<void(TestWindow&)> input;
};

TEST_F(FormsTest, WindowUnloadsItselfFromItsOwnHandlers) {
  const UnloadCase cases[] = {
      {"button click", "Command1_Click",
       [](TestWindow& w) { w.Command(1).UserClick(); }},
      {"option click", "Option1_Click",
       [](TestWindow& w) { w.Option(1).UserClick(); }},
      {"option assigned", "Option1_Click",
       [](TestWindow& w) { w.Option(1).SetValue(true); }},
      {"slider moved", "Slider1_Change",
       [](TestWindow& w) { w.Slider1().UserMoveTo(180); }},
      {"slider assigned", "Slider1_Change",
       [](TestWindow& w) { w.Slider1().SetValue(180); }},
      {"mouse over a control", "Label1_MouseMove",
       [](TestWindow& w) { w.Label1().UserMouseMove(); }},
      {"mouse over the window", "Form_MouseMove",
       [](TestWindow& w) { w.UserMouseMove(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    main.Show();
    main.Label1().SetCaption("changed");
    forms::Control& label = main.Label1();
    host.ClearViewLog();
    main.hooks = {{c.handler, [&] {
                     main.Unload();
                     EXPECT_EQ(label.Caption(), "changed");
                     label.SetCaption("after unload");  // syncs no view
                     label.UserClick();  // ignored: would reload the window
                     EXPECT_EQ(host.viewLog().back(), "Main hide");
                   }}};
    c.input(main);
    EXPECT_EQ(main.State(), FormState::kNotLoaded);
    EXPECT_EQ(main.Count("Label1_Click"), 0);
    EXPECT_EQ(host.viewLog().back(), "Main hide");
    main.hooks.clear();
    EXPECT_EQ(main.Label1().Caption(), "Label");
  }
}

TEST_F(FormsTest, ModalDialogUnloadedByItsOwnHandlerLoadsAfreshWhenReached) {
  dialog.hooks["Command4_Click"] = [&] {
    forms::TextBox& text = dialog.Text1();
    dialog.Unload();
    text.SetText("still here");
    dialog.Text1().SetText("reloaded");  // a new load in the same event
  };
  ClickToShowDialog({[&] { dialog.Command(4).UserClick(); }});
  EXPECT_EQ(main.events.back(), "modal returned");
  EXPECT_EQ(dialog.State(), FormState::kHidden);
  EXPECT_EQ(dialog.Text1().Text(), "reloaded");
}

// ---------------------------------------------------------- error policy --

// Each row fails inside the handler of a click on Command1.
struct ErrorCase {
  const char* what;
  std::function<void(TestWindow&)> fail;
  const char* text;
};

TEST_F(FormsTest, UnhandledErrorIsReportedAndEndsTheProgram) {
  const ErrorCase cases[] = {
      {"file not found", [](TestWindow&) { throw forms::FileNotFound(); },
       "Run-time error '53':\n\nFile not found"},
      {"text of letters", [](TestWindow&) { forms::CLng("abc"); },
       "Run-time error '13':\n\nType mismatch"},
      {"beyond 32 bits", [](TestWindow&) { forms::CLng("2147483648"); },
       "Run-time error '6':\n\nOverflow"},
      {"any other exception", [](TestWindow&) { throw std::logic_error("x"); },
       "Run-time error '51':\n\nInternal error"},
      {"in the change an assignment raises",
       [](TestWindow& w) {
         w.hooks["Slider1_Change"] = [] { throw forms::TypeMismatch(); };
         w.Slider1().SetValue(190);
       },
       "Run-time error '13':\n\nType mismatch"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedHost host;
    forms::Application app{host};
    TestWindow w{app, kMainDesign, true};
    w.hooks["Command1_Click"] = [&] {
      c.fail(w);
      w.events.push_back("went on");
    };
    EXPECT_TRUE(host.RunUntilEnd([&] { w.Command(1).UserClick(); }));
    EXPECT_EQ(host.messages(),
              (std::vector<ShownMessage>{{c.text, 16, "Movarin", 1}}));
    EXPECT_EQ(w.Count("went on"), 0);
  }
}

TEST_F(FormsTest, ErrorInFormLoadReachesTheLoadingEvent) {
  main.hooks["Form_Load"] = [] { throw forms::Overflow(); };
  EXPECT_THROW(main.Show(), forms::RuntimeError);  // no event: the caller's
  main.Unload();
  EXPECT_TRUE(host.RunUntilEnd([&] { app.RaiseEvent([&] { main.Show(); }); }));
  EXPECT_EQ(main.State(), FormState::kHidden);  // never shown
  EXPECT_EQ(host.messages().back().text, "Run-time error '6':\n\nOverflow");
}

TEST_F(FormsTest, ErrorInsideAModalDialogEndsTheProgramThroughTheLoop) {
  dialog.hooks["Command1_Click"] = [] { throw forms::FileNotFound(); };
  EXPECT_TRUE(ClickToShowDialog({[&] { dialog.Command(1).UserClick(); }}));
  EXPECT_EQ(main.Count("modal returned"), 0);
  EXPECT_TRUE(app.AcceptsInput(main));
  EXPECT_EQ(host.messages().size(), 1u);
}

// ---------------------------------------------------------- message boxes --

// A script that does not fit the program is a fault of the test, recorded
// instead of hanging or guessing.
TEST(ScriptedHostTest, MissingStepsAndUnfittingAnswersAreScriptFaults) {
  ScriptedHost host;
  forms::Application app{host};
  TestWindow dialog{app, kDialogDesign, false};
  dialog.ShowModal();
  EXPECT_EQ(dialog.State(), FormState::kNotLoaded);
  EXPECT_EQ(app.MsgBox("Restart?", forms::kVbYesNo | 32), forms::kVbYes);
  host.Answer(forms::kVbCancel);
  EXPECT_EQ(app.MsgBox("Restart?", forms::kVbYesNo), forms::kVbYes);
  EXPECT_EQ(host.scriptErrors(),
            (Events{"no step left while Dialog is shown modally",
                    "no answer queued for the message box \"Restart?\"",
                    "answer 2 is no button of the message box \"Restart?\""}));
}

}  // namespace
}  // namespace movarin_test
