// The bindings of each control kind: how a model control becomes a widget, which signals turn
// user input into model writes and events, and how changed properties reach the widget.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <map>

#include "gui/colors.h"
#include "gui/drawings.h"
#include "gui/formview_p.h"

namespace gui::detail {

using forms::ControlKind;
using forms::Event;

// ---------------------------------------------------------------- helpers

static bool isFixedPitchName(const QString& name) {
  return name.contains(QLatin1String("Courier"), Qt::CaseInsensitive) ||
         name.contains(QLatin1String("Mono"), Qt::CaseInsensitive) ||
         name.compare(QLatin1String("Terminal"), Qt::CaseInsensitive) == 0;
}

QStringList fontFamilies(const QString& name) {
  // The window was laid out for a narrow sans-serif face: the faces of that width (the
  // Arial-metric ones) go first where a system has them, the desktop's own font last.
  static const QStringList designFaces = [] {
    QStringList faces;
    const QStringList wanted = {QStringLiteral("MS Sans Serif"),
                                QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                QStringLiteral("Helvetica")};
    for (const QString& f : wanted)
      if (QFontDatabase::hasFamily(f)) faces << f;
    faces << QApplication::font().family();
    return faces;
  }();
  if (name.isEmpty() || name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
    return designFaces;
  if (isFixedPitchName(name)) {
    // A fixed-width face keeps table columns aligned: the metric-compatible ones first.
    static const QStringList fixedFaces = {QStringLiteral("Courier New"),
                                           QStringLiteral("Liberation Mono"),
                                           QStringLiteral("DejaVu Sans Mono"),
                                           QStringLiteral("Nimbus Mono PS"),
                                           QStringLiteral("Monospace")};
    return QStringList{name} + fixedFaces;
  }
  return QStringList{name} + designFaces;
}

namespace {

bool isDesignFace(const QString& name) {
  return name.isEmpty() || name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0;
}

// The window's captions were fitted to the designed face, about a tenth narrower than the
// Arial-metric faces: "Resistors" is 41 pixels wide at 11 pixels. Whatever face stands in is
// condensed to that width, so that captions fit their labels as designed.
int designStretch(const QFont& font) {
  static std::map<std::pair<QString, int>, int> cache;
  const auto key = std::make_pair(font.families().join(QLatin1Char(',')), font.pixelSize());
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  QFont probe = font;
  probe.setBold(false);
  probe.setItalic(false);
  probe.setStretch(QFont::Unstretched);
  const double width = QFontMetricsF(probe).horizontalAdvance(QStringLiteral("Resistors"));
  const double target = 41.0 * font.pixelSize() / 11.0;
  int stretch = 100;
  if (width > target && width > 0)
    stretch = std::clamp(static_cast<int>(std::floor(100.0 * target / width)), 75, 100);
  cache[key] = stretch;
  return stretch;
}

}  // namespace

QFont makeFont(const forms::Font& font, double factor) {
  QFont f;
  f.setFamilies(fontFamilies(font.Name));
  f.setStyleHint(isFixedPitchName(font.Name) ? QFont::TypeWriter : QFont::SansSerif);
  f.setFixedPitch(isFixedPitchName(font.Name));
  const double size = (font.Size > 0 && std::isfinite(font.Size)) ? font.Size : 8.25;
  // Whole pixel sizes keep the text crisp; 8.25 points are 11 pixels at 100 %.
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(size * 96.0 / 72.0 * factor))));
  if (isDesignFace(font.Name)) f.setStretch(designStretch(f));
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  return f;
}

int keyCodeOf(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return forms::kKeyF1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return forms::kKeyReturn;
    case Qt::Key_Escape: return forms::kKeyEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return forms::kKeyTab;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return 0;
  }
}

int keyAsciiOf(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return forms::kKeyReturn;
    case Qt::Key_Escape: return forms::kKeyEscape;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0;  // moves the focus; no character
    default: break;
  }
  const QString t = e.text();
  if (t.size() != 1) return 0;
  const char16_t ch = t.at(0).unicode();
  if (ch < 32 && ch != 8) return 0;
  return ch;
}

