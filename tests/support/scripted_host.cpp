#include "tests/support/scripted_host.h"

#include <algorithm>

namespace movarin_test {

namespace {

// The answer codes of a message box's buttons, in order, by style & 15:
// OK; OK, Cancel; Abort (3), Retry (4), Ignore (5); Yes, No, Cancel; Yes,
// No; Retry, Cancel.
std::vector<int> ButtonsOf(int style) {
  using forms::kVbOK, forms::kVbCancel, forms::kVbYes, forms::kVbNo;
  static const std::vector<int> kButtons[] = {
      {kVbOK},         {kVbOK, kVbCancel},
      {3, 4, 5},       {kVbYes, kVbNo, kVbCancel},
      {kVbYes, kVbNo}, {4, kVbCancel}};
  return kButtons[(style & 15) < 6 ? style & 15 : 0];
}

class RecordingView : public forms::FormView {
 public:
  RecordingView(std::vector<std::string>& log, std::string name,
                std::uintptr_t handle)
      : log_(log), name_(std::move(name)), handle_(handle) {}
  void Show(bool modal) override {
    log_.push_back(name_ + (modal ? " show modal" : " show"));
  }
  void Hide() override { log_.push_back(name_ + " hide"); }
  void Sync(forms::Control& control) override {
    log_.push_back(name_ + "." + control.Name());
  }
  std::uintptr_t Handle() const override { return handle_; }

 private:
  std::vector<std::string>& log_;
  std::string name_;
  std::uintptr_t handle_;
};

}  // namespace

bool ScriptedHost::RunUntilEnd(const std::function<void()>& body) {
  try {
    body();
  } catch (const ProgramEnded&) {
    return true;
  }
  return false;
}

int ScriptedHost::ShowMessage(const std::string& text, int style,
                              const std::string& caption) {
  const std::vector<int> buttons = ButtonsOf(style);
  int answer = buttons.front();
  if (buttons.size() > 1) {
    if (answers_.empty()) {
      scriptErrors_.push_back("no answer queued for the message box \"" + text +
                              "\"");
    } else {
      const int queued = answers_.front();
      answers_.pop_front();
      if (std::find(buttons.begin(), buttons.end(), queued) == buttons.end())
        scriptErrors_.push_back("answer " + std::to_string(queued) +
                                " is no button of the message box \"" + text +
                                "\"");
      else
        answer = queued;
    }
  }
  messages_.push_back({text, style, caption, answer});
  return answer;
}

void ScriptedHost::RunModal(forms::Form& form) {
  while (form.State() == forms::FormState::kShown) {
    if (steps_.empty()) {
      scriptErrors_.push_back(std::string("no step left while ") +
                              form.design().name + " is shown modally");
      form.Unload();
      return;
    }
    std::function<void()> step = std::move(steps_.front());
    steps_.pop_front();
    step();
  }
}

void ScriptedHost::EndProgram() {
  ended_ = true;
  throw ProgramEnded{};
}

std::unique_ptr<forms::FormView> ScriptedHost::CreateView(forms::Form& form) {
  return std::make_unique<RecordingView>(viewLog_, form.design().name,
                                         nextHandle_++);
}

}  // namespace movarin_test
