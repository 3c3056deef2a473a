// Message boxes, the error policy, run-time errors, and the event
// bookkeeping of a program.
#include <exception>
#include <utility>

#include "store/registry.h"
#include "ui/forms/forms.h"

namespace forms {

RuntimeError TypeMismatch() { return RuntimeError(13, "Type mismatch"); }
RuntimeError Overflow() { return RuntimeError(6, "Overflow"); }
RuntimeError FileNotFound() { return RuntimeError(53, "File not found"); }
RuntimeError OutOfMemory() { return RuntimeError(7, "Out of memory"); }

std::int32_t CLng(const std::string& text) {
  const registry::NumberResult result = registry::TextToLong(text);
  if (result.error == registry::NumberError::kOverflow) throw Overflow();
  if (result.error != registry::NumberError::kNone) throw TypeMismatch();
  return result.value;
}

std::string CStr(std::int32_t value) { return registry::LongToText(value); }

// Counts the running events; the outermost one releases what windows
// discarded while it ran.
Finally<std::function<void()>> Application::EnterEvent() {
  ++eventDepth_;
  return {[this] {
    if (--eventDepth_ == 0) ReleaseDiscarded();
  }};
}

Application::~Application() { ReleaseDiscarded(); }

int Application::MsgBox(const std::string& text, int style,
                        const std::string& caption) {
  return host_.ShowMessage(text, style, caption.empty() ? kAppTitle : caption);
}

void Application::RaiseEvent(const std::function<void()>& handler) {
  int number = 0;
  std::string description;
  {
    auto scope = EnterEvent();
    try {
      if (handler) handler();
      return;
    } catch (const RuntimeError& error) {
      number = error.number();
      description = error.what();
    } catch (const std::exception&) {
      number = 51;  // any other failure
      description = "Internal error";
    }
  }
  // Reported outside the handler's scope, so what it discarded is gone
  // before the program ends.
  MsgBox("Run-time error '" + std::to_string(number) + "':\n\n" + description,
         kVbCritical, kAppTitle);
  host_.EndProgram();
}

void Application::Call(const std::function<void()>& handler) {
  auto scope = EnterEvent();
  if (handler) handler();
}

bool Application::AcceptsInput(const Form& form) const {
  return modal_.empty() || modal_.back() == &form;
}

Form* Application::ModalForm() const {
  return modal_.empty() ? nullptr : modal_.back();
}

void Application::Discard(std::vector<std::unique_ptr<Control>> controls,
                          std::unique_ptr<FormView> view) {
  discarded_.push_back({std::move(controls), std::move(view)});
  if (eventDepth_ == 0) ReleaseDiscarded();
}

void Application::ReleaseDiscarded() {
  // Moved out before release, in case a destructor reaches back into the
  // application.
  auto discarded = std::move(discarded_);
  discarded_.clear();
}

}  // namespace forms