int shiftOf(Qt::KeyboardModifiers m) {
  return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

int buttonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return forms::kLeftButton;
    case Qt::RightButton: return forms::kRightButton;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

QString withoutMnemonic(const QString& caption) {
  if (!caption.contains(QLatin1Char('&'))) return caption;
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

namespace {

Qt::Alignment alignmentOf(int a) {
  switch (a) {
    case forms::AlignRight: return Qt::AlignRight;
    case forms::AlignCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

void setRole(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette p = w->palette();
  // The disabled look stays the style's own.
  p.setColor(QPalette::Active, role, c);
  p.setColor(QPalette::Inactive, role, c);
  w->setPalette(p);
}

// Width in pixels of the sunken border of a bordered picture box.
constexpr int kPictureBorder = 2;

}  // namespace

// ---------------------------------------------------------------- Binding

Binding::Binding(FormView& view, forms::Control& control) : view_(view), control_(control) {}

void Binding::applyColors(const QColor& back, const QColor& fore) {
  setRole(widget_, QPalette::Window, back);
  setRole(widget_, QPalette::WindowText, fore);
}

QRect Binding::rectFromTwips(const Scale& s, int left, int top, int width, int height) const {
  const QPoint o = onForm_ ? s.origin : QPoint();
  const auto px = [&](double twips) { return static_cast<int>(std::lround(twips * s.k)); };
  const int x0 = px(left), y0 = px(top);
  const int x1 = px(static_cast<double>(left) + width), y1 = px(static_cast<double>(top) + height);
  return QRect(o.x() + x0, o.y() + y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

QRect Binding::geometryFor(const Scale& s) const {
  return rectFromTwips(s, control_.Left, control_.Top, control_.Width, control_.Height);
}

bool Binding::geometryChanged() const {
  return control_.Left != left_ || control_.Top != top_ || control_.Width != width_ ||
         control_.Height != height_;
}

void Binding::rememberGeometry() {
  left_ = control_.Left;
  top_ = control_.Top;
  width_ = control_.Width;
  height_ = control_.Height;
}

void Binding::sync(const Scale& s, bool all) {
  if (!widget_) return;
  forms::Control& c = control_;
  const bool rescaled = all || s.generation != generation_;
  if (rescaled || geometryChanged()) {
    rememberGeometry();
    widget_->setGeometry(geometryFor(s));
  }
  if (rescaled || !(c.font == font_)) {
    font_ = c.font;
    widget_->setFont(makeFont(c.font, s.factor));
  }
  if (all || c.BackColor != back_ || c.ForeColor != fore_) {
    back_ = c.BackColor;
    fore_ = c.ForeColor;
    const QPalette& app = QApplication::palette();
    applyColors(toQColor(c.BackColor, app), toQColor(c.ForeColor, app));
  }
  if (all || c.ToolTipText != tip_) {
    tip_ = c.ToolTipText;
    widget_->setToolTip(c.ToolTipText);
  }
  if (focusable() && (all || c.TabStop != tabStop_)) {
    tabStop_ = c.TabStop;
    widget_->setFocusPolicy(c.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
  }
  syncOwn(s, all, rescaled);
  generation_ = s.generation;
  if (all || c.Enabled != enabled_) {
    enabled_ = c.Enabled;
    widget_->setEnabled(c.Enabled);
  }
  if (all || c.Visible != visible_) {
    visible_ = c.Visible;
    widget_->setVisible(c.Visible);
  }
}

namespace {

// ---------------------------------------------------------------- painted widgets

class ImageWidget : public QWidget {
 public:
  ImageWidget(const forms::Image& image, QWidget* parent) : QWidget(parent), image_(image) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    drawings().paint(image_.Picture, p, QRectF(rect()));
  }

 private:
  const forms::Image& image_;
};

class LineWidget : public QWidget {
 public:
  explicit LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  QPointF from, to;
  QColor color;
  double width = 1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QPen pen(color, width);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    const bool straight = from.x() == to.x() || from.y() == to.y();
    p.setRenderHint(QPainter::Antialiasing, !straight);
    p.drawLine(from, to);
  }
};

// A label painting its caption itself. One-line labels are as tall as the designed face's
// line; a face that stands in with a taller line would push its descenders out of the label,
// so its caption moves up by the overflow, as far as the empty space above the capitals goes.
class LabelWidget : public QLabel {
 public:
  explicit LabelWidget(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    drawFrame(&p);
    const QFontMetrics m = fontMetrics();
    QRect r = contentsRect();
    const int overflow = m.height() - r.height();
    if (overflow > 0) r.translate(0, -std::min(overflow, std::max(0, m.ascent() - m.capHeight() - 1)));
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    style()->drawItemText(&p, r, flags, palette(), isEnabled(), text(), foregroundRole());
  }
};

// Check boxes and option buttons react to a click anywhere on the control, not only on
// their mark and caption.
class WholeCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class WholeRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A frame drawn flat in its own background colour, with an etched border and its caption
// over the top edge (the style's group box adds a shaded panel of its own).
class FrameWidget : public QGroupBox {
 public:
  explicit FrameWidget(QWidget* parent) : QGroupBox(parent) {}
  bool bordered = true;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QFontMetrics m(font());
    const QString caption = withoutMnemonic(title());
    const int top = caption.isEmpty() ? 0 : m.height() / 2;
    if (bordered) {
      const QRect r = rect().adjusted(0, top, -1, -1);
      p.setPen(palette().color(QPalette::Dark));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      p.setPen(palette().color(QPalette::Light));
      p.drawRect(r.adjusted(1, 1, 0, 0));
    }
    if (caption.isEmpty()) return;
    const int indent = std::max(4, m.averageCharWidth());
    const QRect textRect(indent, 0, m.horizontalAdvance(caption) + 4, m.height());
    p.fillRect(textRect, palette().color(QPalette::Window));
    style()->drawItemText(&p, textRect.adjusted(2, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                          isEnabled(), title(), QPalette::WindowText);
  }
};

class PictureWidget : public QWidget {
 public:
  PictureWidget(const forms::PictureBox& box, QWidget* parent) : QWidget(parent), box_(box) {
    // The box paints all of itself, so nothing under it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  double k = 1.0 / 15;
  double factor = 1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QPalette& app = QApplication::palette();
    p.fillRect(rect(), toQColor(box_.BackColor, app));
    const int border = box_.BorderStyle != 0 ? kPictureBorder : 0;
    const QRectF inner = QRectF(rect()).adjusted(border, border, -border, -border);
    p.save();
    p.setClipRect(inner);
    drawings().paint(box_.Picture, p, inner);
    p.translate(border, border);
    // Segments that continue one another in one colour (a trace) are drawn as one smooth
    // polyline, so their joints neither gap nor overlap; lone straight lines (a grid) stay
    // crisp on the pixel grid.
    struct Chain {
      QPolygonF points;
      QPen pen;
    };
    std::vector<Chain> open;  // in the order they were started
    const auto flush = [&p](Chain& c) {
      if (c.points.size() < 2) return;
      p.setPen(c.pen);
      const QPointF a = c.points.first(), b = c.points.last();
      const bool straight = c.points.size() == 2 && (a.x() == b.x() || a.y() == b.y());
      p.setRenderHint(QPainter::Antialiasing, !straight);
      if (straight) {
        const auto snap = [](double v) { return std::floor(v) + 0.5; };
        p.drawLine(QPointF(a.x() == b.x() ? snap(a.x()) : a.x(), a.y() == b.y() ? snap(a.y()) : a.y()),
                   QPointF(a.x() == b.x() ? snap(b.x()) : b.x(), a.y() == b.y() ? snap(b.y()) : b.y()));
      } else {
        p.drawPolyline(c.points);
      }
      c.points.clear();
    };
    for (const forms::DrawnLine& l : box_.drawing.lines) {
      const QPointF a(l.x1 * k, l.y1 * k), b(l.x2 * k, l.y2 * k);
      if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
          !std::isfinite(b.y()))
        continue;
      QPen pen(toQColor(l.color, app), std::max(1.0, l.width * factor));
      pen.setCosmetic(true);
      pen.setJoinStyle(Qt::RoundJoin);
      auto it = std::find_if(open.begin(), open.end(), [&](const Chain& c) { return c.pen == pen; });
      if (it != open.end() && !it->points.isEmpty() && it->points.last() == a) {
        it->points << b;
        continue;
      }
      if (it == open.end()) {
        open.push_back({{}, pen});
        it = std::prev(open.end());
      }
      flush(*it);
      it->points << a << b;
    }
    for (Chain& c : open) flush(c);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const forms::DrawnText& t : box_.drawing.texts) {
      forms::Font f = box_.font;
      f.Size = t.fontSize;
      f.Bold = t.bold;
      const QFont qf = makeFont(f, factor);
      p.setFont(qf);
      p.setPen(toQColor(t.color, app));
      const QFontMetricsF m(qf);
      p.drawText(QPointF(t.x * k, t.y * k + m.ascent()), t.text);
    }
    p.restore();
    if (border) {
      // A sunken border: dark at the top left, light at the bottom right.
      const QRect r = rect();
      p.setPen(app.color(QPalette::Dark));
      p.drawLine(r.topLeft(), r.topRight());
      p.drawLine(r.topLeft(), r.bottomLeft());
      p.setPen(app.color(QPalette::Light));
      p.drawLine(r.bottomLeft(), r.bottomRight());
      p.drawLine(r.topRight(), r.bottomRight());
      p.setPen(app.color(QPalette::Shadow));
      p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
      p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
    }
  }

 private:
  const forms::PictureBox& box_;
};

// ---------------------------------------------------------------- kinds

class TextBoxBinding : public Binding {
 public:
  TextBoxBinding(FormView& v, forms::TextBox& box) : Binding(v, box), box_(box) {
    if (box.MultiLine) {
      auto* e = new QPlainTextEdit(&v);
      plain_ = e;
      widget_ = e;
      addInput(e);
      addInput(e->viewport());
      QObject::connect(e, &QPlainTextEdit::textChanged, e, [this] {
        // Only the user's typing arrives here: syncs block the signal.
        QString typed = plain_->toPlainText();
        text_ = typed;
        box_.Text = typed.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        view_.raiseFromUser(box_, Event::Change);
      });
    } else {
      auto* e = new QLineEdit(&v);
      line_ = e;
      widget_ = e;
      addInput(e);
      QObject::connect(e, &QLineEdit::textEdited, e, [this](const QString& typed) {
        text_ = typed;
        box_.Text = typed;
        box_.SelStart = static_cast<int>(line_->cursorPosition());
        box_.SelLength = 0;
        selStart_ = box_.SelStart;
        selLength_ = 0;
        view_.raiseFromUser(box_, Event::Change);
      });
    }
  }
  bool focusable() const override { return true; }
  bool clicksOnRelease() const override { return true; }
  bool ownsMouse() const override { return false; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Base, back);
    setRole(widget_, QPalette::Text, fore);
  }
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(widget_);
    if (line_) {
      if (all || box_.Text != text_) {
        text_ = box_.Text;
        line_->setText(box_.Text);
      }
      if (all || box_.Locked != locked_) line_->setReadOnly(locked_ = box_.Locked);
      if (all || box_.MaxLength != maxLength_) {
        maxLength_ = box_.MaxLength;
        line_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
      }
      if (all || box_.Alignment != alignment_) {
        alignment_ = box_.Alignment;
        line_->setAlignment(alignmentOf(alignment_) | Qt::AlignVCenter);
      }
      if (box_.SelStart != selStart_ || box_.SelLength != selLength_) {
        selStart_ = box_.SelStart;
        selLength_ = box_.SelLength;
        const int len = static_cast<int>(line_->text().size());
        const int start = std::clamp(selStart_, 0, len);
        line_->setSelection(start, std::clamp(selLength_, 0, len - start));
      }
    } else {
      if (all || box_.Text != modelText_) {
        modelText_ = box_.Text;
        QString shown = box_.Text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (shown != text_ || all) {
          text_ = shown;
          plain_->setPlainText(shown);
        }
      }
      if (all || box_.Locked != locked_) plain_->setReadOnly(locked_ = box_.Locked);
    }
  }

 private:
  forms::TextBox& box_;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* plain_ = nullptr;
  QString text_, modelText_;
  bool locked_ = false;
  int maxLength_ = 0, alignment_ = 0, selStart_ = 0, selLength_ = 0;
};

class LabelBinding : public Binding {
 public:
  LabelBinding(FormView& v, forms::Label& l) : Binding(v, l), label_(l) {
    auto* w = new LabelWidget(&v);
    w->setTextFormat(Qt::PlainText);
    w->setIndent(0);
    w->setMargin(0);
    widget_ = w;
    q_ = w;
    addInput(w);
  }
  bool clicksOnRelease() const override { return true; }
  bool graphical() const override { return true; }

 protected:
  QRect geometryFor(const Scale& s) const override {
    QRect r = Binding::geometryFor(s);
    if (label_.AutoSize && !label_.WordWrap) {
      // An auto-sized label grows to its caption.
      const QFontMetrics m(makeFont(label_.font, s.factor));
      const QString shown = label_.UseMnemonic ? withoutMnemonic(label_.Caption) : label_.Caption;
      r.setWidth(std::max(r.width(), m.horizontalAdvance(shown) + 2));
    }
    return r;
  }
  void syncOwn(const Scale& s, bool all, bool) override {
    if (all || label_.Caption != caption_) {
      caption_ = label_.Caption;
      q_->setText(label_.UseMnemonic ? withoutMnemonic(caption_) : caption_);
      if (label_.AutoSize) q_->setGeometry(geometryFor(s));
    }
    if (all || label_.Alignment != alignment_ || label_.WordWrap != wrap_) {
      alignment_ = label_.Alignment;
      wrap_ = label_.WordWrap;
      q_->setAlignment(alignmentOf(alignment_) | Qt::AlignTop);
      q_->setWordWrap(wrap_);
    }
    if (all || label_.BorderStyle != border_) {
      border_ = label_.BorderStyle;
      q_->setFrameStyle(border_ ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
    }
    if (all || label_.BackStyle != backStyle_) {
      backStyle_ = label_.BackStyle;
      q_->setAutoFillBackground(backStyle_ != 0);
    }
  }

 private:
  forms::Label& label_;
  LabelWidget* q_;
  QString caption_;
  int alignment_ = 0, border_ = 0, backStyle_ = 1;
  bool wrap_ = false;
};

class CommandButtonBinding : public Binding {
 public:
  CommandButtonBinding(FormView& v, forms::CommandButton& b) : Binding(v, b), button_(b) {
    auto* w = new QPushButton(&v);
    w->setAutoDefault(false);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QPushButton::clicked, w,
                     [this] { view_.raiseFromUser(button_, Event::Click); });
  }
  bool focusable() const override { return true; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Button, back);
    setRole(widget_, QPalette::ButtonText, fore);
  }
  void syncOwn(const Scale&, bool all, bool) override {
    // A caption wider than its button is broken into lines, as the window's narrow view
    // buttons need; the break follows the button's width at every scale.
    if (all || button_.Caption != caption_ || q_->width() != wrappedWidth_) {
      caption_ = button_.Caption;
      wrappedWidth_ = q_->width();
      q_->setText(wrappedCaption(caption_, q_->fontMetrics(), wrappedWidth_ - 6));
    }
  }

 private:
  static QString wrappedCaption(const QString& caption, const QFontMetrics& m, int width) {
    if (width <= 0 || m.horizontalAdvance(caption) <= width) return caption;
    QStringList lines;
    QString line;
    for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      if (!line.isEmpty() && m.horizontalAdvance(longer) > width) {
        lines << line;
        line = word;
      } else {
        line = longer;
      }
    }
    if (!line.isEmpty()) lines << line;
    return lines.join(QLatin1Char('\n'));
  }

  forms::CommandButton& button_;
  QPushButton* q_;
  QString caption_;
  int wrappedWidth_ = -1;
};

