// The forms runtime: controls holding their properties, windows that load
// from a design table, show (also modally), hide and unload, message boxes,
// the error policy. Real windows or a test script come in through Host.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace forms {

// Runs f when it goes out of scope.
template <class F>
struct Finally {
  F f;
  ~Finally() { f(); }
};

// 0x00BBGGRR, or 0x800000nn for system colour nn.
using Color = std::uint32_t;
inline constexpr Color kDefaultColor = 0xFFFFFFFFu;  // the kind's default

constexpr Color SystemColor(int index) {  // GetSysColor's index
  return 0x80000000u | static_cast<Color>(index);
}
// For code built without <windows.h>.
inline constexpr int kColorActiveBorder = 10;
inline constexpr int kColorInactiveBorder = 11;

struct FontDesign {
  const char* face = nullptr;  // null: the window's default font
  double points = 8.25;
  int weight = 400;
  bool underline = false;
};

enum class Kind {
  kLabel,
  kFrame,
  kSlider,
  kOption,
  kButton,
  kTextBox,
  kPictureBox,
  kImage
};

enum class TickStyle { kBottomRight = 0, kNoTicks = 3 };

struct SliderDesign {
  std::int32_t min = 0;
  std::int32_t max = 10;
  std::int32_t value = 0;
  std::int32_t smallChange = 1;
  std::int32_t largeChange = 5;
  std::int32_t tickFrequency = 1;
  TickStyle tickStyle = TickStyle::kBottomRight;
};

// One row of a window's design table. Positions in twips, relative to the
// container (the window's client area, or a frame's outer top-left corner).
struct ControlDesign {
  const char* name;
  Kind kind;
  const char* container;  // "" for the window itself
  const char* text;       // caption, or a text box's text
  int left, top, width, height;
  int tabIndex = -1;  // -1: takes no focus
  Color foreColor = kDefaultColor;
  Color backColor = kDefaultColor;
  FontDesign font = {};
  bool enabled = true;
  bool autoSize = false;
  bool graphical = false;  // a button drawn with its pictures
  bool cancel = false;     // Esc presses it
  const char* toolTip = "";
  int picture = 0;      // resource id, 0: none
  int downPicture = 0;  // a graphical button's picture while held down
  int mouseIcon = 0;    // cursor resource id shown over the control, 0: none
  SliderDesign slider = {};
};

enum class BorderStyle {
  kNone,
  kFixedSingle,
  kSizable,
  kFixedDialog,
  kFixedToolWindow,
  kSizableToolWindow
};

struct WindowDesign {
  const char* name;
  const char* caption;
  int clientWidth, clientHeight;  // twips
  BorderStyle border;
  bool minButton;
  bool maxButton;
  bool showInTaskbar;
  int icon;  // resource id, 0: none
  Color backColor;
  std::span<const ControlDesign> controls;  // design order
};

// An error a handler does not handle: the error policy reports it at the
// event boundary and ends the program.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

RuntimeError TypeMismatch();  // 13
RuntimeError Overflow();      // 6
RuntimeError FileNotFound();  // 53
RuntimeError OutOfMemory();   // 7: a window could not be created

// A text read as a 32-bit integer, as the platform reads numbers; throws
// TypeMismatch or Overflow.
std::int32_t CLng(const std::string& text);
std::string CStr(std::int32_t value);  // decimal, no leading blank

class Form;
class Control;

// What changed on a control, for its view.
enum class Property { kCaption, kText, kValue, kEnabled, kForeColor };

// The view of a loaded window mirrors the model and holds no behaviour. It
// is created when the window loads (after its controls, before its
// handlers), hidden when it unloads, and destroyed once the outermost event
// in which it unloaded has returned, never during one of its handlers.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void Show(bool modal) = 0;
  // The modal window no longer is (hidden, unloaded, or its loop ended by
  // the program's end): the other windows take input again.
  virtual void EndModal() {}
  virtual void Hide() = 0;
  // The property now differs from what the view last saw; also for echoes
  // of the view's own input (TextBox::UserEdit).
  virtual void Changed(Control& control, Property property) = 0;
  virtual std::uintptr_t Handle() const = 0;  // the window handle, 0: none
};

// Message-box style bits and answer codes.
inline constexpr int kVbOKOnly = 0, kVbYesNo = 4, kVbCritical = 16;
inline constexpr int kVbOK = 1, kVbCancel = 2, kVbYes = 6, kVbNo = 7;

