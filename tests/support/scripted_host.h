// A host for tests that plays the user's part: it runs scripted steps
// (clicks, typing) inside modal loops, answers message boxes from a queue,
// and records what the program showed and whether it ended.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/forms/forms.h"

namespace movarin_test {

// What EndProgram throws to unwind a test's program. Not a std::exception,
// so the error policy lets it pass.
struct ProgramEnded {};

struct ShownMessage {
  std::string text;
  int style;
  std::string caption;
  int answer;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class ScriptedHost : public forms::Host {
 public:
  // A user action run by the next modal loop that needs one.
  void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }
  // The answer to the next message box that offers a choice (any style but
  // OK only). A box with nothing but "OK" is answered kVbOK without using
  // the queue.
  void Answer(int code) { answers_.push_back(code); }

  // Runs body (a program's start, or user input at the top level); true
  // when the program ended inside it.
  bool RunUntilEnd(const std::function<void()>& body);

  // Every message box in order, with the answer it got.
  const std::vector<ShownMessage>& messages() const { return messages_; }
  // Faults of the script: a box offering a choice with no answer queued
  // (answered with its first button), an answer that is not one of its
  // buttons, a modal loop with no steps left (its window is then unloaded).
  const std::vector<std::string>& scriptErrors() const { return scriptErrors_; }
  bool ended() const { return ended_; }
  std::size_t stepsLeft() const { return steps_.size(); }
  std::size_t answersLeft() const { return answers_.size(); }

  // Every window gets a view that logs "<Form> show", "<Form> show modal",
  // "<Form> hide" and, for each sync of a control, "<Form>.<Control>" here.
  const std::vector<std::string>& viewLog() const { return viewLog_; }
  void ClearViewLog() { viewLog_.clear(); }

  int ShowMessage(const std::string& text, int style,
                  const std::string& caption) override;
  void RunModal(forms::Form& form) override;
  [[noreturn]] void EndProgram() override;
  std::unique_ptr<forms::FormView> CreateView(forms::Form& form) override;

 private:
  std::deque<std::function<void()>> steps_;
  std::deque<int> answers_;
  std::vector<ShownMessage> messages_;
  std::vector<std::string> scriptErrors_;
  std::vector<std::string> viewLog_;
  bool ended_ = false;
  std::uintptr_t nextHandle_ = 0x1000;
};

}  // namespace movarin_test
