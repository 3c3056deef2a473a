// What the driver knows about the program under test: its titles, its
// main window's controls as the user finds them (by kind, text and place),
// and the steps every scenario shares.
#pragma once

// The common controls' header needs the definitions of <windows.h>.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/session.h"
#include "tests/support/registry_fixture.h"
#include "ui/main/driver_keys.h"

namespace e2e {

// The driver's keys and value names, as the program writes them.
using namespace driver;

inline constexpr const char* kMainTitle = "Movarin         v0.3";
inline constexpr const char* kAppTitle = "Movarin";
inline constexpr const char* kAboutTitle = "About Movarin";
inline constexpr const char* kLodPrefix = "Level Of Detail  =  ";
inline constexpr const char* kOption1Text = "To one game only";
inline constexpr const char* kOption2Text = "Apply this to all Direct3D games";
inline constexpr const char* kRestartQuestion =
    "You have to restart Windows. Do it now ?";

// The programs the scenarios start.
struct Options {
  std::string exe;       // the program under test
  std::string recorder;  // the recording stand-in
};

// Names the scenario step under way: printed, and shown with every failure
// until the next step.
void SetStep(const std::string& step);

// A picture of a window for the eyes of a reviewer (the main window's is
// the README's), taken from outside by ImageMagick's import into
// MOVARIN_E2E_PICTURES/<name>.png. Checks nothing; where it cannot be taken
// (no import, no such variable, a Wine that starts no Unix program) it is
// left out with a note.
void TakePicture(HWND window, const std::string& name);

// Pixels of a design length in twips at the screen's density.
int Px(int twips);

// The main window and the controls the scenarios use.
struct MainWindow {
  HWND window = nullptr;
  HWND frame1 = nullptr, frame2 = nullptr;
  HWND slider1 = nullptr, slider2 = nullptr;
  HWND label1 = nullptr, gfx = nullptr;
  HWND option1 = nullptr, option2 = nullptr;
  HWND apply = nullptr, about = nullptr;
};

// Starts the program and finds its main window and controls; records a
// failure and returns false when something is missing.
bool StartMain(RunningProgram& program, const Options& options,
               MainWindow& main);

// Checks a window's frame: it has every style of has and none of lacks nor
// of the extended styles exLacks, and its client area is the design's twips.
void CheckFrame(HWND window, LONG has, LONG lacks, LONG exLacks, int widthTwips,
                int heightTwips);

// Closes the main window and checks that the program ends.
void CloseMain(RunningProgram& program, const MainWindow& main);
// The program still runs and its main window answers.
bool Alive(const RunningProgram& program, const MainWindow& main);

inline int SliderPos(HWND slider) {
  return static_cast<int>(Ask(slider, TBM_GETPOS));
}
// Posts one key to the slider and waits until it reaches expected.
bool Press(HWND slider, UINT vk, int expected);

// Posts the keys to the slider one by one; after each the thumb is where
// the step says (a key at an end leaves it there) and the readout reads
// prefix + that number.
struct KeyStep {
  UINT vk;
  int lands;
};
void PressAll(HWND slider, HWND readout, const std::string& prefix,
              std::initializer_list<KeyStep> steps);

// A control the focus stops on, named for failure messages.
struct Stop {
  HWND hwnd;
  const char* name;
};
// Walks window's tab order round from the focus, which must be on order's
// first stop: Tab from each stop lands on the next, from the last on the
// first; then Shift+Tab goes the same way back to the first.
void CheckTabWalk(HWND window, std::initializer_list<Stop> order);
// Moves the focus with Tab to the window's button, then presses vk (Enter
// or Space) on it; false when Tab did not reach the button.
bool PressByKey(HWND window, HWND button, UINT vk);

bool IsChecked(HWND button);
// Clicks an option button and waits until it shows selected.
bool Select(HWND option);

// Clicks a button of the window and waits for the message box that
// follows, captioned "Movarin"; null when none came.
HWND ClickForMessageBox(HWND button, DWORD pid);
// Answers a message box with the button of that id; true when it closed.
bool Answer(HWND box, int id);
// Presses Apply and checks that no message box follows within waitMs; one
// that comes anyway is answered No (or OK) so the scenario goes on.
void ApplyWithoutMessage(const RunningProgram& program, const MainWindow& main,
                         const std::string& what, int waitMs = 1500);
// Checks a message box's text, that it shows an icon or none, and that it
// has exactly these of the buttons OK, Cancel, Yes and No.
void CheckMessageBox(HWND box, const std::string& text, bool icon,
                     std::initializer_list<int> buttons);
// Checks an error report's text (its line ends as "\n"), answers OK and
// sees the program end.
void CheckReportAndEnd(RunningProgram& program, HWND box,
                       const std::string& report);

// Opens a dialog by a posted click on opener and closes it with its button
// closer, times round trips, each wait within timeoutMs; every opening's time
// from click to visible goes to shownMs. The count of round trips completed.
int OpenAndClose(const RunningProgram& program, const MainWindow& main,
                 HWND opener, const std::function<bool(HWND)>& match,
                 const char* closer, int times, int timeoutMs,
                 std::vector<DWORD>* shownMs = nullptr);
bool IsAbout(HWND window);
// The per-game dialog: captioned "Movarin" like a message box, but a tool
// window of its own.
bool IsPerGameDialog(HWND window);
// The per-game dialog's controls.
struct PerGameDialog {
  HWND window = nullptr, edit = nullptr, ok = nullptr, cancel = nullptr;
};
// Selects "To one game only" anew (through Option2 when it is selected
// already) and finds the dialog it opens; records a failure and returns
// false when something is missing.
bool OpenPerGameDialog(const RunningProgram& program, const MainWindow& main,
                       PerGameDialog& dialog);

// A value below HKLM, where the driver's values are; nullopt when absent.
std::optional<fixture::RawValue> Stored(const std::string& key,
                                        const std::string& name);
// Waits until the value holds this REG_SZ text.
bool WaitStored(const std::string& key, const std::string& name,
                const std::string& text);
// A REG_SZ as the program stores it: the text and its NUL.
using fixture::Sz;

// Wine draws the windows' own title bars and borders (as Windows does)
// rather than leaving them to an X window manager, which a bare display
// lacks: the pictures then show whole windows. Set for the object's life,
// for the programs started meanwhile.
class WineDrawsFrames : public fixture::ValueOverride {
 public:
  WineDrawsFrames();
};

// Removes the driver's keys from HKLM.
void CleanDriverKeys();

// Seeds the registry: a null value means "absent".
void SeedDriverValues(const char* levelOfDetail, const char* clock);

}  // namespace e2e

// EXPECT_TRUE that hands the condition back, for the steps that depend on it.
#define EXPECTED(cond, msg)                         \
  [&] {                                             \
    const bool expected_ = static_cast<bool>(cond); \
    EXPECT_TRUE(expected_) << (msg);                \
    return expected_;                               \
  }()