// Everything the runtime needs from outside.
class Host {
 public:
  virtual ~Host() = default;
  // A modal message box; returns the answer code.
  virtual int ShowMessage(const std::string& text, int style,
                          const std::string& caption) = 0;
  // Runs a nested event loop until form is no longer shown.
  virtual void RunModal(Form& form) = 0;
  [[noreturn]] virtual void EndProgram() = 0;
  // The view of a window being loaded; null for none.
  virtual std::unique_ptr<FormView> CreateView(Form& form) = 0;
};

// The program's title, the caption of message boxes that give none.
inline constexpr const char* kAppTitle = "Movarin";

// Message boxes, the error policy, and what every window shares: the modal
// windows, and what windows unloaded during an event, kept until it ends.
class Application {
 public:
  explicit Application(Host& host) : host_(host) {}
  ~Application() { ReleaseDiscarded(); }
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  Host& host() { return host_; }

  // caption "" means kAppTitle.
  int MsgBox(const std::string& text, int style = kVbOKOnly,
             const std::string& caption = "");

  // Runs one event's handler (empty: nothing). A RuntimeError it does not
  // handle is reported under kAppTitle as "Run-time error 'N':", a blank
  // line and the description, style kVbCritical (any other std::exception
  // as error 51 "Internal error"), and the program ends. Anything else (a
  // host's own unwinding) passes through.
  void RaiseEvent(const std::function<void()>& handler);
  // Runs a handler nested in the running code (an assignment that raises an
  // event): errors propagate to the caller.
  void Call(const std::function<void()>& handler);

  // False while another window is shown modally: input to form is ignored.
  bool AcceptsInput(const Form& form) const;
  // The innermost modal window, or null.
  Form* ModalForm() const { return modal_.empty() ? nullptr : modal_.back(); }

 private:
  friend class Form;
  Finally<std::function<void()>> EnterEvent();
  // Keeps what an unloading window discards until no event runs.
  void Discard(std::vector<std::unique_ptr<Control>> controls,
               std::unique_ptr<FormView> view);
  // Taken out first, in case a destructor reaches back into the program.
  void ReleaseDiscarded() { std::exchange(discarded_, {}); }

  Host& host_;
  int eventDepth_ = 0;
  std::vector<Form*> modal_;  // innermost last
  struct Discarded {
    std::vector<std::unique_ptr<Control>> controls;
    std::unique_ptr<FormView> view;  // released first: it refers to them
  };
  std::vector<Discarded> discarded_;
};

// A control of a loaded window. Its properties are the truth: setting one
// to a new value tells the view (a text box's caption is Property::kText).
// The view (or a test script) calls User... for user input: events raised
// under the error policy, nothing while another window is modal.
// Assignments from handlers raise their events nested, unguarded.
class Control {
 public:
  Control(Form& form, const ControlDesign& design);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDesign& design() const { return design_; }
  std::string Name() const { return design_.name; }
  // False once unloaded: it then tells no view, touches no other control
  // and ignores user input.
  bool Attached() const { return attached_; }
  Kind kind() const { return design_.kind; }
  Form& form() const { return form_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) {
    Set(caption_, caption,
        kind() == Kind::kTextBox ? Property::kText : Property::kCaption);
  }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Set(enabled_, enabled, Property::kEnabled); }
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color color) {
    Set(foreColor_, color, Property::kForeColor);
  }

  // Handlers, bound by the window; empty: none.
  std::function<void()> Click;
  std::function<void()> MouseMove;

  // Raise Click or MouseMove; a disabled control ignores both.
  virtual void UserClick();
  void UserMouseMove();

 protected:
  // Attached, and its window not blocked by another shown modally.
  bool TakesInput() const;
  void Notify(Property property);
  // Takes value and tells the view, when it differs; true then.
  template <class T>
  bool Set(T& field, const T& value, Property property) {
    if (field == value) return false;
    field = value;
    Notify(property);
    return true;
  }
  void Raise(const std::function<void()>& handler);

 private:
  friend class Form;
  Form& form_;
  const ControlDesign& design_;
  bool attached_ = true;
  std::string caption_;
  bool enabled_;
  Color foreColor_;
};

using Label = Control;
using Frame = Control;
using PictureBox = Control;
using Image = Control;
using CommandButton = Control;

