// The main window's handlers: start-up, live feedback, Apply, and opening
// the per-game dialog and the About window.
#include "ui/main/form1.h"

#include <string>

#include "platform/platform.h"
#include "store/registry.h"
#include "ui/about/form4.h"
#include "ui/main/driver_keys.h"
#include "ui/main/program.h"
#include "ui/pergame/form2.h"

namespace {

// The display driver's values, all under HKLM and read and written as text.
using namespace driver;
constexpr const char* kRoot = "HKLM";
constexpr const char* kText = "S";
constexpr const char* kDefaultLevelOfDetail = "0";
constexpr const char* kDefaultClock = "175";

constexpr const char* kLevelOfDetailPrefix = "Level Of Detail  =  ";
constexpr const char* kOneGameCaption = "To one game only : ";

constexpr forms::Color kCaptionNormal = 0x800000;
constexpr forms::Color kCaptionHighlight = 0xFF0000;

constexpr const char* kRestartPrompt =
    "You have to restart Windows. Do it now ?";
// Run from the Windows directory, wherever Windows is installed.
constexpr const char* kRestartCommand = "RUNDLL.EXE user.exe,exitwindowsexec";
constexpr int kSwShowMinimized = 2;  // minimized and active

// Whether a stored clock text stands for the slider's clock. A text that is
// no number is an unhandled error; a number beyond the 32-bit range is
// simply a different clock.
bool SameClock(std::int32_t clock, const std::string& stored) {
  const registry::NumberResult number = registry::TextToLong(stored);
  if (number.error == registry::NumberError::kTypeMismatch)
    throw forms::TypeMismatch();
  return number.error == registry::NumberError::kNone && number.value == clock;
}

// The restart command: "C:\WINDOWS\RUNDLL.EXE ..." on a standard
// installation.
std::string RestartCommand() {
  std::string directory = platform::WindowsDirectory();
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  return directory + kRestartCommand;
}

}  // namespace

Form1::Form1(Program& program)
    : forms::Form(program.app(), kForm1Design), program_(program) {
  endsProgramOnClose_ = true;
}

void Form1::BindEvents() {
  MouseMove = [this] { Form_MouseMove(); };
  Frame1().MouseMove = [this] { Frame1_MouseMove(); };
  Frame2().MouseMove = [this] { Frame2_MouseMove(); };
  Slider1().Change = [this] { Slider1_Change(); };
  Slider2().Change = [this] { Slider2_Change(); };
  Option1().Click = [this] { Option1_Click(); };
  Command1().Click = [this] { Command1_Click(); };
  Command2().Click = [this] { Command2_Click(); };
}

void Form1::Form_Load() {
  registry::SettingValue levelOfDetail;
  registry::SettingValue clock;
  registry::ReadStoreValue(kRoot, kGlobalD3DKey, kLevelOfDetailName, kText,
                           kDefaultLevelOfDetail, levelOfDetail);
  registry::ReadStoreValue(kRoot, kClockKey, kClockName, kText, kDefaultClock,
                           clock);
  Slider2().SetValue(forms::CLng(levelOfDetail.text()));
  Label1().SetCaption(kLevelOfDetailPrefix + levelOfDetail.text());
  Slider1().SetValue(forms::CLng(clock.text()));
}

void Form1::Slider1_Change() {
  gfx().SetCaption(forms::CStr(Slider1().Value()));
}

void Form1::Slider2_Change() {
  Label1().SetCaption(kLevelOfDetailPrefix + forms::CStr(Slider2().Value()));
  Option1().SetEnabled(true);
  Option2().SetEnabled(true);
}

void Form1::Form_MouseMove() {
  Frame1().SetForeColor(kCaptionNormal);
  Frame2().SetForeColor(kCaptionNormal);
}

void Form1::Frame1_MouseMove() {
  Frame1().SetForeColor(kCaptionHighlight);
  Frame2().SetForeColor(kCaptionNormal);
}

void Form1::Frame2_MouseMove() {
  Frame2().SetForeColor(kCaptionHighlight);
  Frame1().SetForeColor(kCaptionNormal);
}

void Form1::Option1_Click() {
  if (!Option1().Value()) return;
  Form2& perGame = program_.form2();
  switch (perGame.Ask()) {
    case Form2::Answer::kOk:
      Option1().SetCaption(kOneGameCaption + perGame.Text1().Text());
      break;
    case Form2::Answer::kCancel:
      Option1().SetValue(false);
      break;
    case Form2::Answer::kClosed:  // the option stays selected
      break;
  }
}

template <class KeyOf>
void Form1::StoreLevelOfDetail(KeyOf keyOf) {
  const std::int32_t level = Slider2().Value();
  if (level != 0) {
    registry::WriteStoreValue(kRoot, keyOf(), kLevelOfDetailName, kText, level);
  } else {
    registry::DeleteStoreValue(kRoot, keyOf(), kLevelOfDetailName);
  }
}

void Form1::Command1_Click() {
  if (Option2().Value()) {
    StoreLevelOfDetail([] { return std::string(kGlobalD3DKey); });
  } else if (Option1().Value()) {
    StoreLevelOfDetail(
        [this] { return kGameD3DKeyPrefix + program_.form2().Text1().Text(); });
  }
  registry::SettingValue storedClock;
  registry::ReadStoreValue(kRoot, kClockKey, kClockName, kText, kDefaultClock,
                           storedClock);
  registry::WriteStoreValue(kRoot, kClockKey, kClockName, kText,
                            Slider1().Value());
  if (SameClock(Slider1().Value(), storedClock.text())) return;
  if (app().MsgBox(kRestartPrompt, forms::kVbYesNo, forms::kAppTitle) !=
      forms::kVbYes)
    return;
  if (platform::StartProgram(RestartCommand(), kSwShowMinimized) != 0) {
    throw forms::FileNotFound();
  }
}

void Form1::Command2_Click() {
  Form4& about = program_.form4();
  about.Load();
  about.ShowModal();
}
