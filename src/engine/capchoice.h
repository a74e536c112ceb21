#pragma once
// Capacitor choice of a second-order stage, shared by the MFB and Sallen-Key synthesis: the two
// limits that keep the resistors real (the smallest C2 for a C1, the largest C1 for a C2), the
// checks that replace a capacitor outside its limit, and the default pair.
#include "engine/stagesynthesis.h"

namespace engine::detail {

// The topology's limit formulas and constants.
struct CapRules {
  double (*C2MinOf)(double b0, double b1, double g, double c1);
  double (*C1MaxOf)(double b0, double b1, double g, double c2);
  // The discriminant under the square root of the resistor solution; negative when the
  // capacitors give no real resistors.
  double (*DiscriminantOf)(double b0, double b1, double g, double c1, double c2);
  double C2Factor;   // a free C2 is C2Factor * c2min, one series step up
  double C1Divisor;  // a free C1 is c1max / C1Divisor, one series step down
  bool C2BeforeC1;   // choosing a free C1 first settles a free C2 (MFB)
  int C2CapDiv;      // capdiv of a chosen C2 (2 for the fully differential stage)
};

// Works on the capacitors and limits held in a StageResult.
class StageCapacitors {
 public:
  StageCapacitors(const CapRules& rules, const StageRequest& in, double g, StageResult& out)
      : rules_(rules), in_(in), g_(g), out_(out) {}

  // Both capacitors free: C1 from defaultC1 (nearest value), C2 from c2min. Then any
  // capacitor still free is chosen by its check.
  void ChooseDefaults(double defaultC1);
  // Replaces a C1 above c1max (its box is emptied) and chooses a free C1; updates c2min.
  void CheckC1();
  // Replaces a C2 below c2min (its box is emptied) and chooses a free C2; updates c1max.
  void CheckC2();
  // The kept C2 no longer gives real resistors: it is dropped like an entry below c2min.
  void RejectC2();
  // The discriminant for the capacitors now chosen. Capacitors kept from an earlier design may
  // no longer fit the section: then C2 is chosen again (RejectC2). What is still negative
  // afterwards is rounding noise of a value at its limit and counts as 0.
  double FittingDiscriminant(double b0, double b1);

 private:
  float C2Min() const;
  float C1Max() const;
  float ChosenC2() const;

  const CapRules& rules_;
  const StageRequest& in_;
  double g_;
  StageResult& out_;
};

}  // namespace engine::detail
