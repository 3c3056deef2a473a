// The per-game dialog and the About window, driven from the main window:
// every transition of their lifecycles and what each leaves behind.
#include <string>
#include <vector>

#include "tests/ui/program_fixture.h"

namespace movarin_test {
namespace {

using forms::FormState;
using platform::emulated::ShellCall;
using std::nullopt;

constexpr const char* kOneGame = "To one game only";

class DialogTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    StartWith(Driver("2", nullopt));  // options enabled
  }
  // Selects Option1 (through Option2 when it is selected already) and runs
  // the steps queued for the dialog.
  void OpenPerGame() {
    ASSERT_FALSE(User([this] {
      if (form1().Option1().Value()) form1().Option2().UserClick();
      form1().Option1().UserClick();
    }));
  }
  void OpenAbout() {
    ASSERT_FALSE(User([this] { form1().Command2().UserClick(); }));
  }
};

// ------------------------------------------------------- per-game dialog --

TEST_F(DialogTest, OkKeepsTheNameHiddenAndShowsItInTheOptionCaption) {
  struct Case {
    const char* typed;  // nullptr: the placeholder left as it is
    const char* caption;
  };
  const Case cases[] = {
      {nullptr, "To one game only : exemple.exe"},
      {"quake3.exe", "To one game only : quake3.exe"},
      {"   ", "To one game only :    "},
  };
  for (const Case& c : cases) {
    host.Then([&] {
      EXPECT_EQ(form2().State(), FormState::kShown);
      if (c.typed) form2().Text1().UserEdit(c.typed);
      form2().Command1().UserClick();
    });
    OpenPerGame();
    EXPECT_EQ(form2().State(), FormState::kHidden);
    EXPECT_EQ(form2().Text1().Text(), c.typed ? c.typed : "exemple.exe");
    EXPECT_EQ(form1().Option1().Caption(), c.caption);
    EXPECT_TRUE(form1().Option1().Value());
  }
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{});
}

TEST_F(DialogTest, OkOnAnEmptyNameWarnsAndChangesNothing) {
  host.Then([this] {
    form2().Text1().UserEdit("");
    form2().Command1().UserClick();
    EXPECT_EQ(form2().State(), FormState::kShown);
    EXPECT_EQ(form1().Option1().Caption(), kOneGame);
    EXPECT_TRUE(form1().Option1().Value());
    form2().Text1().UserEdit("doom.exe");
    form2().Command1().UserClick();
  });
  OpenPerGame();
  const ShownMessage warning{"Enter a Direct3D executable name !", 16,
                             "Movarin", forms::kVbOK};
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{warning});
  EXPECT_EQ(form1().Option1().Caption(), "To one game only : doom.exe");
}

// Cancel, Esc and the close box all discard the dialog; only the first two
// clear the option.
struct DiscardCase {
  const char* name;
  std::function<void(Form2&)> discard;
  bool optionStaysSelected;
};

class DiscardTest : public DialogTest,
                    public ::testing::WithParamInterface<DiscardCase> {};

TEST_P(DiscardTest, DiscardsTheDialogAndKeepsTheEarlierCaption) {
  host.Then([this] {
    form2().Text1().UserEdit("earlier.exe");
    form2().Command1().UserClick();
  });
  OpenPerGame();
  host.Then([this] {
    form2().Text1().UserEdit("lost.exe");
    GetParam().discard(form2());
  });
  OpenPerGame();

  EXPECT_EQ(form2().State(), FormState::kNotLoaded);
  EXPECT_EQ(form1().Option1().Value(), GetParam().optionStaysSelected);
  EXPECT_EQ(form1().Option1().Caption(), "To one game only : earlier.exe");
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{});
}

INSTANTIATE_TEST_SUITE_P(
    Ways, DiscardTest,
    ::testing::Values(
        DiscardCase{"Cancel", [](Form2& f) { f.Command4().UserClick(); },
                    false},
        DiscardCase{"CloseBox", [](Form2& f) { f.UserClose(); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, AClickClearsOnlyTheUntouchedPlaceholder) {
  struct Case {
    const char* text;
    const char* afterClick;
  };
  const Case cases[] = {
      {"exemple.exe", ""},
      {"Exemple.exe", "Exemple.exe"},
      {"exemple.exe ", "exemple.exe "},
  };
  host.Then([&] {
    for (const Case& c : cases) {
      form2().Text1().UserEdit(c.text);
      form2().Text1().UserClick();
      EXPECT_EQ(form2().Text1().Text(), c.afterClick) << '"' << c.text << '"';
    }
    form2().Command4().UserClick();
  });
  OpenPerGame();
}

// ---------------------------------------------------------- About window --

TEST_F(DialogTest, AboutOpensModallyWithItsLinksAndOkUnloadsIt) {
  host.Then([this] {
    EXPECT_EQ(form4().State(), FormState::kShown);
    EXPECT_EQ(form4().Label8().Caption(), "www.quillbrook.example");
    EXPECT_EQ(form4().Label9().Caption(), "brannoch@quillbrook.example");
    form4().Command3().UserClick();
  });
  OpenAbout();
  EXPECT_EQ(form4().State(), FormState::kNotLoaded);
  EXPECT_EQ(form1().State(), FormState::kShown);
  EXPECT_TRUE(platform::emulated::ShellCalls().empty());
}

TEST_F(DialogTest, LinksGoToTheShellAndTurnPurpleWhateverItAnswers) {
  platform::emulated::SetShellResult(2);  // no program for the address
  std::uintptr_t about = 0;
  host.Then([&] {
    about = form4().hWnd();
    form4().Label8().UserClick();
    EXPECT_EQ(form4().Label8().ForeColor(), 0x800080u);
    EXPECT_EQ(form4().Label9().ForeColor(), 0xFF0000u);
    form4().Label8().UserClick();
    form4().Label9().UserClick();
    EXPECT_EQ(form4().Label8().ForeColor(), 0x800080u);
    EXPECT_EQ(form4().Label9().ForeColor(), 0x800080u);
    form4().Command3().UserClick();
  });
  OpenAbout();

  ASSERT_NE(about, 0u);
  const auto& calls = platform::emulated::ShellCalls();
  ASSERT_EQ(calls.size(), 3u);
  const char* const files[] = {"http://www.quillbrook.example",
                               "http://www.quillbrook.example",
                               "mailto:brannoch@quillbrook.example"};
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].parentWindow, about);
    EXPECT_EQ(calls[i].operation, "Open");
    EXPECT_EQ(calls[i].file, files[i]);
    EXPECT_EQ(calls[i].parameters, "");
    EXPECT_EQ(calls[i].directory, "");
    EXPECT_EQ(calls[i].showCommand, 1);
  }
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{});
}

TEST_F(DialogTest, CloseBoxUnloadsAboutAndReopeningShowsBlueLinksAgain) {
  host.Then([this] {
    form4().Label9().UserClick();
    form4().UserClose();
  });
  OpenAbout();
  EXPECT_EQ(form4().State(), FormState::kNotLoaded);
  EXPECT_FALSE(host.ended());

  host.Then([this] {
    EXPECT_EQ(form4().Label8().ForeColor(), 0xFF0000u);
    EXPECT_EQ(form4().Label9().ForeColor(), 0xFF0000u);
    form4().Command3().UserClick();
  });
  OpenAbout();
  EXPECT_EQ(form4().State(), FormState::kNotLoaded);
}

}  // namespace
}  // namespace movarin_test
