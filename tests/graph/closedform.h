#pragma once
// Closed-form low-pass prototypes from their pole positions (normalised to 1 rad/s as the
// program's tables are: Butterworth and Bessel at their 3 dB point, Chebyshev at the edge of
// the ripple band), with unity gain at DC, evaluated at a frequency.
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace closedform {

using cplx = std::complex<double>;
constexpr double kPi = std::numbers::pi;

inline std::vector<cplx> butterworth(int n) {
  std::vector<cplx> p;
  for (int k = 1; k <= n; ++k) p.push_back(std::polar(1.0, kPi * (2 * k + n - 1) / (2.0 * n)));
  return p;
}

inline std::vector<cplx> chebyshev(int n, double rippleDb) {
  const double eps = std::sqrt(std::pow(10.0, rippleDb / 10) - 1);
  const double a = std::asinh(1 / eps) / n;
  std::vector<cplx> p;
  for (int k = 1; k <= n; ++k) {
    const double theta = (2 * k - 1) * kPi / (2 * n);
    p.push_back({-std::sinh(a) * std::sin(theta), std::cosh(a) * std::cos(theta)});
  }
  return p;
}

// |H(j w)| of the prototype with these poles and unity gain at DC.
inline cplx lowpass(const std::vector<cplx>& poles, cplx s) {
  cplx h = 1;
  for (const cplx& p : poles) h *= -p / (s - p);
  return h;
}

// Group delay -dphi/dw in seconds per radian of the prototype at w (rad/s).
inline double delay(const std::vector<cplx>& poles, double w) {
  double tau = 0;
  for (const cplx& p : poles) tau += -p.real() / (p.real() * p.real() + (w - p.imag()) * (w - p.imag()));
  return tau;
}

// Bessel poles: the roots of the reverse Bessel polynomial of degree n (Durand-Kerner), scaled
// so the gain is 3 dB down at 1 rad/s.
inline std::vector<cplx> bessel(int n) {
  std::vector<double> c(n + 1);  // c[k] s^k
  for (int k = 0; k <= n; ++k) {
    double v = 1;
    for (int i = n - k + 1; i <= 2 * n - k; ++i) v *= i;  // (2n-k)!/(n-k)!
    for (int i = 1; i <= k; ++i) v /= i;
    v /= std::pow(2.0, n - k);
    c[k] = v;
  }
  const auto poly = [&](cplx s) {
    cplx v = 0;
    for (int k = n; k >= 0; --k) v = v * s + c[k];
    return v;
  };
  std::vector<cplx> r(n);
  for (int i = 0; i < n; ++i) r[i] = std::pow(cplx(0.4, 0.9), i);
  for (int iter = 0; iter < 2000; ++iter)
    for (int i = 0; i < n; ++i) {
      cplx d = c[n];
      for (int j = 0; j < n; ++j)
        if (j != i) d *= r[i] - r[j];
      r[i] -= poly(r[i]) / d;
    }
  double lo = 0.01, hi = 100;
  for (int it = 0; it < 200; ++it) {
    const double mid = std::sqrt(lo * hi);
    (std::abs(lowpass(r, cplx(0, mid))) > 1 / std::sqrt(2.0) ? lo : hi) = mid;
  }
  for (cplx& p : r) p /= lo;
  return r;
}

}  // namespace closedform
