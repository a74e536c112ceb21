#include "mainwindow/listhandlers.h"

#include <memory>

#include "mainwindow/calverdonform.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/entryhandlers.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/opampsupply.h"
#include "mainwindow/options.h"

namespace mainwindow {

namespace {

using forms::Event;
using forms::EventArgs;

void onEvents(CalverdonForm& f, const QString& name, std::initializer_list<Event> events,
              void (*handler)(CalverdonForm&)) {
  for (Event ev : events) f.on(name, ev, [&f, handler](EventArgs&) { handler(f); });
}

}  // namespace

void RegisterListHandlers(CalverdonForm& f) {
  // Code that sets a list's text or index runs the same handler as the user's choice.
  onEvents(f, QStringLiteral("Passband"),
           {Event::GotFocus, Event::Change, Event::Click, Event::Validate}, &Passband_GotFocus);
  onEvents(f, QStringLiteral("TypeFilter"), {Event::GotFocus, Event::Change, Event::Click},
           &TypeFilter_GotFocus);
  onEvents(f, QStringLiteral("TypeFilter"), {Event::LostFocus}, &TypeFilter_LostFocus);
  onEvents(f, QStringLiteral("CircuitType"), {Event::GotFocus, Event::Change, Event::Click},
           &CircuitType_GotFocus);
  onEvents(f, QStringLiteral("ResistorList"), {Event::GotFocus, Event::Change, Event::Click},
           &ResistorList_GotFocus);
  onEvents(f, QStringLiteral("CapacitorList"), {Event::GotFocus, Event::Change, Event::Click},
           &CapacitorList_GotFocus);
  onEvents(f, QStringLiteral("SensTrue"), {Event::Click, Event::GotFocus}, &SensTrue_Click);
  onEvents(f, QStringLiteral("CompValue"), {Event::Click, Event::GotFocus}, &CompValue_Click);

  // The supply follows the model list and the single-supply box; these, the supply box and the
  // simulator buttons are the simulation's choices.
  onEvents(f, QStringLiteral("OpAmpModel"), {Event::Click}, &OpAmpModel_Click);
  onEvents(f, QStringLiteral("SScheck"), {Event::Click}, &OpAmpModel_Click);
  onEvents(f, QStringLiteral("XSver"), {Event::Click}, &XSver_Click);
  RegisterEntryBox(f, QStringLiteral("Vs"), 0, false, &Vs_Validate);

  // Every toggle of the unit box, by mouse or keyboard, converts the frequency boxes.
  f.on(QStringLiteral("Rad"), Event::Click, [&f](EventArgs&) { Rad_Click(f); });

  onEvents(f, QStringLiteral("AutoSwapHPandLP"), {Event::Click}, &AutoSwapHPandLP_Click);
  onEvents(f, QStringLiteral("ThreePole"), {Event::Click}, &ThreePole_Click);
  onEvents(f, QStringLiteral("PlotResponse"), {Event::Click}, &PlotResponse_Click);
  f.on(QStringLiteral("GBPreq"), Event::Click,
       [&f](EventArgs& e) { GBPreq_Click(f, e.Index); });

  // F1 anywhere in the window opens the help, as "Help Contents" does.
  f.HelpCont.Shortcut = QStringLiteral("F1");
  onEvents(f, QStringLiteral("HelpCont"), {Event::Click}, &HelpCont_Click);
}

}  // namespace mainwindow