class Slider : public Control {
 public:
  using Control::Control;
  std::int32_t Min() const { return design().slider.min; }
  std::int32_t Max() const { return design().slider.max; }
  std::int32_t Value() const { return value_; }
  // Clamped to Min..Max; raises Change nested when the value differs.
  void SetValue(std::int32_t value);

  std::function<void()> Change;

  // User input: the thumb moved to value (clamped), or stepped.
  void UserMoveTo(std::int64_t value);
  void UserSmallStep(int direction);  // arrow keys: -1 or +1
  void UserLargeStep(int direction);  // page keys, clicks beside the thumb

 private:
  bool Assign(std::int64_t value) {  // clamped; true when it changed
    return Set(value_,
               static_cast<std::int32_t>(
                   std::clamp<std::int64_t>(value, Min(), Max())),
               Property::kValue);
  }
  std::int32_t value_ = design().slider.value;
};

// The options of one container are a group: selecting one clears the others.
class OptionButton : public Control {
 public:
  using Control::Control;
  bool Value() const { return value_; }
  // True clears the others and raises Click (when it was not selected);
  // false clears this one.
  void SetValue(bool value);
  void UserClick() override;  // selects it, then raises Click

 private:
  void Select();  // clears the others of the group, then sets this one
  bool value_ = false;
};

class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  // The user edited the text (no event).
  void UserEdit(const std::string& text);
};

// Whether a control of that kind is a T.
template <class T>
constexpr bool IsA(Kind kind) {
  if constexpr (std::is_same_v<T, Slider>) return kind == Kind::kSlider;
  if constexpr (std::is_same_v<T, OptionButton>) return kind == Kind::kOption;
  if constexpr (std::is_same_v<T, TextBox>) return kind == Kind::kTextBox;
  return std::is_same_v<T, Control>;
}

// A row of a window's design table that holds a T.
template <class T>
struct Row {
  std::size_t index;
};

// The row of a control in a design table, found while compiling: a name
// not in the table, or a control that is not a T, fails the build.
template <class T>
consteval Row<T> RowOf(std::span<const ControlDesign> rows,
                       std::string_view name) {
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].name != name) continue;
    if (!IsA<T>(rows[row].kind)) throw "the control is of another kind";
    return {row};
  }
  throw "no control of that name in the design";
}

enum class FormState { kNotLoaded, kHidden, kShown };

// One window for the whole run. Reaching one of its controls loads it from
// its design; loading does not show it.
class Form {
 public:
  Form(Application& app, const WindowDesign& design);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const WindowDesign& design() const { return design_; }
  Application& app() { return app_; }
  FormState State() const { return state_; }
  bool IsLoaded() const { return state_ != FormState::kNotLoaded; }

  void Load();       // builds the controls and runs Form_Load, once per load
  void Show();       // loads, then shows modelessly
  void ShowModal();  // loads, shows, returns once hidden or unloaded
  void Hide();       // loads; a shown window becomes hidden, values kept
  // Discards the controls and their values. Safe in the window's own
  // handlers: they stay alive, detached, until the running event returns.
  void Unload();

  void UserClose();      // the title-bar close box
  void UserMouseMove();  // the pointer over the window's own surface
  void UserEscape();     // Esc: presses the cancel button, if any

  std::uintptr_t hWnd() const { return view_ ? view_->Handle() : 0; }

  // Loaded controls in design order (empty when not loaded).
  const std::vector<std::unique_ptr<Control>>& Controls() const {
    return controls_;
  }
  // The control of a design row (see RowOf), loading the window first.
  template <class T>
  T& At(Row<T> row) {
    Load();
    return static_cast<T&>(*controls_.at(row.index));
  }
  // By name, for tests and tools; throws std::out_of_range for a name not
  // in the design, std::bad_cast for a control that is not a T.
  Control& Find(const std::string& name);
  template <class T>
  T& Get(const std::string& name) {
    return dynamic_cast<T&>(Find(name));
  }

  FormView* view() const { return view_.get(); }  // null: none

 protected:
  // Binds the handlers to the freshly built controls; runs on every load.
  virtual void BindEvents() {}
  virtual void Form_Load() {}
  std::function<void()> MouseMove;   // Form_MouseMove
  bool endsProgramOnClose_ = false;  // by its close box

 private:
  void LeaveModal();  // no longer the modal window, if it was

  Application& app_;
  const WindowDesign& design_;
  FormState state_ = FormState::kNotLoaded;
  bool loading_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<FormView> view_;  // declared last: released first
};

}  // namespace forms
