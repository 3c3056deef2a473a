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

enum class BorderStyle { kFixedSingle, kSizableToolWindow };

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

// The view of a window mirrors the model and holds no behaviour. It is made
// with its window object, after the controls, and lives as long as they do;
// it shows only while the window is shown.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void Show(bool modal) = 0;
  // The modal window no longer is (hidden, unloaded, or its loop ended by
  // the program's end): the other windows take input again.
  virtual void EndModal() {}
  virtual void Hide() = 0;
  // Brings the control's view up to date with its properties, after one of
  // them changed (also by the view's own input: TextBox::UserEdit).
  virtual void Sync(Control& control) = 0;
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
  // The view of a window, made once with it; null for none.
  virtual std::unique_ptr<FormView> CreateView(Form& form) = 0;
};

// The program's title, the caption of message boxes that give none.
inline constexpr const char* kAppTitle = "Movarin";

// Message boxes, the error policy, and what every window shares: the stack
// of modal windows.
class Application {
 public:
  explicit Application(Host& host) : host_(host) {}
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
  // host's own unwinding) passes through. Handlers nested in running code
  // (an assignment that raises an event) are called directly: their errors
  // propagate to the caller.
  void RaiseEvent(const std::function<void()>& handler);

  // False while another window is shown modally: input to form is ignored.
  bool AcceptsInput(const Form& form) const;

 private:
  friend class Form;
  Host& host_;
  std::vector<Form*> modal_;  // innermost last
};

// A control, made once with its window. Its properties are the truth:
// loading sets them from the design; setting one to a new value brings the
// view up to date. The view (or a test script) calls User... for user
// input: events raised under the error policy, nothing while the window is
// not loaded or another window is modal. Assignments from handlers raise
// their events nested, unguarded.
class Control {
 public:
  Control(Form& form, const ControlDesign& design);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDesign& design() const { return design_; }
  std::string Name() const { return design_.name; }
  Kind kind() const { return design_.kind; }
  Form& form() const { return form_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Set(caption_, caption); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Set(enabled_, enabled); }
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color color) { Set(foreColor_, color); }

  // Handlers, bound by the window; empty: none.
  std::function<void()> Click;
  std::function<void()> MouseMove;

  // Raise Click or MouseMove; a disabled control ignores both.
  virtual void UserClick();
  void UserMouseMove();

 protected:
  // Its window loaded, and not blocked by another shown modally.
  bool TakesInput() const;
  // Takes value and syncs the view, when it differs; true then.
  template <class T>
  bool Set(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    Sync();
    return true;
  }
  void Sync();
  void Raise(const std::function<void()>& handler);
  // The design's values, as loading sets them.
  virtual void Reset();

 private:
  friend class Form;
  Form& form_;
  const ControlDesign& design_;
  std::string caption_;
  bool enabled_ = true;
  Color foreColor_ = kDefaultColor;
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

  // User input: the thumb moved to value (clamped), by key, click or drag.
  void UserMoveTo(std::int64_t value);

 private:
  bool Assign(std::int64_t value) {  // clamped; true when it changed
    return Set(value_, static_cast<std::int32_t>(
                           std::clamp<std::int64_t>(value, Min(), Max())));
  }
  void Reset() override;
  std::int32_t value_ = 0;
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
  void Reset() override;
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

// One window for the whole run, with its controls and view. Reaching one of
// its controls loads it from its design; loading does not show it.
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

  // Sets the controls' values from the design and runs Form_Load, once per
  // load.
  void Load();
  void Show();       // loads, then shows modelessly
  void ShowModal();  // loads, shows, returns once hidden or unloaded
  void Hide();       // loads; a shown window becomes hidden, values kept
  // Ends the load: the windows go, the next reference loads it afresh.
  void Unload();

  void UserClose();      // the title-bar close box
  void UserMouseMove();  // the pointer over the window's own surface

  // The window handle while loaded, 0: none.
  std::uintptr_t hWnd() const {
    return view_ && IsLoaded() ? view_->Handle() : 0;
  }

  // Every control, in design order.
  const std::vector<std::unique_ptr<Control>>& Controls() const {
    return controls_;
  }
  // The control of a design row (see RowOf), loading the window first.
  template <class T>
  T& At(Row<T> row) {
    Load();
    return static_cast<T&>(*controls_[row.index]);
  }

  FormView* view() const { return view_.get(); }  // null: none

 protected:
  // Binds the handlers to the controls; runs on every load.
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