class CheckBoxBinding : public Binding {
 public:
  CheckBoxBinding(FormView& v, forms::CheckBox& c) : Binding(v, c), box_(c) {
    auto* w = new WholeCheckBox(&v);
    w->setAutoFillBackground(true);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QCheckBox::clicked, w, [this] {
      // A click checks a box that is clear or grey, and clears a checked one.
      box_.setFromUser(box_.Value() == 1 ? 0 : 1);
      value_ = q_->checkState() == Qt::Checked ? 1 : q_->checkState() == Qt::PartiallyChecked ? 2 : 0;
      view_.raiseFromUser(box_, Event::Click);
    });
  }
  bool focusable() const override { return true; }
  bool changesOnRelease() const override { return true; }

 protected:
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(q_);
    if (all || box_.Caption != caption_) q_->setText(caption_ = box_.Caption);
    if (all || box_.Value() != value_) {
      value_ = box_.Value();
      q_->setTristate(value_ == 2);
      q_->setCheckState(value_ == 1 ? Qt::Checked : value_ == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
  }

 private:
  forms::CheckBox& box_;
  QCheckBox* q_;
  QString caption_;
  int value_ = 0;
};

class OptionButtonBinding : public Binding {
 public:
  OptionButtonBinding(FormView& v, forms::OptionButton& o) : Binding(v, o), option_(o) {
    auto* w = new WholeRadioButton(&v);
    // The model keeps the buttons of a container exclusive; the widget only shows it.
    w->setAutoExclusive(false);
    w->setAutoFillBackground(true);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QRadioButton::clicked, w, [this] {
      if (option_.Value()) {
        // Clicking the chosen button keeps it chosen.
        QSignalBlocker block(q_);
        q_->setChecked(true);
        return;
      }
      option_.setFromUser(true);
      value_ = true;
      view_.raiseFromUser(option_, Event::Click);
    });
  }
  bool focusable() const override { return true; }
  bool changesOnRelease() const override { return true; }

 protected:
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(q_);
    if (all || option_.Caption != caption_) q_->setText(caption_ = option_.Caption);
    if (all || option_.Value() != value_ || q_->isChecked() != option_.Value()) {
      value_ = option_.Value();
      q_->setChecked(value_);
    }
  }

 private:
  forms::OptionButton& option_;
  QRadioButton* q_;
  QString caption_;
  bool value_ = false;
};

