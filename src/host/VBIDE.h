// The IDE's extensibility object model, as the add-in sees it.
//
// This is the add-in's only door to the IDE: projects, components, code
// modules, code panes, windows, command bars and their click events. The add-in
// is written against these abstract classes alone; the in-memory IDE in
// host/model implements them, as the real IDE's type library would.
//
// Conventions that hold for every class here:
// - Lines and columns count from 1.
// - A call the IDE refuses throws VbError (host/VbError.h).
// - "Nothing" is a null pointer. Objects reached through the root live as long
//   as the IDE; command-bar controls and their event objects are shared, since
//   the add-in keeps them after the IDE may have deleted the control (using a
//   deleted control throws).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "host/VbError.h"
#include "support/text/VbText.h"

namespace kv::vbide {

class VBE;
class VBProject;
class VBComponent;
class CodeModule;
class CodePane;
class Window;
class CommandBars;
class CommandBar;
class CommandBarControl;
class CommandBarEvents;
class Events;

// vbext_ComponentType.
enum class ComponentType : std::int32_t {
  StdModule = 1,
  ClassModule = 2,
  MSForm = 3,
  ResFile = 4,
  VBForm = 5,
  VBMDIForm = 6,
  PropPage = 7,
  UserControl = 8,
  DocObject = 9,  // user document
  RelatedDocument = 10,
  ActiveXDesigner = 11,
};

// vbext_ProcKind: 0 Sub or Function, 1 Property Let, 2 Property Set, 3 Property Get.
enum class ProcKind : std::int32_t { Proc = 0, Let = 1, Set = 2, Get = 3 };

// vbext_WindowType (the values the add-in meets).
enum class WindowType : std::int32_t {
  CodeWindow = 0,
  Designer = 1,
  Browser = 2,
  Watch = 3,
  Locals = 4,
  Immediate = 5,
  ProjectWindow = 6,
  PropertyWindow = 7,
  Find = 8,
  FindReplace = 9,
  Toolbox = 10,
  LinkedWindowFrame = 11,
  MainWindow = 12,
};

// vbext_ProjectProtection.
inline constexpr std::int32_t kProtectionUnprotected = 0;
inline constexpr std::int32_t kProtectionLocked = 1;

class CodeModule {
 public:
  virtual ~CodeModule() = default;
  virtual VBComponent& Parent() = 0;
  virtual std::int32_t CountOfLines() = 0;
  virtual std::int32_t CountOfDeclarationLines() = 0;
  // The lines start..start+count-1 joined with CR LF; lines past the end add
  // nothing.
  virtual VbString Lines(std::int32_t startLine, std::int32_t count) = 0;
  virtual void ReplaceLine(std::int32_t line, VbStringView text) = 0;
  virtual void InsertLines(std::int32_t line, VbStringView text) = 0;
  virtual void DeleteLines(std::int32_t startLine, std::int32_t count) = 0;
  virtual void AddFromString(VbStringView text) = 0;
  // The name of the procedure that owns the line (empty in the declarations
  // section); its kind is returned through `kind`.
  virtual VbString ProcOfLine(std::int32_t line, ProcKind& kind) = 0;
  virtual std::int32_t ProcStartLine(VbStringView name, ProcKind kind) = 0;
  virtual std::int32_t ProcCountLines(VbStringView name, ProcKind kind) = 0;
  // The module's code pane, opened (not activated) when it was not.
  virtual vbide::CodePane& CodePane() = 0;
};

class VBComponent {
 public:
  virtual ~VBComponent() = default;
  virtual VbString Name() = 0;
  virtual ComponentType Type() = 0;
  // Throws for components that have no code module (related documents,
  // resource files).
  virtual vbide::CodeModule& CodeModule() = 0;
  virtual VBProject& Collection() = 0;
};

class VBProject {
 public:
  virtual ~VBProject() = default;
  virtual VbString Name() = 0;
  virtual std::int32_t Protection() = 0;
  // The components in the project's order.
  virtual std::vector<VBComponent*> VBComponents() = 0;
  virtual vbide::VBE& VBE() = 0;
};

class CodePane {
 public:
  virtual ~CodePane() = default;
  virtual void GetSelection(std::int32_t& startLine, std::int32_t& startColumn, std::int32_t& endLine,
                            std::int32_t& endColumn) = 0;
  virtual void SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                            std::int32_t endColumn) = 0;
  virtual vbide::CodeModule& CodeModule() = 0;
  virtual vbide::Window& Window() = 0;
  // Brings the pane to the front as the active code pane.
  virtual void Show() = 0;
};

class Window {
 public:
  virtual ~Window() = default;
  virtual WindowType Type() = 0;
  virtual VbString Caption() = 0;
  virtual bool Visible() = 0;
  virtual void SetFocus() = 0;
  // The window handle the platform layer knows this window by.
  virtual std::int32_t hWnd() = 0;
};

