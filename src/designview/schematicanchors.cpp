#include "designview/schematicanchors.h"

namespace designview {

PartAnchors SchematicAnchors(const QString& picture) {
  struct Entry {
    const char* name;
    PartAnchors parts;
  };
  static constexpr Entry kPictures[] = {
      {"SK", kSallenKeyAnchors},
      {"SKhp", kSallenKeyAnchors},
      {"SKg1", kSallenKeyUnityGainAnchors},
      {"SKg1HP", kSallenKeyUnityGainAnchors},
      {"MFBsch", kMfbAnchors},
      {"MFBschHP", kMfbAnchors},
      {"FDAsch", kDifferentialMfbAnchors},
      {"FDAschHP", kDifferentialMfbAnchors},
      {"RealPole", kRealPoleAnchors},
      {"RealHP", kRealPoleAnchors},
      {"RealNoAmp", kRealPoleAnchors},
      {"RealNoAmpHP", kRealPoleAnchors},
      {"FDA1p", kDifferentialRealPoleLPAnchors},
      {"FDARealHP", kDifferentialRealPoleHPAnchors},
      {"FDARealNoAmpLP", kDifferentialRealNoAmpLPAnchors},
      {"FDARealNoAmpHP", kDifferentialRealNoAmpHPAnchors},
      {"MFBbpwres", kBandPassAnchors},
      {"MFBbpnores", kBandPassNoDividerAnchors},
      {"Fleige", kNotchAnchors},
      {"SummingAmp", kSummingAnchors},
      {"FDASummingAmp", kSummingAnchors},
  };
  for (const Entry& e : kPictures)
    if (picture == QLatin1String(e.name)) return e.parts;
  return {};
}

}  // namespace designview
