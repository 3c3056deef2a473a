// The forms runtime the windows are written against: control objects that
// hold their properties, windows that load from a design table, hide, unload
// and show modally, message boxes, and the error policy. Portable C++: the
// outside world (real windows, or a test script) comes in through Host.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace forms {

// ---------------------------------------------------------------- design --

// 0x00BBGGRR, or 0x800000nn for system colour nn.
using Color = std::uint32_t;
inline constexpr Color kDefaultColor = 0xFFFFFFFFu;  // the kind's default

// A system colour by its index, as GetSysColor numbers them.
constexpr Color SystemColor(int index) {
  return 0x80000000u | static_cast<Color>(index);
}
// The indexes the designs use, for code built without <windows.h>.
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
  kImage,
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
  kNone = 0,
  kFixedSingle = 1,
  kSizable = 2,
  kFixedDialog = 3,
  kFixedToolWindow = 4,
  kSizableToolWindow = 5,
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

// ----------------------------------------------------------------- errors --

// An unhandled error of a handler: carried to the event boundary, where the
// error policy reports it and ends the program.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int number() const { return number_; }
  std::string description() const { return what(); }

 private:
  int number_;
};

RuntimeError TypeMismatch();  // 13
RuntimeError Overflow();      // 6
RuntimeError FileNotFound();  // 53
RuntimeError OutOfMemory();   // 7: a window could not be created

// A text read as a number for a 32-bit integer, as the platform reads it;
// throws TypeMismatch or Overflow.
std::int32_t CLng(const std::string& text);
// An integer's decimal text, no leading blank.
std::string CStr(std::int32_t value);

// ------------------------------------------------------------------- host --

class Form;
class Control;

// What changed on a control, for its view.
enum class Property { kCaption, kText, kValue, kEnabled, kForeColor };

// The view of one loaded window: created when the window loads (after its
// controls are built, before its handlers run), hidden when it unloads, and
// destroyed once the outermost user event (or nested handler call) in which
// it unloaded has returned -- never while a handler of that event is still
// running. A view that calls a User... method therefore must not touch
// itself after that call returns. It mirrors the model and holds no
// behaviour.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void Show(bool modal) = 0;
  // The window shown modally no longer is (hidden, unloaded, or its loop
  // ended by the program's end): the others take input again.
  virtual void EndModal() {}
  virtual void Hide() = 0;
  // The property now differs from what the view last saw (also for echoes
  // of the view's own input, e.g. TextBox::UserEdit: the view ignores text
  // it already shows).
  virtual void Changed(Control& control, Property property) = 0;
  virtual std::uintptr_t Handle() const = 0;  // the window handle, 0: none
};

// Message-box answer codes and style bits.
inline constexpr int kVbOK = 1;
inline constexpr int kVbCancel = 2;
inline constexpr int kVbYes = 6;
inline constexpr int kVbNo = 7;
inline constexpr int kVbOKOnly = 0;
inline constexpr int kVbYesNo = 4;
inline constexpr int kVbCritical = 16;

// Everything the runtime needs from outside.
class Host {
 public:
  virtual ~Host() = default;
  // A modal message box; returns the answer code.
  virtual int ShowMessage(const std::string& text, int style,
                          const std::string& caption) = 0;
  // Runs a nested event loop until form is no longer shown.
  virtual void RunModal(Form& form) = 0;
  // Ends the program; does not return.
  [[noreturn]] virtual void EndProgram() = 0;
  // The view of a window being loaded; null for none.
  virtual std::unique_ptr<FormView> CreateView(Form& form) = 0;
};

// The program's title, the caption of message boxes that give none.
inline constexpr const char* kAppTitle = "Movarin";

// Error 51, the report of an exception that is not a RuntimeError.
inline constexpr int kInternalErrorNumber = 51;
inline constexpr const char* kInternalErrorDescription = "Internal error";

// Message boxes, the error policy, and the bookkeeping of events shared by
// every window of a program: which window is shown modally, and the windows
// unloaded during an event, kept alive until it has returned.
class Application {
 public:
  explicit Application(Host& host) : host_(host) {}
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  Host& host() { return host_; }

  // caption "" means kAppTitle.
  int MsgBox(const std::string& text, int style = kVbOKOnly,
             const std::string& caption = "");

  // Runs one event's handler (empty: nothing). An unhandled RuntimeError is
  // reported under kAppTitle as "Run-time error 'N':", a blank line, then
  // the description, with style kVbCritical; any other std::exception the
  // same way as error 51 "Internal error". Then the program ends
  // (Host::EndProgram). Anything not derived from std::exception (a host's
  // own unwinding) passes through untouched.
  void RaiseEvent(const std::function<void()>& handler);

  // Runs a handler nested in the running code (an assignment that raises an
  // event): errors propagate to the caller. Empty: nothing.
  void Call(const std::function<void()>& handler);

  // False while another window is shown modally: user input to form is then
  // ignored.
  bool AcceptsInput(const Form& form) const;