// ---- Command bars -----------------------------------------------------------

// msoControlType values the add-in uses.
enum class ControlType : std::int32_t { Button = 1, Popup = 10 };
// msoButtonStyle values the add-in uses.
enum class ButtonStyle : std::int32_t { Icon = 1, Caption = 2, IconAndCaption = 3 };

using ControlPtr = std::shared_ptr<CommandBarControl>;

// The optional arguments of FindControl; an absent one does not filter. (The
// "= {}" let callers name only the arguments they give: {.id = 473}.)
struct FindControlArgs {
  std::optional<ControlType> type = {};
  std::optional<std::int32_t> id = {};
  std::optional<VbString> tag = {};
  std::optional<bool> visible = {};
  bool recursive = false;  // CommandBar.FindControl only: look inside pop-ups too
};

// The optional arguments of CommandBarControls.Add.
struct AddControlArgs {
  std::optional<ControlType> type = {};     // default: button
  std::optional<std::int32_t> id = {};      // default: 1, a custom control
  std::optional<VbString> parameter = {};
  std::optional<std::int32_t> before = {};  // 1-based index; default: at the end
  std::optional<bool> temporary = {};
};

class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;
  virtual std::int32_t Count() = 0;
  virtual ControlPtr Item(std::int32_t index) = 0;  // 1-based
  virtual ControlPtr Add(const AddControlArgs& args) = 0;
};

class CommandBar {
 public:
  virtual ~CommandBar() = default;
  virtual VbString Name() = 0;
  virtual CommandBarControls& Controls() = 0;
  virtual ControlPtr FindControl(const FindControlArgs& args) = 0;  // nullptr: nothing found
};

class CommandBars {
 public:
  virtual ~CommandBars() = default;
  virtual std::int32_t Count() = 0;
  // Throws when no bar has that name.
  virtual CommandBar& Item(VbStringView name) = 0;
  virtual CommandBar& Item(std::int32_t index) = 0;  // 1-based
  // Searches every bar (and the pop-ups inside them); nullptr: nothing found.
  virtual ControlPtr FindControl(const FindControlArgs& args) = 0;
};

// A control of a command bar: a button or a pop-up. Properties a kind does not
// have (FaceId and Style of a pop-up, CommandBar of a button) throw, as they do
// through late binding in the IDE; so does every call on a deleted control.
class CommandBarControl {
 public:
  virtual ~CommandBarControl() = default;
  virtual ControlType Type() = 0;
  virtual std::int32_t Id() = 0;
  virtual std::int32_t Index() = 0;
  virtual VbString Caption() = 0;
  virtual void SetCaption(VbStringView caption) = 0;
  virtual VbString Parameter() = 0;
  virtual void SetParameter(VbStringView parameter) = 0;
  virtual VbString Tag() = 0;
  virtual void SetTag(VbStringView tag) = 0;
  virtual bool BeginGroup() = 0;
  virtual void SetBeginGroup(bool beginGroup) = 0;
  virtual bool Visible() = 0;
  virtual std::int32_t FaceId() = 0;
  virtual void SetFaceId(std::int32_t faceId) = 0;
  virtual ButtonStyle Style() = 0;
  virtual void SetStyle(ButtonStyle style) = 0;
  virtual void Delete() = 0;
  // The bar inside a pop-up.
  virtual vbide::CommandBar& CommandBar() = 0;
};

// The receiving end of a CommandBarEvents object: what a `WithEvents` variable
// of that type connects.
class CommandBarEventsSink {
 public:
  virtual ~CommandBarEventsSink() = default;
  // `control` is the control that was clicked.
  virtual void Click(CommandBarControl& control, bool& handled, bool& cancelDefault) = 0;
};

// The click events of one control, handed out by Events.CommandBarEvents.
class CommandBarEvents {
 public:
  virtual ~CommandBarEvents() = default;
  virtual void Advise(CommandBarEventsSink& sink) = 0;
  virtual void Unadvise(CommandBarEventsSink& sink) = 0;
};

class Events {
 public:
  virtual ~Events() = default;
  virtual std::shared_ptr<vbide::CommandBarEvents> CommandBarEvents(const ControlPtr& control) = 0;
};

// ---- The root ----------------------------------------------------------------

class VBE {
 public:
  virtual ~VBE() = default;
  virtual VBProject* ActiveVBProject() = 0;
  virtual CodePane* ActiveCodePane() = 0;
  virtual std::vector<VBProject*> VBProjects() = 0;
  virtual std::vector<Window*> Windows() = 0;
  virtual vbide::CommandBars& CommandBars() = 0;
  virtual vbide::Events& Events() = 0;
  // A text property of the root, read by the add-in only as a probe.
  virtual VbString Version() = 0;
};

}  // namespace kv::vbide
