#include "mainwindow/entryhandlers.h"

#include <QHash>
#include <functional>
#include <map>

#include "forms/events.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/poleboxes.h"
#include "mainwindow/polepairdialog.h"
#include "mainwindow/prompts.h"
#include "mainwindow/qboxes.h"
#include "mainwindow/sectionboxes.h"
#include "mainwindow/stageboxes.h"

namespace mainwindow {

namespace {

// The text each box of a window held when it was last validated, by "Name" or "Name(i)".
// Kept beside the window (the form's own state has no place for it); reset whenever the
// window's handlers are registered.
std::map<const CalverdonForm*, QHash<QString, QString>>& validatedTexts() {
  static std::map<const CalverdonForm*, QHash<QString, QString>> texts;
  return texts;
}

// The entry box a LastEntry name denotes: "Text34" or "GainTB(2)".
forms::TextBox* boxNamed(CalverdonForm& f, const QString& name) {
  QString base = name;
  int index = -1;
  const qsizetype open = name.indexOf(QLatin1Char('('));
  if (open > 0 && name.endsWith(QLatin1Char(')'))) {
    bool ok = false;
    index = name.mid(open + 1, name.size() - open - 2).toInt(&ok);
    if (!ok) return nullptr;
    base = name.left(open);
  }
  forms::Control* c = f.find(base, index);
  if (c == nullptr || c->kind != forms::ControlKind::TextBox) return nullptr;
  return static_cast<forms::TextBox*>(c);
}

// The boxes the pending-entry commit knows, in the order it compares them.
bool isCommittable(const QString& name) {
  static const QStringList names = [] {
    QStringList n = {"Text18", "Text1", "Text34", "Text2", "Text12", "RespF", "Text19",
                     "C1RealEntry"};
    for (const char* array : {"C1Entry", "C2Entry", "GainTB"})
      for (int i = 0; i < 5; ++i) n << QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i);
    return n;
  }();
  return names.contains(name);
}

QString entryName(const QString& name, int index) {
  return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

void clickCommits(CalverdonForm& f, const QString& name, void (*handler)(CalverdonForm&)) {
  f.on(name, forms::Event::Click, [&f, handler](forms::EventArgs&) { handler(f); });
}

}  // namespace

void NoteValidated(CalverdonForm& f, const QString& name) {
  if (forms::TextBox* box = boxNamed(f, name)) validatedTexts()[&f].insert(name, box->Text);
}

namespace {

void registerPattern(CalverdonForm& f, const QString& name, int topic, int topicPerIndex,
                     bool recordsLastEntry, std::function<void(int, bool&)> validate) {
  auto topicOf = [topic, topicPerIndex](int index) {
    return topic == 0 ? 0 : topic + (index > 0 ? index * topicPerIndex : 0);
  };
  if (topic != 0)
    f.on(name, forms::Event::Click,
         [&f, topicOf](forms::EventArgs& e) { ShowPrompt(f, topicOf(e.Index)); });
  if (recordsLastEntry)
    f.on(name, forms::Event::GotFocus,
         [&f, name](forms::EventArgs& e) { f.LastEntry = entryName(name, e.Index); });
  f.on(name, forms::Event::KeyDown, [&f, name, topicOf, validate](forms::EventArgs& e) {
    if (e.KeyCode != forms::kKeyReturn) return;
    if (const int t = topicOf(e.Index)) f.PromptTopic = t;
    bool cancel = false;
    validate(e.Index, cancel);
    NoteValidated(f, entryName(name, e.Index));
  });
  f.on(name, forms::Event::Validate, [&f, name, validate](forms::EventArgs& e) {
    bool cancel = false;
    validate(e.Index, cancel);
    NoteValidated(f, entryName(name, e.Index));
  });
}

}  // namespace

void RegisterEntryBox(CalverdonForm& f, const QString& name, int topic, bool recordsLastEntry,
                      EntryValidator validate) {
  registerPattern(f, name, topic, 0, recordsLastEntry,
                  [&f, validate](int, bool& cancel) { validate(f, cancel); });
}

void RegisterEntryArray(CalverdonForm& f, const QString& name, int topic, int topicPerIndex,
                        bool recordsLastEntry, IndexedEntryValidator validate) {
  registerPattern(f, name, topic, topicPerIndex, recordsLastEntry,
                  [&f, validate](int index, bool& cancel) { validate(f, index, cancel); });
}

bool ChangedSinceValidated(CalverdonForm& f, const QString& name) {
  const forms::TextBox* box = boxNamed(f, name);
  if (box == nullptr) return false;
  const auto& texts = validatedTexts()[&f];
  const auto it = texts.constFind(name);
  return it == texts.constEnd() || *it != box->Text;
}

void ValidateLastEntry(CalverdonForm& f) {
  const QString name = f.LastEntry;
  if (!isCommittable(name)) return;
  forms::TextBox* box = boxNamed(f, name);
  // A box left as its last validation left it holds nothing to commit; validating it again
  // would only repeat that validation's side effects.
  if (box == nullptr || !ChangedSinceValidated(f, name)) return;
  forms::EventArgs args;
  f.raise(*box, forms::Event::Validate, args);
  NoteValidated(f, name);
}

void Graph_Click(CalverdonForm& f) {
  ValidateLastEntry(f);
  f.RecomputeUnlessBusy();
  ShowPrompt(f, 19);
}

void Frame_Click(CalverdonForm& f) {
  ValidateLastEntry(f);
  f.RecomputeUnlessBusy();
}

void Label17_Click(CalverdonForm& f) {
  ValidateLastEntry(f);
  f.RecomputeUnlessBusy();
}

void RegisterEntryHandlers(CalverdonForm& f) {
  validatedTexts()[&f].clear();

  RegisterEntryBox(f, QStringLiteral("Text34"), 7, true, &Text34_Validate);
  RegisterEntryBox(f, QStringLiteral("Text2"), 7, true, &Text2_Validate);
  RegisterEntryBox(f, QStringLiteral("Text12"), 9, true, &Text12_Validate);
  RegisterEntryBox(f, QStringLiteral("RespF"), 8, false, &RespF_Validate);
  RegisterEntryBox(f, QStringLiteral("Text18"), 6, true, &Text18_Validate);
  RegisterEntryBox(f, QStringLiteral("Text1"), 6, true, &Text1_Validate);
  RegisterEntryBox(f, QStringLiteral("Text19"), 4, true, &Text19_Validate);
  RegisterEntryBox(f, QStringLiteral("Text3"), 46, false, &Text3_Validate);

  // The high-pass pole box commits the design's pole count before its prompt shows.
  f.on(QStringLiteral("Text1"), forms::Event::Click, [&f](forms::EventArgs&) {
    bool cancel = false;
    Text18_Validate(f, cancel);
    NoteValidated(f, QStringLiteral("Text18"));
    ShowPrompt(f, 6);
  });

  // Validated on leaving only: no prompt, no Enter, not a pending entry.
  for (auto [name, validate] : {std::pair{"SpacF", &SpacF_Validate},
                                std::pair{"SigDig", &SigDig_Validate},
                                std::pair{"Qtotal", &Qtotal_Validate}}) {
    f.on(QLatin1String(name), forms::Event::Validate,
         [&f, validate = validate](forms::EventArgs&) {
           bool cancel = false;
           validate(f, cancel);
         });
  }
  f.on(QStringLiteral("SpacF"), forms::Event::GotFocus,
       [&f](forms::EventArgs&) { f.SpacingAtFocus = f.SpacF.Text; });
  f.on(QStringLiteral("Qtotal"), forms::Event::LostFocus,
       [&f](forms::EventArgs&) { Qtotal_LostFocus(f); });

  // The stage boxes: capacitors and gains, section frequencies and Qs.
  RegisterEntryArray(f, QStringLiteral("C1Entry"), 100, 1, true, &C1Entry_Validate);
  RegisterEntryArray(f, QStringLiteral("C2Entry"), 105, 1, true, &C2Entry_Validate);
  RegisterEntryBox(f, QStringLiteral("C1RealEntry"), 110, true, &C1RealEntry_Validate);
  RegisterEntryArray(f, QStringLiteral("GainTB"), 403, 0, true, &GainTB_Validate);
  f.on(QStringLiteral("GainTB"), forms::Event::GotFocus, [&f](forms::EventArgs& e) {
    f.LastEntry = entryName(QStringLiteral("GainTB"), e.Index);
    GainTB_GotFocus(f, e.Index);
  });
  // Leaving the gain box also validates it; after its own validation on the same text that
  // would only recompute the design a second time.
  f.on(QStringLiteral("GainTB"), forms::Event::LostFocus, [&f](forms::EventArgs& e) {
    const QString name = entryName(QStringLiteral("GainTB"), e.Index);
    if (!ChangedSinceValidated(f, name)) return;
    bool cancel = false;
    GainTB_Validate(f, e.Index, cancel);
    NoteValidated(f, name);
  });
  for (const char* name : {"FnInput", "QInput"}) {
    // Enter validates without a prompt; a double click opens the pole-pair dialog.
    RegisterEntryArray(f, QLatin1String(name), 0, 0, false,
                       QLatin1String(name) == QLatin1String("FnInput") ? &FnInput_Validate
                                                                       : &QInput_Validate);
    f.on(QLatin1String(name), forms::Event::DblClick,
         [&f](forms::EventArgs& e) { FnInput_DblClick(f, e.Index); });
  }

  clickCommits(f, QStringLiteral("Graph"), &Graph_Click);
  for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame5", "Frame6"})
    clickCommits(f, QLatin1String(frame), &Frame_Click);
  clickCommits(f, QStringLiteral("Label17"), &Label17_Click);
}

}  // namespace mainwindow