  // The window shown modally last and not yet hidden or unloaded; null.
  Form* ModalForm() const;

 private:
  friend class Form;
  struct EventScope;
  // Keeps what an unloading window discards until no event runs.
  void Discard(std::vector<std::unique_ptr<Control>> controls,
               std::unique_ptr<FormView> view);
  void ReleaseDiscarded();

  Host& host_;
  int eventDepth_ = 0;
  std::vector<Form*> modal_;  // innermost last
  struct Discarded {
    std::vector<std::unique_ptr<Control>> controls;
    std::unique_ptr<FormView> view;  // released first: it refers to them
  };
  std::vector<Discarded> discarded_;
};

// --------------------------------------------------------------- controls --

// A control of a loaded window: its properties are the single source of
// truth; setting one to a different value tells the view (a text box's
// caption is its Property::kText). User... methods are what the view (or a
// test script) calls for user input: they raise the events inside the error
// policy, and do nothing while another window is shown modally.
// Assignments from handlers raise events nested, unguarded.
class Control {
 public:
  Control(Form& form, const ControlDesign& design);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDesign& design() const { return design_; }
  const std::string& Name() const { return name_; }
  // False once its window has unloaded it: it then tells no view, touches
  // no other control and ignores user input.
  bool Attached() const { return attached_; }
  Kind kind() const { return design_.kind; }
  Form& form() const { return form_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color color);

  // Handlers, bound by the window; empty means no handler.
  std::function<void()> Click;
  std::function<void()> MouseMove;

  // User input.
  // An enabled control raises Click, a disabled one ignores it.
  virtual void UserClick();
  // An enabled control raises MouseMove, a disabled one ignores it (the
  // view hands a move over a disabled control to its container).
  void UserMouseMove();

 protected:
  // Attached, and its window not blocked by another shown modally.
  bool TakesInput() const;
  void Notify(Property property);
  void Raise(const std::function<void()>& handler);

 private:
  friend class Form;
  Form& form_;
  const ControlDesign& design_;
  bool attached_ = true;
  std::string name_;
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
  // Raises Change inside the assignment when the value differs. A value
  // outside Min..Max is taken as the nearest end.
  void SetValue(std::int32_t value);

  std::function<void()> Change;

  // User input: the thumb moved to value (clamped), or stepped.
  void UserMoveTo(std::int32_t value);
  void UserSmallStep(int direction);  // arrow keys: -1 or +1
  void UserLargeStep(int direction);  // page keys, clicks beside the thumb

 private:
  // Takes value, clamped to Min..Max; true when the value changed.
  bool Assign(std::int64_t value);
  void UserAssign(std::int64_t value);  // Assign, and Change, as user input
  std::int32_t value_ = design().slider.value;
};

// Option buttons of one container form a group: selecting one clears the
// others. A disabled option cannot be selected by the user.
class OptionButton : public Control {
 public:
  using Control::Control;
  bool Value() const { return value_; }
  // True clears the group and raises Click (when it was not selected);
  // False just clears this one.
  void SetValue(bool value);
  // Selects an enabled option and raises Click; nothing when disabled.
  void UserClick() override;

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

// The row of the control named name in a design table, found while
// compiling: a name that is not in the table, or whose kind is not a T,
// fails the build.
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

// ----------------------------------------------------------------- window --

enum class FormState { kNotLoaded, kHidden, kShown };

// One window for the whole run. Any reference to it or one of its controls
// (through Get) loads it from its design; loading does not show it.
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
  // Discards the controls and their values; nothing when not loaded. Safe
  // inside the window's own handlers: the discarded controls stay alive,
  // detached, until the running event returns.
  void Unload();

  // User input on the window itself.
  void UserClose();      // the title-bar close box
  void UserMouseMove();  // the pointer over the window's own surface
  void UserEscape();     // Esc: presses the cancel button, if any

  // The window handle of the view, 0 when there is none.
  std::uintptr_t hWnd() const;

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
  // The control of that name, loading the window first, for tests and
  // tools that know controls by name; throws std::out_of_range for a name
  // not in the design, std::bad_cast when it is not a T.
  Control& Find(const std::string& name);
  template <class T>
  T& Get(const std::string& name) {
    return dynamic_cast<T&>(Find(name));
  }

  // The view of the loaded window, or null.
  FormView* view() const { return view_.get(); }

 protected:
  // Binds the handlers to the freshly built controls; runs on every load.
  virtual void BindEvents() {}
  virtual void Form_Load() {}
  std::function<void()> MouseMove;  // Form_MouseMove
  // Closing the window by its close box ends the program when true.
  bool endsProgramOnClose_ = false;

 private:
  friend class Control;
  void LeaveModal();  // no longer the modal window, if it was

  Application& app_;
  const WindowDesign& design_;
  FormState state_ = FormState::kNotLoaded;
  bool loading_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<FormView> view_;  // declared last: released first
};

}  // namespace forms
