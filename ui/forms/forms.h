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
#include <vector>

namespace forms {

// ---------------------------------------------------------------- design --

// 0x00BBGGRR, or 0x800000nn for system colour nn.
using Color = std::uint32_t;
inline constexpr Color kDefaultColor = 0xFFFFFFFFu;  // the kind's default

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

// The view of one loaded window: created when the window loads, destroyed
// when it unloads. It mirrors the model and holds no behaviour.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void Show(bool modal) = 0;
  virtual void Hide() = 0;
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
  virtual int MessageBox(const std::string& text, int style,
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

// Message boxes and the error policy, shared by every window of a program.
class Application {
 public:
  explicit Application(Host& host) : host_(host) {}
  Host& host() { return host_; }

  // caption "" means kAppTitle.
  int MsgBox(const std::string& text, int style = kVbOKOnly,
             const std::string& caption = "");

  // Runs one event's handler. An unhandled RuntimeError (or any other
  // exception) is reported under kAppTitle as "Run-time error 'N':", a blank
  // line, then the description; then the program ends.
  void RaiseEvent(const std::function<void()>& handler);

 private:
  Host& host_;
};

// --------------------------------------------------------------- controls --

// A control of a loaded window: its properties are the single source of
// truth; setting one tells the view. User... methods are what the view (or
// a test script) calls for user input: they raise the events inside the
// error policy. Assignments from handlers raise events nested, unguarded.
class Control {
 public:
  Control(Form& form, const ControlDesign& design);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDesign& design() const { return design_; }
  const std::string& Name() const { return name_; }
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
  virtual void UserClick();  // an enabled control raises Click
  void UserMouseMove();      // raises MouseMove

 protected:
  void Notify(Property property);
  void Raise(const std::function<void()>& handler);

 private:
  Form& form_;
  const ControlDesign& design_;
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
  Slider(Form& form, const ControlDesign& design);
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
  std::int32_t value_;
};

// Option buttons of one container form a group: selecting one clears the
// others. A disabled option cannot be selected by the user.
class OptionButton : public Control {
 public:
  OptionButton(Form& form, const ControlDesign& design);
  bool Value() const { return value_; }
  // True clears the group and raises Click (when it was not selected);
  // False just clears this one.
  void SetValue(bool value);
  // Selects an enabled option and raises Click; nothing when disabled.
  void UserClick() override;

 private:
  bool value_ = false;
};

class TextBox : public Control {
 public:
  TextBox(Form& form, const ControlDesign& design);
  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  // The user edited the text (no event).
  void UserEdit(const std::string& text);
};

// ----------------------------------------------------------------- window --

enum class FormState { kNotLoaded, kHidden, kShown };

// One window for the whole run. Any reference to it or one of its controls
// (through Get) loads it from its design; loading does not show it.
class Form {
 public:
  Form(Application& app, const WindowDesign& design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const WindowDesign& design() const { return design_; }
  Application& app() { return app_; }
  FormState State() const { return state_; }
  bool IsLoaded() const { return state_ != FormState::kNotLoaded; }

  void Load();       // builds the controls and runs Form_Load, once per load
  void Show();       // loads, then shows modelessly
  void ShowModal();  // loads, shows, returns once hidden or unloaded
  void Hide();
  void Unload();     // discards the controls and their values

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
  // The control of that name, loading the window first; throws
  // std::out_of_range for a name not in the design.
  Control& Find(const std::string& name);
  template <class T>
  T& Get(const std::string& name) {
    return static_cast<T&>(Find(name));
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
  Application& app_;
  const WindowDesign& design_;
  FormState state_ = FormState::kNotLoaded;
  bool loading_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<FormView> view_;
};

}  // namespace forms