class ComboBoxBinding : public Binding {
 public:
  ComboBoxBinding(FormView& v, forms::ComboBox& c) : Binding(v, c), combo_(c) {
    auto* w = new QComboBox(&v);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(12);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QComboBox::activated, w, [this](int i) {
      const QString t = q_->itemText(i);
      combo_.setFromUser(i, t);
      index_ = i;
      text_ = t;
      view_.raiseFromUser(combo_, Event::Click);
    });
    setEditable(c.Style == 0);
  }
  bool focusable() const override { return true; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Base, back);
    setRole(widget_, QPalette::Text, fore);
    setRole(widget_, QPalette::ButtonText, fore);
  }
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(q_);
    if (combo_.Style != style_) setEditable(combo_.Style == 0);
    bool reselect = all;
    if (all || combo_.items() != items_) {
      items_ = combo_.items();
      QSignalBlocker blockEdit(q_->lineEdit());
      q_->clear();
      q_->addItems(items_);
      reselect = true;
    }
    if (reselect || combo_.ListIndex() != index_ || combo_.Text() != text_) {
      index_ = combo_.ListIndex();
      text_ = combo_.Text();
      q_->setCurrentIndex(index_);
      if (q_->isEditable()) {
        QSignalBlocker blockEdit(q_->lineEdit());
        q_->setEditText(text_);
      }
    }
  }

 private:
  void setEditable(bool editable) {
    style_ = combo_.Style;
    if (editable == q_->isEditable()) return;
    q_->setEditable(editable);
    if (!editable) return;
    // No completion or insertion: the text is what the user typed.
    q_->setCompleter(nullptr);
    QLineEdit* e = q_->lineEdit();
    if (std::find(inputObjects().begin(), inputObjects().end(), e) == inputObjects().end())
      addInput(e);
    QObject::connect(e, &QLineEdit::textEdited, q_, [this](const QString& t) {
      const int match = static_cast<int>(combo_.items().indexOf(t));
      combo_.setFromUser(match, t);
      index_ = match;
      text_ = t;
      view_.raiseFromUser(combo_, Event::Change);
    });
  }

  forms::ComboBox& combo_;
  QComboBox* q_;
  QStringList items_;
  int index_ = -2, style_ = -1;
  QString text_;
};

