// The whole program over the emulated registry and the scripted host: a
// test seeds the driver's values, starts the program, acts
// as the user and reads back the registry bytes, message boxes and shell
// calls.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/emulated/emulated.h"
#include "tests/support/registry_fixture.h"
#include "tests/support/scripted_host.h"
#include "tests/support/show.h"
#include "ui/about/form4.h"
#include "ui/main/driver_keys.h"
#include "ui/main/form1.h"
#include "ui/main/program.h"
#include "ui/pergame/form2.h"

namespace movarin_test {

using driver::kClockKey;
using driver::kClockName;
using driver::kGameD3DKeyPrefix;
using driver::kGlobalD3DKey;
using driver::kLevelOfDetailName;

// The driver's two values as REG_SZ texts; nullopt leaves a value out.
struct Driver {
  std::optional<std::string> levelOfDetail, clock;
};

// A value of HKLM as fixture::Shown prints it ("1: 33 00"), or "absent".
inline std::string Raw(const std::string& key, const std::string& name) {
  return fixture::Shown(
      fixture::ReadRaw(platform::kHkeyLocalMachine, key, name));
}

// What a REG_SZ holding text looks like to Raw: type 1, the text, one NUL.
inline std::string Sz(const std::string& text) {
  return fixture::Shown(fixture::Sz(text));
}

inline ShownMessage RuntimeErrorBox(int number,
                                    const std::string& description) {
  return {"Run-time error '" + std::to_string(number) + "':\n\n" + description,
          forms::kVbCritical, "Movarin", forms::kVbOK};
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::emulated::Reset(); }
  void TearDown() override {
    EXPECT_EQ(host.scriptErrors(), std::vector<std::string>{});
    EXPECT_EQ(host.stepsLeft(), 0u) << "scripted steps never used";
    EXPECT_EQ(host.answersLeft(), 0u) << "scripted answers never used";
  }

  void Seed(const std::string& regedit4) {
    ASSERT_TRUE(platform::emulated::LoadRegedit4(regedit4)) << regedit4;
  }
  void Seed(const Driver& values) {
    const auto seed = [](const char* key, const char* name,
                         const std::optional<std::string>& text) {
      if (text) {
        ASSERT_TRUE(
            fixture::SeedString(platform::kHkeyLocalMachine, key, name, *text));
      }
    };
    seed(kGlobalD3DKey, kLevelOfDetailName, values.levelOfDetail);
    seed(kClockKey, kClockName, values.clock);
  }
  // Starts the program; true when it ended during start-up.
  bool Start() {
    return host.RunUntilEnd([this] { program.Start(); });
  }
  // Seeds, starts, and expects the main window shown.
  void StartWith(const Driver& values) {
    Seed(values);
    ASSERT_FALSE(Start());
    ASSERT_EQ(form1().State(), forms::FormState::kShown);
  }
  // User input at the top level; true when the program ended in it.
  bool User(const std::function<void()>& input) {
    return host.RunUntilEnd(input);
  }

  // Selects "To one game only" and confirms the dialog with name.
  void ChooseOneGame(const std::string& name) {
    host.Then([this, name] {
      form2().Text1().UserEdit(name);
      form2().Command1().UserClick();
    });
    ASSERT_FALSE(User([this] { form1().Option1().UserClick(); }));
    ASSERT_EQ(form2().State(), forms::FormState::kHidden);
  }
  bool Apply() {
    return User([this] { form1().Command1().UserClick(); });
  }

  Form1& form1() { return program.form1(); }
  Form2& form2() { return program.form2(); }
  Form4& form4() { return program.form4(); }

  ScriptedHost host;
  Program program{host};
};

}  // namespace movarin_test
