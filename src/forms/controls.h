#pragma once
// The controls of the window model: plain structs holding exactly the properties the
// program's logic reads and writes (texts, captions, list positions, check marks, colours,
// positions and sizes in twips). The Qt view renders them; tests read them directly.
//
// Most properties are plain members. The few whose change runs a handler, as code relies on
// (a list's index or text, a check box's or option button's value), are set through methods.
#include <QString>
#include <QStringList>
#include <vector>

#include "forms/color.h"
#include "forms/displaylist.h"

namespace forms {

class Form;

enum class ControlKind {
  TextBox,
  Label,
  ComboBox,
  CheckBox,
  OptionButton,
  CommandButton,
  Frame,
  Image,
  Line,
  MenuItem,
  PictureBox,
  Grid,
};

const char* kindName(ControlKind kind);

struct Font {
  QString Name = QStringLiteral("MS Sans Serif");
  float Size = 8.25f;
  bool Bold = false;
  bool Italic = false;
  bool operator==(const Font&) const = default;
};

// Alignment of a caption or text.
enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

struct Control {
  explicit Control(ControlKind k) : kind(k) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlKind kind;
  QString Name;
  int Index = -1;          // element of a control array, -1 for a single control
  Form* owner = nullptr;   // the form whose layout table holds this control
  Control* Container = nullptr;  // the frame or picture box this control sits in

  bool Visible = true;
  bool Enabled = true;
  int Left = 0, Top = 0, Width = 0, Height = 0;  // twips, relative to the container
  VbColor BackColor = kSysButtonFace;
  VbColor ForeColor = kSysWindowText;
  Font font;
  QString ToolTipText;
  int TabIndex = -1;
  bool TabStop = true;

  // The text a layout row gives the control at design time (caption or text).
  virtual void setDesignText(const QString&) {}
  // "Name" or "Name(Index)", for messages and tests.
  QString displayName() const;
};

struct TextBox : Control {
  TextBox() : Control(ControlKind::TextBox) { BackColor = kWhite; }
  QString Text;
  bool Locked = false;
  bool MultiLine = false;
  int Alignment = AlignLeft;
  int MaxLength = 0;
  int SelStart = 0;
  int SelLength = 0;
  void setDesignText(const QString& t) override { Text = t; }
};

struct Label : Control {
  Label() : Control(ControlKind::Label) {}
  QString Caption;
  int Alignment = AlignLeft;
  bool AutoSize = false;
  bool WordWrap = false;
  int BorderStyle = 0;  // 0 none, 1 fixed single
  int BackStyle = 1;    // 0 transparent, 1 opaque
  bool UseMnemonic = true;  // "&" marks an access key; false shows it as written
  void setDesignText(const QString& t) override { Caption = t; }
};

struct CommandButton : Control {
  CommandButton() : Control(ControlKind::CommandButton) {}
  QString Caption;
  bool Default = false;
  void setDesignText(const QString& t) override { Caption = t; }
};

struct Frame : Control {
  Frame() : Control(ControlKind::Frame) {}
  QString Caption;
  int BorderStyle = 1;
  void setDesignText(const QString& t) override { Caption = t; }
};

// A list. Style 0 is a drop-down combo whose text can be typed, style 2 a drop-down list.
// Setting the index or the text from code runs the list's handler (Click for an index,
// Change for the typed text of a style-0 combo); filling the entries never does.
struct ComboBox : Control {
  ComboBox() : Control(ControlKind::ComboBox) { BackColor = kWhite; }
  int Style = 2;

  int ListIndex() const { return listIndex_; }
  const QString& Text() const { return text_; }
  int ListCount() const { return static_cast<int>(items_.size()); }
  QString List(int i) const;
  const QStringList& items() const { return items_; }

  // Code sets the selection: the handler runs (Click), even when the index is unchanged.
  void SetListIndex(int index);
  // Code sets the text: a style-2 list selects the matching entry (Click) and ignores a text
  // that is not one of its entries; a style-0 combo takes any text and runs Change only.
  void SetText(const QString& text);

  // Filling the list: no handler runs. Clear also empties the text of a list.
  void AddItem(const QString& item);
  void RemoveItem(int index);
  void Clear();

  // The view's path for what the user did; the view raises the events itself.
  void setFromUser(int index, const QString& text) {
    listIndex_ = index;
    text_ = text;
  }
  void setDesignText(const QString& t) override { text_ = t; }

 private:
  QStringList items_;
  int listIndex_ = -1;
  QString text_;
};

// A check box. Value 0 unchecked, 1 checked, 2 grey. Setting a different value from code
// runs Click, as a user's click does.
struct CheckBox : Control {
  CheckBox() : Control(ControlKind::CheckBox) {}
  QString Caption;
  int Value() const { return value_; }
  void SetValue(int v);
  void setFromUser(int v) { value_ = v; }
  void setDesignText(const QString& t) override { Caption = t; }

 private:
  int value_ = 0;
};

// An option button. Setting it true from code clears the other option buttons of the same
// container and runs Click.
struct OptionButton : Control {
  OptionButton() : Control(ControlKind::OptionButton) {}
  QString Caption;
  bool Value() const { return value_; }
  void SetValue(bool v);
  void setFromUser(bool v);
  void setDesignText(const QString& t) override { Caption = t; }

 private:
  bool value_ = false;
};

// A picture shown by the view; Picture names one of the view's own drawings (a stage
// schematic, a summing stage) or is empty.
struct Image : Control {
  Image() : Control(ControlKind::Image) {}
  QString Picture;
  bool Stretch = true;
};

// A straight line drawn on the window or a frame, in twips of its container.
struct Line : Control {
  Line() : Control(ControlKind::Line) { BackColor = kBlack; }
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  VbColor BorderColor = kBlack;
  int BorderWidth = 1;
};

// A menu or menu item. Container is the menu it belongs to (nullptr for a menu-bar entry).
// A caption "-" is a separator. Checked items show a check mark; the handler sets Checked,
// the view never toggles it itself.
struct MenuItem : Control {
  MenuItem() : Control(ControlKind::MenuItem) {}
  QString Caption;
  bool Checked = false;
  QString Shortcut;  // in Qt's portable text form, e.g. "Ctrl+S", "F1"
  void setDesignText(const QString& t) override { Caption = t; }
};

// A picture box: what code drew on it, as a display list in twips (or in the box's own
// scale when ScaleWidth/ScaleHeight are set). Cls clears it.
struct PictureBox : Control {
  PictureBox() : Control(ControlKind::PictureBox) { BackColor = kWhite; }
  DisplayList drawing;
  float CurrentX = 0, CurrentY = 0;
  int DrawWidth = 1;
  bool AutoRedraw = true;
  int BorderStyle = 1;
  QString Picture;  // one of the view's own drawings painted under the display list

  void Cls();
  void DrawLine(float x1, float y1, float x2, float y2, VbColor color);
  // Writes text with its top-left corner at (CurrentX, CurrentY) in ForeColor and the box's font.
  void Print(const QString& text);
};

// A grid of texts (the part list, the amplifier records). A caption's lines are joined by a
// carriage return. Only the row EditRow (when not -1) takes the user's typing, cell by cell into
// Rows; a click on a column heading sets Col and raises HeadClick.
struct Grid : Control {
  Grid() : Control(ControlKind::Grid) { BackColor = kWhite; }
  QStringList Columns;
  std::vector<int> ColumnWidths;  // twips; a column without one gets the view's width
  std::vector<QStringList> Rows;
  int Row = -1;
  int Col = -1;
  int EditRow = -1;
};

}  // namespace forms