class FrameBinding : public Binding {
 public:
  FrameBinding(FormView& v, forms::Frame& f) : Binding(v, f), frame_(f) {
    auto* w = new FrameWidget(&v);
    w->setAutoFillBackground(true);
    widget_ = w;
    q_ = w;
    addInput(w);
  }
  QWidget* childHost() const override { return widget_; }
  bool clicksOnRelease() const override { return true; }

 protected:
  void syncOwn(const Scale&, bool all, bool) override {
    if (all || frame_.Caption != caption_) q_->setTitle(caption_ = frame_.Caption);
    if (all || frame_.BorderStyle != border_) {
      border_ = frame_.BorderStyle;
      q_->bordered = border_ != 0;
      q_->update();
    }
  }

 private:
  forms::Frame& frame_;
  FrameWidget* q_;
  QString caption_;
  int border_ = 1;
};

class ImageBinding : public Binding {
 public:
  ImageBinding(FormView& v, forms::Image& i) : Binding(v, i), image_(i) {
    widget_ = new ImageWidget(i, &v);
    addInput(widget_);
  }
  bool clicksOnRelease() const override { return true; }
  bool graphical() const override { return true; }

 protected:
  void applyColors(const QColor&, const QColor&) override {}
  void syncOwn(const Scale&, bool all, bool) override {
    if (all || image_.Picture != picture_) {
      picture_ = image_.Picture;
      widget_->update();
    }
  }

