// Message boxes, the error policy, and the event bookkeeping of a program.
#include <algorithm>
#include <exception>
#include <utility>

#include "ui/forms/forms.h"

namespace forms {

// Counts the running events; the outermost one releases what windows
// discarded while it ran.
struct Application::EventScope {
  explicit EventScope(Application& app) : app(app) { ++app.eventDepth_; }
  ~EventScope() {
    if (--app.eventDepth_ == 0) app.ReleaseDiscarded();
  }
  Application& app;
};

Application::~Application() { ReleaseDiscarded(); }

int Application::MsgBox(const std::string& text, int style,
                        const std::string& caption) {
  return host_.ShowMessage(text, style, caption.empty() ? kAppTitle : caption);
}

void Application::RaiseEvent(const std::function<void()>& handler) {
  int number = 0;
  std::string description;
  {
    EventScope scope(*this);
    try {
      if (handler) handler();
      return;
    } catch (const RuntimeError& error) {
      number = error.number();
      description = error.description();
    } catch (const std::exception&) {
      number = kInternalErrorNumber;
      description = kInternalErrorDescription;
    }
  }
  // Reported outside the handler's scope, so what it discarded is gone
  // before the program ends.
  MsgBox("Run-time error '" + std::to_string(number) + "':\n\n" + description,
         kVbCritical, kAppTitle);
  host_.EndProgram();
}

void Application::Call(const std::function<void()>& handler) {
  EventScope scope(*this);
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
