#include "engine/capchoice.h"

#include "engine/rounding.h"

namespace engine::detail {

float StageCapacitors::C2Min() const {
  return Sng(rules_.C2MinOf(in_.b0, in_.b1, g_, out_.C1));
}

float StageCapacitors::C1Max() const {
  return Sng(rules_.C1MaxOf(in_.b0, in_.b1, g_, out_.C2));
}

float StageCapacitors::ChosenC2() const {
  const float start = Sng(rules_.C2Factor * out_.C2Min);
  return StdCaps(start, CapNextLarger, rules_.C2CapDiv, in_.Series);
}

void StageCapacitors::ChooseDefaults(double defaultC1) {
  if (out_.C1 == 0.0f && out_.C2 == 0.0f) {
    out_.C1 = StdCaps(Sng(defaultC1), CapNearest, 1, in_.Series);
    out_.C2Min = C2Min();
    out_.C2 = ChosenC2();
    out_.C1Max = C1Max();
  }
  if (out_.C1 == 0.0f) CheckC1();
  if (out_.C2 == 0.0f) CheckC2();
}

void StageCapacitors::CheckC1() {
  out_.C1Max = C1Max();
  if (out_.C1 > out_.C1Max) {
    out_.C1 = 0;
    out_.C1Box.Empty();
    out_.C1Box.Entered = 0.0f;
  }
  if (out_.C1 == 0.0f) {
    if (rules_.C2BeforeC1 && out_.C2 == 0.0f) CheckC2();
    const float start = Sng(out_.C1Max / rules_.C1Divisor);
    out_.C1 = StdCaps(start, CapNextSmaller, out_.CapDivisor, in_.Series);
  }
  out_.C2Min = C2Min();
}

void StageCapacitors::CheckC2() {
  out_.C2Min = C2Min();
  if (out_.C2 < out_.C2Min) {
    out_.C2 = 0;
    out_.C2Box.Empty();
    out_.C2Box.Entered = 0.0f;
  }
  if (out_.C2 == 0.0f) {
    out_.C2 = ChosenC2();
    out_.CapDivisor = 1;
  }
  out_.C1Max = C1Max();
}

void StageCapacitors::RejectC2() {
  out_.C2 = 0;
  out_.C2Box.Empty();
  out_.C2Box.Entered = 0.0f;
  CheckC2();
}

double StageCapacitors::FittingDiscriminant(double b0, double b1) {
  double disc = rules_.DiscriminantOf(b0, b1, g_, out_.C1, out_.C2);
  if (!(disc >= 0.0)) {
    RejectC2();
    disc = rules_.DiscriminantOf(b0, b1, g_, out_.C1, out_.C2);
  }
  return disc >= 0.0 ? disc : 0.0;
}

}  // namespace engine::detail