 private:
  forms::Image& image_;
  QString picture_;
};

class LineBinding : public Binding {
 public:
  LineBinding(FormView& v, forms::Line& l) : Binding(v, l), line_(l) {
    q_ = new LineWidget(&v);
    widget_ = q_;
  }
  bool graphical() const override { return true; }

 protected:
  bool geometryChanged() const override {
    return line_.X1 != x1_ || line_.Y1 != y1_ || line_.X2 != x2_ || line_.Y2 != y2_ ||
           line_.BorderWidth != width_;
  }
  void rememberGeometry() override {
    x1_ = line_.X1;
    y1_ = line_.Y1;
    x2_ = line_.X2;
    y2_ = line_.Y2;
    width_ = line_.BorderWidth;
  }
  QRect geometryFor(const Scale& s) const override {
    const QPoint o = onForm_ ? s.origin : QPoint();
    const double pen = std::max(1.0, line_.BorderWidth * s.factor);
    const double margin = std::ceil(pen / 2) + 1;
    const QPointF a(line_.X1 * s.k, line_.Y1 * s.k), b(line_.X2 * s.k, line_.Y2 * s.k);
    const double left = std::floor(std::min(a.x(), b.x()) - margin);
    const double top = std::floor(std::min(a.y(), b.y()) - margin);
    const double right = std::ceil(std::max(a.x(), b.x()) + margin);
    const double bottom = std::ceil(std::max(a.y(), b.y()) + margin);
    // The end points relative to the widget; straight lines on pixel centres.
    const auto snap = [&](double v, double origin) {
      return std::round(v - origin - 0.5) + (static_cast<int>(std::lround(pen)) % 2 ? 0.5 : 0.0);
    };
    const bool vertical = a.x() == b.x(), horizontal = a.y() == b.y();
    q_->from = QPointF(vertical ? snap(a.x(), left) : a.x() - left,
                       horizontal ? snap(a.y(), top) : a.y() - top);
    q_->to = QPointF(vertical ? snap(b.x(), left) : b.x() - left,
                     horizontal ? snap(b.y(), top) : b.y() - top);
    q_->width = pen;
    return QRect(o.x() + static_cast<int>(left), o.y() + static_cast<int>(top),
                 static_cast<int>(right - left), static_cast<int>(bottom - top));
  }
  void applyColors(const QColor&, const QColor&) override {}
  void syncOwn(const Scale&, bool all, bool) override {
    if (all || line_.BorderColor != color_) {
      color_ = line_.BorderColor;
      q_->color = toQColor(color_);
      q_->update();
    }
  }

