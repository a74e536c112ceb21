#pragma once
// The design view's own recompute sequence with a test's observers around its steps: a wrapper
// gets the step to run and runs it (or not), so a test counts sequences and display passes, or
// looks at the window before and after each. Wrappers added later run outside earlier ones.
#include <functional>
#include <memory>

#include "designview/sequence.h"
#include "mainwindow/calverdonform.h"

struct ObservedSequence : designview::DesignSequence {
  using Step = std::function<int()>;
  using Wrapper = std::function<int(const Step&)>;

  explicit ObservedSequence(mainwindow::CalverdonForm& f) : DesignSequence(f) {}

  void wrapSequence(Wrapper w) { sequence_ = compose(std::move(sequence_), std::move(w)); }
  void wrapPass(Wrapper w) { pass_ = compose(std::move(pass_), std::move(w)); }

  int SequenceUpdateScreen() override {
    const Step own = [this] { return DesignSequence::SequenceUpdateScreen(); };
    return sequence_ ? sequence_(own) : own();
  }
  int updatescreen() override {
    const Step own = [this] { return DesignSequence::updatescreen(); };
    return pass_ ? pass_(own) : own();
  }

 private:
  static Wrapper compose(Wrapper inner, Wrapper outer) {
    if (!inner) return outer;
    return [inner = std::move(inner), outer = std::move(outer)](const Step& step) {
      return outer([&] { return inner(step); });
    };
  }
  Wrapper sequence_, pass_;
};

// The window's sequence as an observed one: the design view's sequence is installed (or kept,
// when it is observed already) and returned.
inline ObservedSequence& ObserveSequence(mainwindow::CalverdonForm& f) {
  if (auto* observed = dynamic_cast<ObservedSequence*>(f.recompute.get())) return *observed;
  auto observed = std::make_unique<ObservedSequence>(f);
  ObservedSequence& r = *observed;
  f.recompute = std::move(observed);
  return r;
}