 private:
  forms::Line& line_;
  LineWidget* q_;
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, width_ = 0;
  forms::VbColor color_ = 0;
};

class PictureBoxBinding : public Binding {
 public:
  PictureBoxBinding(FormView& v, forms::PictureBox& p) : Binding(v, p), box_(p) {
    q_ = new PictureWidget(p, &v);
    widget_ = q_;
    addInput(q_);
  }
  QWidget* childHost() const override { return widget_; }
  bool clicksOnRelease() const override { return true; }

 protected:
  void applyColors(const QColor&, const QColor&) override { q_->update(); }
  void syncOwn(const Scale& s, bool all, bool rescaled) override {
    if (all || box_.drawing.revision != revision_ || box_.Picture != picture_ ||
        box_.BorderStyle != border_) {
      revision_ = box_.drawing.revision;
      picture_ = box_.Picture;
      border_ = box_.BorderStyle;
      q_->update();
    }
    if (all || rescaled) {
      q_->k = s.k;
      q_->factor = s.factor;
      q_->update();
    }
  }

 private:
  forms::PictureBox& box_;
  PictureWidget* q_;
  unsigned revision_ = 0;
  QString picture_;
  int border_ = -1;
};

class GridBinding : public Binding {
 public:
  GridBinding(FormView& v, forms::Grid& g) : Binding(v, g), grid_(g) {
    auto* w = new QTableWidget(&v);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionBehavior(QAbstractItemView::SelectRows);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->verticalHeader()->setVisible(false);
    w->horizontalHeader()->setStretchLastSection(true);
    widget_ = w;
    q_ = w;
    addInput(w);
    addInput(w->viewport());
    QObject::connect(w, &QTableWidget::currentCellChanged, w, [this](int row, int, int, int) {
      grid_.Row = row;
      row_ = row;
    });
    QObject::connect(w, &QTableWidget::cellClicked, w, [this](int row, int) {
      grid_.Row = row;
      row_ = row;
      view_.raiseFromUser(grid_, Event::Click);
    });
    QObject::connect(w, &QTableWidget::cellDoubleClicked, w, [this](int row, int) {
      grid_.Row = row;
      row_ = row;
      view_.raiseFromUser(grid_, Event::DblClick);
    });
  }
  bool focusable() const override { return true; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Base, back);
    setRole(widget_, QPalette::Text, fore);
  }
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(q_);
    if (all || grid_.Columns != columns_) {
      columns_ = grid_.Columns;
      q_->setColumnCount(static_cast<int>(columns_.size()));
      q_->setHorizontalHeaderLabels(columns_);
    }
    if (all || grid_.Rows != rows_) {
      rows_ = grid_.Rows;
      q_->setRowCount(static_cast<int>(rows_.size()));
      for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        for (int c = 0; c < q_->columnCount(); ++c)
          q_->setItem(r, c, new QTableWidgetItem(rows_[r].value(c)));
      row_ = -2;
    }
    if (grid_.Row != row_) {
      row_ = grid_.Row;
      if (row_ >= 0 && row_ < q_->rowCount())
        q_->selectRow(row_);
      else
        q_->clearSelection();
    }
  }

 private:
  forms::Grid& grid_;
  QTableWidget* q_;
  QStringList columns_;
  std::vector<QStringList> rows_;
  int row_ = -2;
};

}  // namespace

std::unique_ptr<Binding> makeBinding(FormView& view, forms::Control& c) {
  switch (c.kind) {
    case ControlKind::TextBox:
      return std::make_unique<TextBoxBinding>(view, static_cast<forms::TextBox&>(c));
    case ControlKind::Label:
      return std::make_unique<LabelBinding>(view, static_cast<forms::Label&>(c));
    case ControlKind::ComboBox:
      return std::make_unique<ComboBoxBinding>(view, static_cast<forms::ComboBox&>(c));
    case ControlKind::CheckBox:
      return std::make_unique<CheckBoxBinding>(view, static_cast<forms::CheckBox&>(c));
    case ControlKind::OptionButton:
      return std::make_unique<OptionButtonBinding>(view, static_cast<forms::OptionButton&>(c));
    case ControlKind::CommandButton:
      return std::make_unique<CommandButtonBinding>(view, static_cast<forms::CommandButton&>(c));
    case ControlKind::Frame:
      return std::make_unique<FrameBinding>(view, static_cast<forms::Frame&>(c));
    case ControlKind::Image:
      return std::make_unique<ImageBinding>(view, static_cast<forms::Image&>(c));
    case ControlKind::Line:
      return std::make_unique<LineBinding>(view, static_cast<forms::Line&>(c));
    case ControlKind::PictureBox:
      return std::make_unique<PictureBoxBinding>(view, static_cast<forms::PictureBox&>(c));
    case ControlKind::Grid:
      return std::make_unique<GridBinding>(view, static_cast<forms::Grid&>(c));
    case ControlKind::MenuItem: return nullptr;
  }
  return nullptr;
}

}  // namespace gui::detail
